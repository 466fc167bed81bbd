#!/usr/bin/env python3
"""Whether a capture of the screen shows the plug-in's editor inside a host's
window: the panel's score read-out inside the rectangle, and the 3-D view's
dark blue background at (300, 120) from the read-out's corner, right of the
panel and above the instrument.

    editor-on-screen.py CAPTURE X Y WIDTH HEIGHT [--default-piano]

With --default-piano the view must also show the default instrument, the
88-key piano, from the default camera: its white keys' fronts fill at least
half of the view's row 320 pixels below the read-out's corner (the view
spans 100 to 699 across), where a view without an instrument is all dark
blue. Exit status 0 when all of it shows; prints what it found either way.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen  # noqa: E402

VIEW_AT = (300, 120)
VIEW_BACKGROUND = "000080~8"
VIEW_COLUMNS = range(100, 700)
WHITE_KEYS_ROW = 320
WHITE = 200  # each channel at least


def white_share(picture, corner):
    row = [picture.at(corner[0] + x, corner[1] + WHITE_KEYS_ROW) for x in VIEW_COLUMNS]
    return sum(1 for colour in row if colour is not None and min(colour) >= WHITE) / len(row)


def main():
    path = sys.argv[1]
    x, y, w, h = map(int, sys.argv[2:6])
    wanted, allowance = screen.parse_colour(VIEW_BACKGROUND)
    picture = screen.read_picture(path)
    corner = screen.find_readout(picture)
    if corner is None:
        print("no read-out on the screen")
        return 1
    if not (x <= corner[0] < x + w and y <= corner[1] < y + h):
        print(f"the read-out at {corner} lies outside the host's window {x},{y} {w}x{h}")
        return 1
    seen = picture.at(corner[0] + VIEW_AT[0], corner[1] + VIEW_AT[1])
    if not screen.close(seen, wanted, allowance):
        print(f"read-out at {corner}, but the view shows {screen.hex_colour(seen)} at {VIEW_AT[0]},{VIEW_AT[1]}")
        return 1
    found = f"read-out at {corner}, the view's background beside it"
    if "--default-piano" in sys.argv[6:]:
        share = white_share(picture, corner)
        if share < 0.5:
            print(f"{found}, but no piano: {share:.0%} of row {WHITE_KEYS_ROW} is white")
            return 1
        found += f", the piano's white keys across {share:.0%} of row {WHITE_KEYS_ROW}"
    print(found)
    return 0


if __name__ == "__main__":
    sys.exit(main())
