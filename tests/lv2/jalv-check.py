#!/usr/bin/env python3
"""The LV2 bundle in Debian's jalv.gtk3, a host that none of us wrote: its
user interface shown on the X screen, and a note played into the plug-in
through JACK lit on the user interface's piano. Run under
tests/host/linux/with-jack.sh (a JACK server on the dummy driver) on an X
display:

    jalv-check.py QARN_TEST_KEYS BUNDLE OUTPUT-FOLDER

jalv loads the plug-in with its user interface from a copy of BUNDLE alone
in OUTPUT-FOLDER/lv2 (LV2_PATH), as a user installs it.
The panel's Highlight On button is pressed with the X server's mouse, the
stand-in keyboard holds middle C on a JACK MIDI port connected to the
plug-in's MIDI input, and the screen (the root window: what a person sees)
must show the key lit red. The notes travel as in any host that keeps the
user interface apart: into the plug-in, out of its notify port, into the
user interface's own core. jalv's dump of what passes between the two must
show the user interface asking for the plug-in's view when it opens and
sending the view back when the press changed it, and say no word of error
or warning from jalv, lilv or suil. Pictures land in
OUTPUT-FOLDER. Exit status 0 when every check passed.
"""
import base64
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "screen"))
import screen  # noqa: E402

URI = "https://qarn.example/plugins/viewer"
# Where things are from the editor's corner (its score read-out): the front
# of middle C's white key on the 88-key piano and its white neighbours (as in
# tests/host/scripts/live-piano.txt), and the Highlight On button, whose top
# left is at 0, 50 (editor/PanelLayout.h).
MIDDLE_C = (370, 324)
NEIGHBOURS = [(382, 324), (358, 324)]
HIGHLIGHT_BUTTON = (20, 60)
WHITE, LIT = (255, 255, 255), (255, 204, 204)
# The saved view's toggle for highlighting (core/SavedView.h, byte 5).
KEY_COLOUR_BIT = 2
ALLOWANCE = 24
# Bounds against hangs, not measures of speed.
PATIENCE_S = 60


class Failure(Exception):
    pass


def wait_for(what, answer, jalv):
    deadline = time.monotonic() + PATIENCE_S
    while True:
        if jalv.poll() is not None:
            raise Failure(f"jalv ended with status {jalv.returncode} while waiting for {what}")
        found = answer()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"no {what} within {PATIENCE_S} s")
        time.sleep(0.2)


def screen_showing(path, colours):
    """A capture whose editor shows every (x, y, colour), as (corner, picture), or None."""
    picture = screen.capture_screen(path)
    corner = screen.find_readout(picture)
    if corner is None:
        return None
    for x, y, colour in colours:
        if not screen.close(picture.at(corner[0] + x, corner[1] + y), colour, ALLOWANCE):
            return None
    return corner, picture


def midi_input_port():
    ports = subprocess.run(["jack_lsp"], capture_output=True, text=True).stdout.splitlines()
    matches = [port for port in ports if port.endswith(":midi_in")]
    return matches[0] if matches else None


def run(keys_program, output):
    folder = os.path.abspath(os.path.join(output, "lv2"))
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(sys.argv[2], os.path.join(folder, os.path.basename(os.path.normpath(sys.argv[2]))))
    env = dict(os.environ, LV2_PATH=folder)
    log = open(os.path.join(output, "jalv.out"), "w")
    jalv = subprocess.Popen(["jalv.gtk3", "--dump", URI], stdout=log, stderr=subprocess.STDOUT, env=env)
    keys = None
    try:
        base = os.path.join(output, "opened.png")
        corner, _ = wait_for("user interface showing a white middle C",
                             lambda: screen_showing(base, [(*MIDDLE_C, WHITE)]), jalv)
        print(f"jalv-check: the user interface is on the screen, its editor at {corner[0]},{corner[1]}")
        port = wait_for("MIDI input of the plug-in in JACK", midi_input_port, jalv)

        x, y = corner[0] + HIGHLIGHT_BUTTON[0], corner[1] + HIGHLIGHT_BUTTON[1]
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
        keys = subprocess.Popen([keys_program, "lv2", "--hold", "60000", "60"], stdout=subprocess.PIPE, text=True)
        if not keys.stdout.readline().startswith("ready"):
            raise Failure("the stand-in keyboard did not start")
        subprocess.run(["jack_connect", "qarn_test_keys:lv2", port], check=True)
        lit = os.path.join(output, "middle-c.png")
        wait_for("middle C lit red on the screen",
                 lambda: screen_showing(lit, [(*MIDDLE_C, LIT)] + [(*p, WHITE) for p in NEIGHBOURS]), jalv)
        print("jalv-check: middle C lit red while held, its neighbours white")
    finally:
        for process in (keys, jalv):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        log.close()

    dump = open(os.path.join(output, "jalv.out")).read()
    complaints = re.findall(r"^(?:error|warning)\b.*$", dump, re.MULTILINE | re.IGNORECASE)
    if complaints:
        raise Failure("jalv (lilv, suil) complained: " + "; ".join(complaints))
    if not re.search(r"## UI => Plugin \(0 bytes\) ##\n\[\]\n\s*a <" + re.escape(URI + "#ViewRequest") + ">", dump):
        raise Failure("the user interface did not ask the plug-in for its view (jalv.out)")
    if not views(dump, "Plugin => UI"):
        raise Failure("the plug-in did not send its view to the user interface (jalv.out)")
    if not any(view[5] & KEY_COLOUR_BIT for view in views(dump, "UI => Plugin")):
        raise Failure("the user interface did not send the plug-in the view with highlighting on (jalv.out)")
    print("jalv-check: the user interface asked for the plug-in's view and sent it the changed one")


def views(dump, direction):
    """The saved views (core/SavedView.h) jalv's dump shows passing that way."""
    found = []
    pattern = r"## " + direction + r" \(24 bytes\) ##\n\[\]\n\s*<[^>]*#value> \"([A-Za-z0-9+/=]+)\"\^\^xsd:base64Binary"
    for text in re.findall(pattern, dump):
        record = base64.b64decode(text)
        if record[:5] == b"QVvw\x01":
            found.append(record)
    return found


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    output = sys.argv[3]
    os.makedirs(output, exist_ok=True)
    try:
        run(sys.argv[1], output)
    except Failure as failure:
        print(f"jalv-check: {failure}; pictures and jalv's output in {output}")
        return 1
    print("jalv-check: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
