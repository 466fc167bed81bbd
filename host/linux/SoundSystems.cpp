#include "host/linux/SoundSystems.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

void ignoreJack(const char*)
{
}

void ignoreAlsa(const char*, int, const char*, int, const char*, ...)
{
}

} // namespace

QuietSoundLibraries::QuietSoundLibraries()
    : jackError(jack_error_callback)
    , jackInfo(jack_info_callback)
    , alsaError(reinterpret_cast<void (*)()>(snd_lib_error))
{
    jack_set_error_function(ignoreJack);
    jack_set_info_function(ignoreJack);
    snd_lib_error_set_handler(ignoreAlsa);
}

QuietSoundLibraries::~QuietSoundLibraries()
{
    snd_lib_error_set_handler(reinterpret_cast<snd_lib_error_handler_t>(alsaError));
    jack_set_info_function(jackInfo);
    jack_set_error_function(jackError);
}

bool alsaSequencerAnswers()
{
    const QuietSoundLibraries quiet;
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0)
        return false;
    snd_seq_close(sequencer);
    return true;
}

bool jackServerRuns()
{
    const QuietSoundLibraries quiet;
    jack_client_t* client = jack_client_open("QarnHost probe", JackNoStartServer, nullptr);
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

// A client of our own joins the graph after the changes before it: once its
// process callback has run, so have the graph's older members with the new
// connections. The bound only keeps a stopped or freewheeling server from
// holding the user interface.
void awaitJackGraph()
{
    const QuietSoundLibraries quiet;
    jack_client_t* client = jack_client_open("QarnHost graph", JackNoStartServer, nullptr);
    if (!client)
        return;
    std::atomic<int> cycles{0};
    jack_set_process_callback(
        client,
        [](jack_nframes_t, void* cycles) {
            static_cast<std::atomic<int>*>(cycles)->fetch_add(1);
            return 0;
        },
        &cycles);
    if (jack_activate(client) == 0) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (cycles.load() < 2 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    jack_client_close(client);
}
