#pragma once
// What the LV2 plug-in, its user interface and its bundle's description agree
// on: the URIs and the ports. The plug-in and the user interface are two
// libraries that may live in two processes; they talk only through the ports
// below, in atoms whose types are named here.
//
//   midi_in     atom sequence in: the host's MIDI (midi:MidiEvent), and
//               where its transport stands whenever that changes
//               (time:Position objects)
//   instrument  control in: the instrument shown, 0..4 (an enumeration)
//   notify      atom sequence out, to the user interface: every MIDI event
//               received, the saved view (an atom:Chunk holding the
//               record of core/SavedView.h) after a restore or when asked,
//               and a transportMovedUri atom when the host's transport
//               started, stopped or jumped
//   view_in     atom sequence in, from the user interface: the saved view
//               whenever the view it shows changed (atom:Chunk), or the
//               question which view the plug-in holds (viewRequestUri)
//
// The state property viewPropertyUri holds the same record as an atom:Chunk.
#include <cstdint>

constexpr char lv2PluginUri[] = "https://qarn.example/plugins/viewer";
constexpr char lv2UiUri[] = "https://qarn.example/plugins/viewer#ui";
constexpr char lv2ViewPropertyUri[] = "https://qarn.example/plugins/viewer#view";
// An atom of this type, with no body, asks the plug-in to send its view.
constexpr char lv2ViewRequestUri[] = "https://qarn.example/plugins/viewer#ViewRequest";
// An atom of this type, with no body, tells the user interface that the
// host's transport moved: the keys held so far are released.
constexpr char lv2TransportMovedUri[] = "https://qarn.example/plugins/viewer#TransportMoved";

enum Lv2Port : uint32_t {
    lv2MidiInPort = 0,
    lv2InstrumentPort = 1,
    lv2NotifyPort = 2,
    lv2ViewInPort = 3,
    lv2PortCount = 4,
};
