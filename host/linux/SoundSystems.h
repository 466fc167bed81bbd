#pragma once
// Which of Linux's sound systems answer on this machine, asked quietly and
// without side effects: libasound prints every failed open to stderr, and
// libjack prints a page on a missing server and then starts a server of its
// own (on the sound card, from the user's ~/.jackdrc), which the host must
// never do behind the user's back. User-interface thread.

// The ALSA sequencer opens (no /dev/snd/seq in a container or on a machine
// without sound hardware).
bool alsaSequencerAnswers();
// A JACK server runs under the name libjack would use (JACK_DEFAULT_SERVER).
bool jackServerRuns();

// JACK takes a new client or connection into its processing graph some
// cycles after the call that made it, and what a port carries before then
// is lost: the song's first notes and program changes. Returns once the
// graph has run with every change made before the call, and every client's
// process callback has run after it (or at once, when no server answers).
void awaitJackGraph();

// While one lives, libasound and libjack print no errors of their own; the
// caller reports what failed in its own words.
class QuietSoundLibraries {
public:
    QuietSoundLibraries();
    ~QuietSoundLibraries();
    QuietSoundLibraries(const QuietSoundLibraries&) = delete;
    QuietSoundLibraries& operator=(const QuietSoundLibraries&) = delete;

private:
    void (*jackError)(const char*);
    void (*jackInfo)(const char*);
    void (*alsaError)(); // a snd_lib_error_handler_t, whose header stays out of this one
};
