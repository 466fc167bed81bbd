#!/usr/bin/env bash
# Regenerates the test bitmaps with ImageMagick. The results are committed, so
# the build does not need ImageMagick; run this only to change them.
#   button.bmp     48 x 48, 16 colours: two pictures stacked; each picture has
#                  a first and a last row of its own colour so that tests can
#                  tell exactly which rows were copied.
#   quadrants.bmp  32 x 32, 16 colours: red, green / blue, yellow quadrants.
#   backdrop.bmp   80 x 60, 256 colours: teal with an orange bottom-right pixel;
#                  a grey ramp in the top row right of x = 40 needs the 256-colour format.
set -euo pipefail
cd "$(dirname "$0")"

convert -size 48x48 xc:blue \
  -fill lime -draw "rectangle 0,0 47,0" \
  -fill yellow -draw "rectangle 0,23 47,23" \
  -fill cyan -draw "rectangle 0,24 47,24" \
  -fill red -draw "rectangle 0,25 47,46" \
  -fill magenta -draw "rectangle 0,47 47,47" \
  -colors 16 -type palette -compress none BMP3:button.bmp

convert -size 32x32 xc:red \
  -fill lime -draw "rectangle 16,0 31,15" \
  -fill blue -draw "rectangle 0,16 15,31" \
  -fill yellow -draw "rectangle 16,16 31,31" \
  -colors 16 -type palette -compress none BMP3:quadrants.bmp

convert -size 80x60 xc:"rgb(0,128,128)" \
  \( -size 40x1 gradient:black-white \) -geometry +40+0 -composite \
  -fill "rgb(255,128,0)" -draw "point 79,59" \
  -type palette -compress none BMP3:backdrop.bmp
