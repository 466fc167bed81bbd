#include "host/linux/FluidSynthOutput.h"

#include "host/linux/SoundSystems.h"

#include <cstdlib>
#include <vector>

const char* const FluidSynthOutput::name = "FluidSynth General MIDI synthesizer";

namespace {

constexpr const char* defaultSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
// The order desktops offer them in; pipewire only where FluidSynth was built with it.
const char* const audioDrivers[] = {"pulseaudio", "pipewire", "jack", "alsa"};

// FluidSynth logs through process-wide functions. While one of these lives
// its last error is kept, for the one line that says why the output did not
// open; from then on its errors and warnings print as FluidSynth prints them
// and its chatter (which driver, which rate) is left out.
class KeptFluidError {
public:
    KeptFluidError()
    {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, keep, &last);
    }
    ~KeptFluidError()
    {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, level <= FLUID_WARN ? fluid_default_log_function : nullptr, nullptr);
    }
    KeptFluidError(const KeptFluidError&) = delete;
    KeptFluidError& operator=(const KeptFluidError&) = delete;

    // The last error since the last call, or `otherwise`.
    std::string take(const char* otherwise)
    {
        std::string text = last.empty() ? otherwise : last;
        last.clear();
        return text;
    }

private:
    static void keep(int level, const char* message, void* last)
    {
        if (level <= FLUID_ERR)
            *static_cast<std::string*>(last) = message;
    }

    std::string last;
};

bool fluidHasDriver(fluid_settings_t* settings, const std::string& driver)
{
    struct Search {
        const std::string& driver;
        bool found;
    } search{driver, false};
    fluid_settings_foreach_option(settings, "audio.driver", &search, [](void* data, const char*, const char* option) {
        Search& search = *static_cast<Search*>(data);
        search.found = search.found || search.driver == option;
    });
    return search.found;
}

} // namespace

FluidSynthOutput::~FluidSynthOutput()
{
    close();
}

bool FluidSynthOutput::open(std::string& error)
{
    close();
    const QuietSoundLibraries quiet;
    settings = new_fluid_settings();
    // Straight to the speakers under JACK, as under PulseAudio and ALSA.
    fluid_settings_setint(settings, "audio.jack.autoconnect", 1);
    fluid_settings_setstr(settings, "audio.jack.id", "QarnHost synthesizer");
    synth = settings ? new_fluid_synth(settings) : nullptr;
    if (!synth) {
        error = "FluidSynth could not start";
        close();
        return false;
    }
    if (!loadSoundFont(error) || !startAudio(error)) {
        close();
        return false;
    }
    return true;
}

bool FluidSynthOutput::loadSoundFont(std::string& error)
{
    const char* chosen = std::getenv("QARN_SOUND_FONT");
    const char* soundFont = chosen && *chosen ? chosen : defaultSoundFont;
    KeptFluidError fluidError;
    if (fluid_synth_sfload(synth, soundFont, 1) != FLUID_FAILED)
        return true;
    error = std::string("cannot load the sound font ") + soundFont + " (" + fluidError.take("not a sound font") + ")" +
        (chosen && *chosen ? "" : "; QARN_SOUND_FONT names another");
    return false;
}

bool FluidSynthOutput::startAudio(std::string& error)
{
    const char* chosen = std::getenv("QARN_AUDIO_DRIVER");
    std::vector<std::string> drivers;
    if (chosen && *chosen)
        drivers.push_back(chosen);
    else
        drivers.assign(std::begin(audioDrivers), std::end(audioDrivers));

    KeptFluidError fluidError;
    std::string tried;
    for (const std::string& driver : drivers) {
        if (!(chosen && *chosen) && !fluidHasDriver(settings, driver))
            continue;
        std::string why;
        if (driver == "jack" && !jackServerRuns()) {
            why = "no JACK server runs";
        } else {
            fluid_settings_setstr(settings, "audio.driver", driver.c_str());
            audio = new_fluid_audio_driver(settings, synth);
            if (audio)
                return true;
            why = fluidError.take("did not start");
        }
        tried += (tried.empty() ? "" : "; ") + driver + ": " + why;
    }
    error = "no audio driver started (" + tried + ")" + (chosen && *chosen ? "" : "; QARN_AUDIO_DRIVER chooses one");
    return false;
}

void FluidSynthOutput::close()
{
    if (synth) {
        fluid_synth_all_notes_off(synth, -1);
        fluid_synth_all_sounds_off(synth, -1);
    }
    if (audio)
        delete_fluid_audio_driver(audio);
    audio = nullptr;
    if (synth)
        delete_fluid_synth(synth);
    synth = nullptr;
    if (settings)
        delete_fluid_settings(settings);
    settings = nullptr;
}

void FluidSynthOutput::send(const uint8_t* bytes, uint8_t size)
{
    if (!audio || size < 1)
        return;
    const int kind = bytes[0] & 0xF0;
    if (size < (kind == 0xC0 || kind == 0xD0 ? 2 : 3))
        return;
    const int channel = bytes[0] & 0x0F;
    const int data1 = bytes[1] & 0x7F;
    const int data2 = size > 2 ? bytes[2] & 0x7F : 0;
    switch (kind) {
    case 0x80: fluid_synth_noteoff(synth, channel, data1); break;
    case 0x90: fluid_synth_noteon(synth, channel, data1, data2); break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7); break;
    default: break;
    }
}
