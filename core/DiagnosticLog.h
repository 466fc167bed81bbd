#pragma once
// The diagnostic log: with the environment variable QARN_LOG naming a file,
// each instance appends one line to it when the host closes the instance
// (effClose), saying what the host told the plug-in and what it sent:
//
//   vendor="Linux Audio Systems" product="Ardour" rate=48000 block=1024 events=120 note-ons=60 most-held=3
//
// It is how a user finds out why a host shows nothing, and how tests see what
// a headless host delivered. QARN_LOG is read once, when the host creates the
// instance (`main`), so it must be set before the host loads the plug-in; an
// instance created without it counts nothing and writes nothing. A file that
// cannot be opened or written is skipped silently: the log never changes how
// the plug-in answers the host.
#include "intake/MidiIntake.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

// The host's side of the line, gathered at close. The strings are the host's
// own bytes; at most hostStringCapacity - 1 of each are read, terminated or
// not, and null reads as "".
struct HostDescription {
    const char* vendor;
    const char* product;
    float sampleRate;
    int32_t blockSize;
};

// What the host sent an instance: MIDI events and note-ons received, and the
// most notes sounding after any block (the note table is the process's, so
// with several instances it counts the notes of all of them, as the view shows).
struct DeliveryCounts {
    uint32_t midiEvents;
    uint32_t noteOns;
    uint32_t mostHeld;
};

// Hosts write vendor and product strings of up to 64 bytes; buffers this
// large leave room for hosts that write more.
constexpr size_t hostStringCapacity = 256;
// Holds every line: each host string may quadruple when escaped.
constexpr size_t diagnosticLineCapacity = 2 * 4 * hostStringCapacity + 160;

// Writes the line, ending in a newline, into `line` and answers its length
// (without the terminating zero, which is always written). The host's strings
// are quoted, with `"` and `\` escaped by a backslash, newline, return and
// tab as \n, \r and \t, and other control bytes as \xHH, so that whatever a
// host reports the entry stays one line. Bytes from 0x80 up pass unchanged
// (UTF-8 names stay readable).
size_t formatDiagnosticLine(char* line, size_t capacity, const HostDescription& host, const DeliveryCounts& counts);

class DiagnosticLog {
public:
    // Reads QARN_LOG, on the thread that creates the instance.
    DiagnosticLog();

    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;

    bool enabled() const { return path != nullptr; }

    // Host processing thread, after each block; does nothing while the log
    // is off. Allocates nothing, takes no lock, never blocks.
    void countBlock(const MidiBlockCounts& block);
    DeliveryCounts counts() const;

    // Appends the line to the file (at close; any thread but the processing
    // one, which must have finished). Nothing when the log is off.
    void append(const HostDescription& host) const;

private:
    std::unique_ptr<char[]> path; // null: the log is off
    std::atomic<uint32_t> midiEvents{0};
    std::atomic<uint32_t> noteOns{0};
    std::atomic<uint32_t> mostHeld{0};
};
