// Live MIDI on Linux: RtMidi over the ALSA sequencer and JACK, and
// FluidSynth's General MIDI synthesizer as output 0 (FluidSynthOutput.h).
//
// The lists join the ports of every system that answers (RtMidiPorts.h), each
// name tagged with its system and then written as that system writes it:
//   ALSA: Midi Through:Midi Through Port-0 14:0
//   JACK: system:midi_capture_1
// so a list tells JACK's ports from ALSA's (a2jmidid shows one device in
// both), and a port's own name, or a unique part of it, still chooses it
// (MidiPortChoice.h). A number is an index into the list as found when the
// port is opened; a port that came or went since the list was printed moves
// the numbers after it.
//
// The output's device calls run on a thread of the port's own (MidiSender.h):
// send() only queues the message.
#include "host/engine/MidiPorts.h"

#include "host/linux/FluidSynthOutput.h"
#include "host/linux/MidiSender.h"
#include "host/linux/RtMidiPorts.h"
#include "host/linux/SoundSystems.h"

struct MidiInput::Native {
    Receiver receiver;
    std::unique_ptr<RtMidiIn> input; // after the receiver: stops before the receiver goes

    // RtMidi's thread (the ALSA input's, or JACK's process thread).
    static void deliver(double, std::vector<unsigned char>* message, void* native)
    {
        if (message->empty() || (*message)[0] < 0x80 || (*message)[0] >= 0xF0)
            return;
        const auto data = [message](size_t i) { return i < message->size() ? (*message)[i] & 0x7F : 0; };
        static_cast<Native*>(native)->receiver(
            (*message)[0], static_cast<uint8_t>(data(1)), static_cast<uint8_t>(data(2)));
    }
};

MidiInput::MidiInput()
    : native(std::make_unique<Native>())
{
}

MidiInput::~MidiInput()
{
    close();
}

std::vector<std::string> MidiInput::portNames()
{
    return namesOf(rtMidiInputPorts());
}

bool MidiInput::open(int port, Receiver receiver, std::string& error)
{
    close();
    const std::vector<RtMidiPort> ports = rtMidiInputPorts();
    if (port < 0 || static_cast<size_t>(port) >= ports.size()) {
        error = "there is no MIDI input device " + std::to_string(port) + " (see --list-midi-in)";
        return false;
    }
    const RtMidiPort& chosen = ports[static_cast<size_t>(port)];
    native->receiver = std::move(receiver);
    try {
        auto input = std::make_unique<RtMidiIn>(chosen.api, rtMidiClientName);
        const RtMidiErrors errors(*input);
        // Sysex, clock and timecode, active sensing: a keyboard sends them unasked, the host uses none.
        input->ignoreTypes(true, true, true);
        input->setCallback(Native::deliver, native.get());
        input->openPort(chosen.number, "keyboard");
        if (errors.text().empty() && input->isPortOpen()) {
            native->input = std::move(input);
            if (chosen.api == RtMidi::UNIX_JACK)
                awaitJackGraph();
            return true;
        }
        error = "MIDI input " + std::to_string(port) + ": " + (errors.text().empty() ? "not opened" : errors.text());
    } catch (const RtMidiError& failure) {
        error = "MIDI input " + std::to_string(port) + ": " + failure.getMessage();
    }
    native->receiver = nullptr;
    return false;
}

void MidiInput::close()
{
    // RtMidi's input ends its thread, or leaves JACK's graph, before it is gone.
    native->input.reset();
    native->receiver = nullptr;
}

struct MidiOutputPort::Native {
    FluidSynthOutput synthesizer;
    std::unique_ptr<RtMidiOut> output; // ports past 0
    MidiSender sender; // after the devices: stops before they go

    // The device just opened, on a thread of the port's own from now on.
    bool startSending(const std::string& failed, std::string& error)
    {
        const bool started = sender.start(
            [this](const uint8_t* bytes, uint8_t size) {
                if (output)
                    output->sendMessage(bytes, size);
                else
                    synthesizer.send(bytes, size);
            },
            error);
        if (!started)
            error = failed + error;
        return started;
    }
};

MidiOutputPort::MidiOutputPort()
    : native(std::make_unique<Native>())
{
}

MidiOutputPort::~MidiOutputPort()
{
    close();
}

std::vector<std::string> MidiOutputPort::portNames()
{
    std::vector<std::string> names = {FluidSynthOutput::name};
    for (std::string& name : namesOf(rtMidiOutputPorts()))
        names.push_back(std::move(name));
    return names;
}

bool MidiOutputPort::open(int port, std::string& error)
{
    close();
    if (port == 0) {
        const std::string failed = "MIDI output 0 (" + std::string(FluidSynthOutput::name) + "): ";
        if (native->synthesizer.open(error)) {
            if (native->startSending(failed, error))
                return true;
            native->synthesizer.close();
            return false;
        }
        error = failed + error;
        return false;
    }
    const std::vector<RtMidiPort> ports = rtMidiOutputPorts();
    const size_t count = ports.size() + 1;
    if (port < 0 || static_cast<size_t>(port) >= count) {
        error = "MIDI output " + std::to_string(port) + ": no such device (there " +
            (count == 1 ? "is 1" : "are " + std::to_string(count)) + "; see --list-midi-out)";
        return false;
    }
    const RtMidiPort& chosen = ports[static_cast<size_t>(port) - 1];
    const std::string failed = "MIDI output " + std::to_string(port) + " (" + chosen.name + "): ";
    try {
        auto output = std::make_unique<RtMidiOut>(chosen.api, rtMidiClientName);
        const RtMidiErrors errors(*output);
        output->openPort(chosen.number, "song");
        if (errors.text().empty() && output->isPortOpen()) {
            native->output = std::move(output);
            if (chosen.api == RtMidi::UNIX_JACK)
                awaitJackGraph();
            if (native->startSending(failed, error))
                return true;
            native->output.reset();
            return false;
        }
        error = failed + (errors.text().empty() ? "not opened" : errors.text());
    } catch (const RtMidiError& failure) {
        error = failed + failure.getMessage();
    }
    return false;
}

void MidiOutputPort::close()
{
    // The song's last messages reach the device before the silence.
    native->sender.stop();
    native->synthesizer.close();
    if (!native->output)
        return;
    for (uint8_t channel = 0; channel < 16; ++channel) {
        const uint8_t allNotesOff[] = {static_cast<uint8_t>(0xB0 | channel), 123, 0};
        const uint8_t allSoundOff[] = {static_cast<uint8_t>(0xB0 | channel), 120, 0};
        native->output->sendMessage(allNotesOff, sizeof allNotesOff);
        native->output->sendMessage(allSoundOff, sizeof allSoundOff);
    }
    // RtMidi's JACK output may close before its process callback has sent
    // what is queued: the silence would be lost, and the notes hang.
    if (native->output->getCurrentApi() == RtMidi::UNIX_JACK)
        awaitJackGraph();
    native->output.reset();
}

void MidiOutputPort::send(const uint8_t* bytes, uint8_t size)
{
    native->sender.send(bytes, size);
}
