#!/usr/bin/env python3
"""Writes the demo song, an original little piece in C major, as a Standard MIDI File.

Six bars in 4/4 at 100 bpm, slowing to 80 bpm in the last bar. The right hand
plays on channel 1, the left hand on channel 2, and a "player" on channel 16
plays the same notes a little late, with three mistakes: a wrong note in bar 2,
a note left out in bar 3 and a stray extra note in bar 5. In the plug-in's
practice mode that gives held keys, the practice colours and a score below
100 %.

    make_demo_song.py [output.mid]      (default: demo-song.mid beside this script)
"""
import os
import struct
import sys

TICKS_PER_QUARTER = 480
QUARTER = TICKS_PER_QUARTER
EIGHTH = QUARTER // 2
BAR = 4 * QUARTER

RIGHT_CHANNEL = 0    # MIDI channel 1
LEFT_CHANNEL = 1     # MIDI channel 2
PLAYER_CHANNEL = 15  # MIDI channel 16

# (note, length in ticks), bar by bar. Chords: C, G, Am, F, G, C.
RIGHT_HAND = [
    [(64, QUARTER), (67, QUARTER), (72, 2 * QUARTER)],
    [(71, EIGHTH), (69, EIGHTH), (67, QUARTER), (74, QUARTER), (71, QUARTER)],
    [(72, QUARTER), (69, QUARTER), (64, EIGHTH), (65, EIGHTH), (67, QUARTER)],
    [(69, QUARTER), (65, QUARTER), (72, QUARTER + EIGHTH), (69, EIGHTH)],
    [(67, EIGHTH), (69, EIGHTH), (71, EIGHTH), (74, EIGHTH), (72, QUARTER), (71, QUARTER)],
    [(72, 3 * QUARTER)],
]
LEFT_HAND = [
    [(48, QUARTER), (55, QUARTER), (52, QUARTER), (55, QUARTER)],
    [(43, QUARTER), (50, QUARTER), (47, QUARTER), (50, QUARTER)],
    [(45, QUARTER), (52, QUARTER), (48, QUARTER), (52, QUARTER)],
    [(41, QUARTER), (48, QUARTER), (45, QUARTER), (48, QUARTER)],
    [(43, QUARTER), (50, QUARTER), (47, QUARTER), (50, QUARTER)],
    [(36, 3 * QUARTER)],
]

TEMPO_START = 100
TEMPO_LAST_BAR = 80


def notes_of(hand, channel, velocity):
    """(start, end, channel, note, velocity) for every note; each sounds for 90 % of its length."""
    notes = []
    for bar_number, bar in enumerate(hand):
        start = bar_number * BAR
        for note, length in bar:
            notes.append((start, start + length * 9 // 10, channel, note, velocity))
            start += length
    return notes


def player_notes(expected):
    """The same notes on channel 16, late by 20 to 48 ticks, with three mistakes."""
    played = []
    for index, (start, end, _, note, _) in enumerate(sorted(expected)):
        late = 20 + (index * 37) % 29
        bar = start // BAR
        if bar == 1 and note == 74:
            note = 73  # a wrong note: C sharp for D
        if bar == 2 and note == 52 and start % BAR == QUARTER:
            continue  # left out
        played.append((start + late, end + late, PLAYER_CHANNEL, note, 80 + index % 20))
    stray = 4 * BAR + QUARTER + 40
    played.append((stray, stray + EIGHTH, PLAYER_CHANNEL, 65, 60))  # an extra note
    return played


def variable_length(value):
    data = [value & 0x7F]
    value >>= 7
    while value:
        data.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(data)


def meta(kind, payload):
    return bytes([0xFF, kind]) + variable_length(len(payload)) + payload


def tempo(bpm):
    return meta(0x51, (60_000_000 // bpm).to_bytes(3, "big"))


def track(events):
    """events: (tick, bytes). Channel messages use running status, note-offs are note-ons at velocity 0."""
    data = bytearray()
    now = 0
    running = None
    for tick, message in sorted(events, key=lambda event: event[0]):
        data += variable_length(tick - now)
        now = tick
        if message[0] < 0xF0 and message[0] == running:
            data += message[1:]
        else:
            data += message
            running = message[0] if message[0] < 0xF0 else running
    data += variable_length(0) + meta(0x2F, b"")
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def note_events(notes, name):
    events = [(0, meta(0x03, name.encode("ascii")))]
    for start, end, channel, note, velocity in notes:
        events.append((start, bytes([0x90 | channel, note, velocity])))
        events.append((end, bytes([0x90 | channel, note, 0])))
    return events


def song():
    right = notes_of(RIGHT_HAND, RIGHT_CHANNEL, 96)
    left = notes_of(LEFT_HAND, LEFT_CHANNEL, 72)
    conductor = [
        (0, meta(0x03, b"Qarn demo song")),
        (0, meta(0x58, bytes([4, 2, 24, 8]))),
        (0, tempo(TEMPO_START)),
        (0, bytes([0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7])),  # General MIDI on: the plug-in never sees it
        (5 * BAR, tempo(TEMPO_LAST_BAR)),
        (6 * BAR, meta(0x01, b"end")),
    ]
    tracks = [
        track(conductor),
        track(note_events(right, "Right hand (channel 1)")),
        track(note_events(left, "Left hand (channel 2)")),
        track(note_events(player_notes(right + left), "Player (channel 16)")),
    ]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS_PER_QUARTER)
    return header + b"".join(tracks)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "demo-song.mid")
    with open(path, "wb") as out:
        out.write(song())
    print(path)


if __name__ == "__main__":
    main()
