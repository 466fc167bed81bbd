#pragma once
// The output every Linux host has, as device 0 is on Windows: FluidSynth's
// General MIDI synthesizer with the GM sound font fluid-soundfont-gm
// installs, sounding through the first audio system that starts.
//   QARN_SOUND_FONT   another sound font (.sf2) to load
//   QARN_AUDIO_DRIVER the one FluidSynth audio driver to use (pulseaudio,
//                     jack, alsa, ...) instead of trying pulseaudio,
//                     pipewire, jack and alsa in turn
// JACK is tried only when a server runs: FluidSynth would start one.
#include <fluidsynth.h>

#include <cstdint>
#include <string>

class FluidSynthOutput {
public:
    static const char* const name;

    FluidSynthOutput() = default;
    ~FluidSynthOutput();
    FluidSynthOutput(const FluidSynthOutput&) = delete;
    FluidSynthOutput& operator=(const FluidSynthOutput&) = delete;

    // User-interface thread. Errors are one line: what failed and why, in
    // FluidSynth's words where it has them.
    bool open(std::string& error);
    // Silences every channel, then stops the audio; harmless when closed.
    void close();

    // Processing thread: one channel message, played at once.
    void send(const uint8_t* bytes, uint8_t size);

private:
    bool loadSoundFont(std::string& error);
    bool startAudio(std::string& error);

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* audio = nullptr;
};
