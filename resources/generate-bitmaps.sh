#!/usr/bin/env bash
# Draws the panel's fourteen bitmaps with ImageMagick and the Liberation fonts
# (Debian: imagemagick, fonts-liberation). The .bmp files are committed, so a
# build never runs this; run it again only to change the artwork.
#
# Each button bitmap stacks its two pictures: the upper half is shown while the
# button's value is 0, the lower half while it is 1. Buttons use 16 colours,
# the panel background 256.
set -euo pipefail
cd "$(dirname "$0")"

grey='rgb(192,192,192)'
green='rgb(0,255,0)'
red='rgb(255,0,0)'
font=Liberation-Sans-Narrow-Bold

# caption <background> <text> <file> [<points>]: one 48 x 24 half with a
# centred caption, wrapped onto two lines when it does not fit on one.
caption() {
  convert -size 44x22 -background "$1" -fill black -font "$font" -pointsize "${4:-10}" \
    -gravity center caption:"$2" -bordercolor "$1" -border 2x1 \
    -fill none -stroke 'rgb(96,96,96)' -draw 'rectangle 0,0 47,23' "$3"
}

# A button of two captioned halves, stacked and reduced to 16 colours.
button() { # id upper-bg upper-text lower-bg lower-text [points]
  caption "$2" "$3" "/tmp/qarn-upper-$1.png" "${6:-}"
  caption "$4" "$5" "/tmp/qarn-lower-$1.png" "${6:-}"
  convert "/tmp/qarn-upper-$1.png" "/tmp/qarn-lower-$1.png" -append \
    -colors 16 -type Palette -compress None "BMP3:button_$1.bmp"
  rm -f "/tmp/qarn-upper-$1.png" "/tmp/qarn-lower-$1.png"
}

# A symbol button: the symbol black on white above, plain white below.
symbol() { # id width half-height draw-commands
  convert -size "$2x$3" xc:white -fill black -stroke black -draw "$4" \
    \( -size "$2x$3" xc:white \) -append -colors 16 -type Palette -compress None "BMP3:button_$1.bmp"
}

button 129 "$grey" "Spin On" "$green" "Spin On"
symbol 130 28 23 'polygon 6,8 15,8 15,4 23,11 15,18 15,14 6,14'
symbol 131 28 23 'polygon 11,20 11,11 7,11 14,3 21,11 17,11 17,20'
symbol 132 28 23 'polygon 11,3 11,12 7,12 14,20 21,12 17,12 17,3'
symbol 133 28 23 'polygon 22,8 13,8 13,4 5,11 13,18 13,14 22,14'
symbol 134 24 24 'rectangle 5,10 18,13'
symbol 135 24 24 'rectangle 5,10 18,13 rectangle 10,5 13,18'
button 136 "$grey" "Highlight On" "$green" "Highlight On"
button 137 "$grey" "Reset" "$grey" "Reset"
button 138 "$grey" "Depress On" "$green" "Depress On"
button 139 "$grey" "TUTOR SYSTEM" "$red" "TUTOR SYSTEM"
button 140 "$green" "Beginner" "$red" "Expert"
button 141 "$grey" "Highlight Dependents" "$green" "Highlight Dependents" 8

# The panel: brushed dark metal with a bevelled edge, engraved section labels
# in the gaps between the buttons and the product's name along the bottom.
convert -size 135x215 gradient:'rgb(70,74,84)-rgb(28,30,36)' \
  \( -size 135x215 xc:gray50 -seed 7 +noise Gaussian -colorspace Gray -motion-blur 0x10+0 -level 30%,70% \) \
  -compose softlight -composite \
  -fill none -stroke 'rgb(120,126,140)' -draw 'rectangle 0,0 134,214' \
  -stroke 'rgb(12,12,16)' -draw 'line 1,214 134,214 line 134,1 134,214' \
  -stroke 'rgb(90,96,110)' -draw 'line 4,152 130,152' \
  -stroke none -fill 'rgb(170,176,190)' -font Liberation-Sans-Bold -pointsize 8 \
  -draw "text 4,84 'VIEW'" -draw "text 100,84 'ZOOM'" \
  -draw "text 56,96 'TILT'" \
  -fill 'rgb(220,224,232)' -font Liberation-Sans-Bold -pointsize 15 -gravity south \
  -draw "text 0,38 'QARN'" \
  -fill 'rgb(150,156,170)' -font Liberation-Sans -pointsize 9 \
  -draw "text 0,24 'VIEWER'" \
  -fill 'rgb(110,200,120)' -draw "circle 67,200 69,200" \
  -colors 256 -type Palette -compress None "BMP3:panel_background.bmp"
