#!/usr/bin/env python3
"""Checks what a host's live window shows on the X screen while a host script
runs, at the points the script names.

    live-view-check.py SCRIPT -- HOST COMMAND...

SCRIPT is the host script (as this machine names it); the command runs the
host on it. A line of the script

    # screen NAME X Y RRGGBB[~N]

says that when the host reaches `capture NAME.png` the screen must show that
colour at X, Y of the editor's window (N: the allowance per channel). The
script then waits with `wait-file NAME.go`: the screen is captured (the root
window, so what a person sees), the pixels are compared, and NAME.go lets the
host go on. Wine hands a window's pixels to X on its own schedule, so a
capture that does not show the expected picture yet is taken again, a few
times, before it counts as a failure. Exit status 0 when every check passed
and the host ended with 0.
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen  # noqa: E402

# Bounds against hangs (a host that died or never gets there), not measures
# of speed.
HOST_PATIENCE_S = 180
SCREEN_ATTEMPTS = 30
SCREEN_RETRY_S = 0.1


def checkpoints(script):
    points = {}
    with open(script) as lines:
        for number, line in enumerate(lines, 1):
            words = line.split()
            if words[:2] != ["#", "screen"]:
                continue
            if len(words) != 6:
                sys.exit(f"{script}:{number}: a screen check is '# screen NAME X Y RRGGBB[~N]'")
            colour, allowance = screen.parse_colour(words[5])
            points.setdefault(words[2], []).append((int(words[3]), int(words[4]), colour, allowance, number))
    return points


def wait_for(path, host):
    deadline = time.monotonic() + HOST_PATIENCE_S
    while not (os.path.exists(path) and os.path.getsize(path) > 0):
        if host.poll() is not None or time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def look(name, checks):
    """Captures the screen until it shows every expected pixel; answers the
    mismatches of the last capture."""
    for _ in range(SCREEN_ATTEMPTS):
        picture = screen.capture_screen(f"{name}-screen.png")
        corner = screen.find_readout(picture)
        if corner is None:
            mismatches = ["the editor's score read-out is nowhere on the screen"]
        else:
            mismatches = []
            for x, y, colour, allowance, line in checks:
                seen = picture.at(corner[0] + x, corner[1] + y)
                if not screen.close(seen, colour, allowance):
                    mismatches.append(f"line {line}: at {x},{y} the screen shows {screen.hex_colour(seen)}, "
                                      f"expected {screen.hex_colour(colour)}~{allowance}")
        if not mismatches:
            return corner, []
        time.sleep(SCREEN_RETRY_S)
    return corner, mismatches


def main():
    if len(sys.argv) < 4 or sys.argv[2] != "--":
        sys.exit(__doc__)
    script, command = sys.argv[1], sys.argv[3:]
    points = checkpoints(script)
    for name in points:
        for stale in (f"{name}.png", f"{name}.go"):
            if os.path.exists(stale):
                os.remove(stale)

    host = subprocess.Popen(command)
    failed = False
    try:
        for name, checks in points.items():
            if not wait_for(f"{name}.png", host):
                print(f"live-view-check: the host never reached 'capture {name}.png'")
                failed = True
                break
            corner, mismatches = look(name, checks)
            for mismatch in mismatches:
                print(f"live-view-check: {name}: {mismatch}")
            if mismatches:
                failed = True
            else:
                print(f"live-view-check: {name}: {len(checks)} pixel(s) as expected (editor at {corner[0]},{corner[1]})")
            open(f"{name}.go", "w").close()
        status = host.wait(timeout=HOST_PATIENCE_S)
    except subprocess.TimeoutExpired:
        host.kill()
        host.wait()
        print("live-view-check: the host did not end")
        return 1
    finally:
        if host.poll() is None:
            host.kill()
            host.wait()
    if status != 0:
        print(f"live-view-check: the host ended with {status}")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
