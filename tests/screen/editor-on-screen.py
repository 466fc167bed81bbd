#!/usr/bin/env python3
"""Whether a capture of the screen shows the plug-in's editor inside a host's
window: the panel's score read-out inside the rectangle, and the 3-D view's
dark blue background at (300, 120) from the read-out's corner, right of the
panel and above the instrument.

    editor-on-screen.py CAPTURE X Y WIDTH HEIGHT

Exit status 0 when both show; prints what it found either way.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen  # noqa: E402

VIEW_AT = (300, 120)
VIEW_BACKGROUND = "000080~8"


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
    print(f"read-out at {corner}, the view's background beside it")
    return 0


if __name__ == "__main__":
    sys.exit(main())
