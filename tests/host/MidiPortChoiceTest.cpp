// Choosing a live MIDI port by the value a user gave --midi-in or --midi-out.
#include "host/engine/MidiPortChoice.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> ports = {
    "FluidSynth General MIDI synthesizer",
    "JACK: keys:out",
    "ALSA: Midi Through:Midi Through Port-0 14:0",
    "JACK: a2j:Midi Through [14] (capture): Midi Through Port-0",
    "JACK: keys:out2",
};
const MidiPortList outputs{"MIDI output", "--list-midi-out", ports};

int chosen(const std::string& wanted, const MidiPortList& list = outputs)
{
    int index = -1;
    std::string error;
    EXPECT_TRUE(chooseMidiPort(wanted, list, index, error)) << error;
    return index;
}

std::string refusal(const std::string& wanted, const MidiPortList& list = outputs)
{
    int index = 12345;
    std::string error;
    EXPECT_FALSE(chooseMidiPort(wanted, list, index, error)) << wanted;
    EXPECT_EQ(index, 12345) << "a refused choice leaves the index alone";
    EXPECT_EQ(error.find('\n'), std::string::npos);
    return error;
}

TEST(MidiPortChoiceTest, NumbersAreIndexesEvenBeyondTheList)
{
    EXPECT_EQ(chosen("0"), 0);
    EXPECT_EQ(chosen("4"), 4);
    EXPECT_EQ(chosen("007"), 7) << "open() names a number beyond the ports it finds";
    EXPECT_EQ(refusal("99999999999"), "there is no MIDI output 99999999999 (see --list-midi-out)");
}

TEST(MidiPortChoiceTest, AnExactNameWinsOverTheNamesHoldingIt)
{
    EXPECT_EQ(chosen("JACK: keys:out"), 1) << "\"JACK: keys:out2\" holds it too";
    EXPECT_EQ(chosen("JACK: keys:out2"), 4);
}

TEST(MidiPortChoiceTest, AUniquePartOfANameIgnoringCase)
{
    EXPECT_EQ(chosen("fluidsynth"), 0);
    EXPECT_EQ(chosen("KEYS:OUT2"), 4);
    EXPECT_EQ(chosen("a2j"), 3);
    EXPECT_EQ(chosen("ALSA:"), 2) << "the system's tag picks one of the same device's two ports";
}

TEST(MidiPortChoiceTest, NoneOrSeveralMatchingAreRefusedNamingThem)
{
    EXPECT_EQ(refusal("Roland"), "no MIDI output is named \"Roland\" or has it in its name (see --list-midi-out)");
    EXPECT_EQ(refusal("keys"),
        "\"keys\" is in the names of 2 MIDI outputs: 1 \"JACK: keys:out\", 4 \"JACK: keys:out2\"; "
        "give more of the name, or its number (see --list-midi-out)");
    EXPECT_EQ(refusal(""), "give a MIDI output's name or number (see --list-midi-out)");
    EXPECT_EQ(refusal("-1"), "no MIDI output is named \"-1\" or has it in its name (see --list-midi-out)");

    const std::vector<std::string> twins = {"USB MIDI", "USB MIDI"};
    EXPECT_EQ(refusal("USB MIDI", {"MIDI input", "--list-midi-in", twins}),
        "\"USB MIDI\" names 2 MIDI inputs: 0 \"USB MIDI\", 1 \"USB MIDI\"; give its number (see --list-midi-in)");
    EXPECT_EQ(refusal("usb", {"MIDI input", "--list-midi-in", {}}),
        "no MIDI input is named \"usb\" or has it in its name (see --list-midi-in)");
}

} // namespace
