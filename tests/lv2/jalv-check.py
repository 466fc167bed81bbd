#!/usr/bin/env python3
"""The LV2 bundle in Debian's jalv.gtk3, a host that none of us wrote: its
user interface shown on the X screen, and a note played into the plug-in
through JACK lit on the user interface's piano. Run under
tests/host/linux/with-jack.sh (a JACK server on the dummy driver) on an X
display:

    jalv-check.py QARN_TEST_KEYS BUNDLE OUTPUT-FOLDER

jalv loads the plug-in with its user interface from a copy of BUNDLE alone
in OUTPUT-FOLDER/lv2 (LV2_PATH), as a user installs it, twice:

- pressed: a new instance; the panel's Highlight On button is pressed with
  the X server's mouse;
- restored: jalv restores a saved state (--load) whose view has
  highlighting on; nothing is pressed.

Each time the stand-in keyboard holds middle C on a JACK MIDI port connected
to the plug-in's MIDI input, and the screen (the root window: what a person
sees) must show the key lit red. The notes travel as in any host that keeps
the user interface apart: into the plug-in, out of its notify port, into the
user interface's own core. jalv's dump of what passes between the two must
show the user interface asking for the plug-in's view when it opens; then
sending the changed view after the press, or showing the restored view the
plug-in sends it without sending one of its own; and no word of error or
warning from jalv, lilv or suil. Pictures and jalv's output land in
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


def install(output):
    """A copy of the bundle alone in a folder of its own, for LV2_PATH."""
    folder = os.path.abspath(os.path.join(output, "lv2"))
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(sys.argv[2], os.path.join(folder, os.path.basename(os.path.normpath(sys.argv[2]))))
    return folder


def write_state(folder, view):
    """A state folder as jalv loads it (--load): the instrument port and the
    saved view as lilv writes an atom:Chunk."""
    os.makedirs(folder, exist_ok=True)
    prefixes = ("@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                "@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .\n\n")
    with open(os.path.join(folder, "manifest.ttl"), "w") as manifest:
        manifest.write(prefixes + f"<state.ttl> a pset:Preset ; lv2:appliesTo <{URI}> ; rdfs:seeAlso <state.ttl> .\n")
    with open(os.path.join(folder, "state.ttl"), "w") as state:
        state.write(prefixes + f"<> a pset:Preset ;\n    lv2:appliesTo <{URI}> ;\n"
                    f"    lv2:port [ lv2:symbol \"instrument\" ; pset:value {view[7]}.0 ] ;\n"
                    f"    state:state [ <{URI}#view> \"{base64.b64encode(view).decode()}\"^^xsd:base64Binary ] .\n")


def play_middle_c(name, keys_program, output, lv2_path, jalv_options, press_highlight):
    """Runs jalv, presses Highlight On if asked, holds middle C until the
    screen shows it lit; answers jalv's output (its dump)."""
    log_path = os.path.join(output, f"{name}-jalv.out")
    log = open(log_path, "w")
    jalv = subprocess.Popen(["jalv.gtk3", "--dump", *jalv_options, URI], stdout=log, stderr=subprocess.STDOUT,
                            env=dict(os.environ, LV2_PATH=lv2_path))
    keys = None
    try:
        opened = os.path.join(output, f"{name}-opened.png")
        corner, _ = wait_for("user interface showing a white middle C",
                             lambda: screen_showing(opened, [(*MIDDLE_C, WHITE)]), jalv)
        print(f"jalv-check: {name}: the user interface is on the screen, its editor at {corner[0]},{corner[1]}")
        port = wait_for("MIDI input of the plug-in in JACK", midi_input_port, jalv)
        if press_highlight:
            x, y = corner[0] + HIGHLIGHT_BUTTON[0], corner[1] + HIGHLIGHT_BUTTON[1]
            subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
        keys = subprocess.Popen([keys_program, name, "--hold", "60000", "60"], stdout=subprocess.PIPE, text=True)
        if not keys.stdout.readline().startswith("ready"):
            raise Failure("the stand-in keyboard did not start")
        subprocess.run(["jack_connect", f"qarn_test_keys:{name}", port], check=True)
        lit = os.path.join(output, f"{name}-middle-c.png")
        wait_for("middle C lit red on the screen",
                 lambda: screen_showing(lit, [(*MIDDLE_C, LIT)] + [(*p, WHITE) for p in NEIGHBOURS]), jalv)
        print(f"jalv-check: {name}: middle C lit red while held, its neighbours white")
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

    dump = open(log_path).read()
    complaints = re.findall(r"^(?:error|warning)\b.*$", dump, re.MULTILINE | re.IGNORECASE)
    if complaints:
        raise Failure(f"{name}: jalv (lilv, suil) complained: " + "; ".join(complaints))
    if not re.search(r"## UI => Plugin \(0 bytes\) ##\n\[\]\n\s*a <" + re.escape(URI + "#ViewRequest") + ">", dump):
        raise Failure(f"{name}: the user interface did not ask the plug-in for its view ({log_path})")
    return dump


def run(keys_program, output):
    lv2_path = install(output)

    # A new instance: the press turns highlighting on in the user interface,
    # which sends the plug-in the changed view.
    dump = play_middle_c("pressed", keys_program, output, lv2_path, [], True)
    if not views(dump, "Plugin => UI"):
        raise Failure("pressed: the plug-in did not send its view to the user interface")
    if not any(view[5] & KEY_COLOUR_BIT for view in views(dump, "UI => Plugin")):
        raise Failure("pressed: the user interface did not send the plug-in the view with highlighting on")
    print("jalv-check: pressed: the user interface asked for the plug-in's view and sent it the changed one")

    # A saved state with highlighting on, restored by jalv through the
    # plug-in's state interface: the plug-in hands the view to the user
    # interface, which shows it, and sends nothing back of its own.
    restored = b"QVvw" + bytes([1, KEY_COLOUR_BIT, 0, 3]) + bytes(16)
    state = os.path.join(output, "state")
    write_state(state, restored)
    dump = play_middle_c("restored", keys_program, output, lv2_path, ["--load", state], False)
    if restored not in views(dump, "Plugin => UI"):
        raise Failure("restored: the plug-in did not send the restored view to the user interface")
    if views(dump, "UI => Plugin"):
        raise Failure("restored: the user interface sent the plug-in a view of its own")
    print("jalv-check: restored: the plug-in sent the user interface the restored view, which it showed")


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
    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    try:
        run(sys.argv[1], output)
    except Failure as failure:
        print(f"jalv-check: {failure}; pictures and jalv's output in {output}")
        return 1
    print("jalv-check: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
