#pragma once
// The MIDI ports of every RtMidi system that answers here, in one list: the
// ALSA sequencer's, then JACK's. A system that does not answer (no
// /dev/snd/seq, no JACK server) is left out without a word. User-interface
// thread.
#include <RtMidi.h>

#include <string>
#include <vector>

// The JACK and ALSA client our connections appear as.
extern const char* const rtMidiClientName;

struct RtMidiPort {
    RtMidi::Api api;
    unsigned int number; // among that system's ports
    std::string name; // as listed: "ALSA: " or "JACK: ", then the system's own name
};

std::vector<RtMidiPort> rtMidiInputPorts();
std::vector<RtMidiPort> rtMidiOutputPorts();

std::vector<std::string> namesOf(const std::vector<RtMidiPort>& ports);

// RtMidi reports errors through a callback, or else prints them and throws.
// While one of these lives, the errors of `connection` are collected; from
// its end on they are ignored, so that sending never builds a message nor
// throws on the processing thread. Errors before the callback is set (in
// RtMidi's constructors) are still thrown as RtMidiError.
class RtMidiErrors {
public:
    explicit RtMidiErrors(RtMidi& connection);
    ~RtMidiErrors();
    RtMidiErrors(const RtMidiErrors&) = delete;
    RtMidiErrors& operator=(const RtMidiErrors&) = delete;

    // Empty while there were none.
    const std::string& text() const { return collected; }

private:
    static void collect(RtMidiError::Type type, const std::string& text, void* errors);

    RtMidi& connection;
    std::string collected;
};
