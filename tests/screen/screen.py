"""What the X screen shows: captures of the root window (what a person sees,
whatever a program believes it drew) and the pixels of the plug-in's editor
found in them.

The editor is found by its score read-out, a box outlined in red and filled
black at the top-left corner of the panel, which itself sits at the top-left
corner of the window the host gives the editor. Every position the checks
name is relative to that corner. The outline of the read-out's rectangle
(0, 0, 48, 20) covers its right and bottom edges too: 49 x 21 pixels.
"""
import subprocess

READOUT_WIDTH = 49
READOUT_HEIGHT = 21
RED = (255, 0, 0)
BLACK = (0, 0, 0)


class Picture:
    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    def at(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return None
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])


def read_picture(path):
    """Any picture ImageMagick reads, as 8-bit RGB."""
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields = []
    position = 0
    while len(fields) < 4:
        while ppm[position:position + 1].isspace():
            position += 1
        if ppm[position:position + 1] == b"#":
            position = ppm.index(b"\n", position)
            continue
        end = position
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[position:end])
        position = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError(f"{path}: not an 8-bit picture")
    width, height = int(fields[1]), int(fields[2])
    return Picture(width, height, ppm[position + 1:position + 1 + width * height * 3])


def capture_screen(path):
    """Captures the whole X screen (the root window) of $DISPLAY."""
    subprocess.run(["import", "-window", "root", path], check=True, capture_output=True)
    return read_picture(path)


def close(colour, wanted, allowance):
    return colour is not None and all(abs(a - b) <= allowance for a, b in zip(colour, wanted))


def is_readout(picture, x, y):
    right = x + READOUT_WIDTH - 1
    bottom = y + READOUT_HEIGHT - 1
    corners = [(x, y), (right, y), (x, bottom), (right, bottom), (x + READOUT_WIDTH // 2, y),
               (x + READOUT_WIDTH // 2, bottom), (x, y + READOUT_HEIGHT // 2), (right, y + READOUT_HEIGHT // 2)]
    inside = [(x + 1, y + 1), (right - 1, y + 1), (x + 1, bottom - 1), (right - 1, bottom - 1), (x + 2, y + 10)]
    return all(close(picture.at(*p), RED, 8) for p in corners) and \
        all(close(picture.at(*p), BLACK, 8) for p in inside)


def find_readout(picture):
    """The top-left corner of the first score read-out on the screen, or None."""
    top_edge = bytes(RED) * READOUT_WIDTH
    i = picture.rgb.find(top_edge)
    while i >= 0:
        if i % 3 == 0:
            x, y = (i // 3) % picture.width, (i // 3) // picture.width
            if x + READOUT_WIDTH <= picture.width and is_readout(picture, x, y):
                return x, y
        i = picture.rgb.find(top_edge, i + 1)
    return None


def parse_colour(text):
    """rrggbb, optionally ~N: the allowance per channel."""
    colour, _, allowance = text.partition("~")
    if len(colour) != 6:
        raise ValueError(f"not a colour: {text}")
    return tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4)), int(allowance or 0)


def hex_colour(colour):
    return "none" if colour is None else "%02x%02x%02x" % colour
