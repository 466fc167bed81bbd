#include "host/linux/RtMidiPorts.h"

#include "host/linux/SoundSystems.h"

const char* const rtMidiClientName = "QarnHost";

namespace {

std::vector<RtMidi::Api> answeringApis()
{
    std::vector<RtMidi::Api> apis;
    if (alsaSequencerAnswers())
        apis.push_back(RtMidi::LINUX_ALSA);
    if (jackServerRuns())
        apis.push_back(RtMidi::UNIX_JACK);
    return apis;
}

const char* tagOf(RtMidi::Api api)
{
    return api == RtMidi::UNIX_JACK ? "JACK: " : "ALSA: ";
}

template <typename Connection> std::vector<RtMidiPort> portsOf()
{
    std::vector<RtMidiPort> ports;
    for (RtMidi::Api api : answeringApis()) {
        try {
            Connection connection(api, rtMidiClientName);
            const RtMidiErrors errors(connection);
            const unsigned int count = connection.getPortCount();
            for (unsigned int i = 0; i < count; ++i)
                ports.push_back({api, i, tagOf(api) + connection.getPortName(i)});
        } catch (const RtMidiError&) {
            // The system went away since it answered; it is left out like one that never did.
        }
    }
    return ports;
}

} // namespace

std::vector<RtMidiPort> rtMidiInputPorts()
{
    return portsOf<RtMidiIn>();
}

std::vector<RtMidiPort> rtMidiOutputPorts()
{
    return portsOf<RtMidiOut>();
}

std::vector<std::string> namesOf(const std::vector<RtMidiPort>& ports)
{
    std::vector<std::string> names;
    for (const RtMidiPort& port : ports)
        names.push_back(port.name);
    return names;
}

RtMidiErrors::RtMidiErrors(RtMidi& connection)
    : connection(connection)
{
    connection.setErrorCallback(collect, this);
}

RtMidiErrors::~RtMidiErrors()
{
    connection.setErrorCallback([](RtMidiError::Type, const std::string&, void*) {}, nullptr);
}

void RtMidiErrors::collect(RtMidiError::Type, const std::string& text, void* errors)
{
    std::string& collected = static_cast<RtMidiErrors*>(errors)->collected;
    collected += (collected.empty() ? "" : "; ") + text;
}
