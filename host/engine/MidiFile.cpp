#include "host/engine/MidiFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

constexpr size_t largestFile = 64u << 20;

std::string hexByte(uint8_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// Walks the bytes of one file; every read checks the bytes that are left.
class MidiFileParser {
public:
    MidiFileParser(const uint8_t* data, size_t size, MidiFile& file, MidiFileError& error)
        : data(data)
        , size(size)
        , file(file)
        , error(error)
    {
    }

    bool parse()
    {
        file = MidiFile{};
        if (size < 4 || !hasTag(0, "MThd"))
            return fail(0, "not a Standard MIDI File: it does not start with \"MThd\"");
        if (size < 14)
            return fail(size, "the file ends inside its header");
        const uint32_t headerLength = read32(4);
        if (headerLength < 6)
            return fail(4, "the header is " + std::to_string(headerLength) + " bytes long, at least 6 expected");
        if (headerLength > size - 8)
            return fail(4,
                "the header declares " + std::to_string(headerLength) + " bytes but only " + std::to_string(size - 8) +
                    " follow");
        if (!readHeader())
            return false;

        size_t position = 8 + size_t{headerLength};
        int tracksRead = 0;
        while (tracksRead < file.trackCount) {
            if (size - position < 8)
                return fail(size,
                    "the file ends after " + std::to_string(tracksRead) + " of " + std::to_string(file.trackCount) +
                        " tracks");
            const uint32_t length = read32(position + 4);
            const size_t begin = position + 8;
            if (length > size - begin)
                return fail(position + 4,
                    "a chunk declares " + std::to_string(length) + " bytes but only " + std::to_string(size - begin) +
                        " follow");
            // Chunks of unknown types are skipped, as the format asks of readers.
            if (hasTag(position, "MTrk")) {
                if (!readTrack(begin, begin + length, static_cast<uint16_t>(tracksRead)))
                    return false;
                ++tracksRead;
            }
            position = begin + length;
        }

        auto byTick = [](const auto& a, const auto& b) { return a.tick < b.tick; };
        std::stable_sort(file.events.begin(), file.events.end(), byTick);
        std::stable_sort(file.tempoChanges.begin(), file.tempoChanges.end(), byTick);
        std::stable_sort(file.timeSignatures.begin(), file.timeSignatures.end(), byTick);
        return true;
    }

private:
    bool fail(size_t offset, const std::string& message)
    {
        error.offset = offset;
        error.message = message;
        return false;
    }

    bool hasTag(size_t at, const char* tag) const { return size - at >= 4 && std::equal(tag, tag + 4, data + at); }
    uint32_t read16(size_t at) const { return uint32_t{data[at]} << 8 | data[at + 1]; }
    uint32_t read32(size_t at) const { return read16(at) << 16 | read16(at + 2); }

    bool readHeader()
    {
        file.format = static_cast<int>(read16(8));
        file.trackCount = static_cast<int>(read16(10));
        const uint32_t division = read16(12);

        if (file.format == 2)
            return fail(8, "format 2 (independent sequences) is not supported");
        if (file.format > 2)
            return fail(8, "unknown format " + std::to_string(file.format));
        if (file.trackCount == 0)
            return fail(10, "the file declares no tracks");
        if (file.format == 0 && file.trackCount != 1)
            return fail(
                10, "a format 0 file must have one track, this one declares " + std::to_string(file.trackCount));

        if (division & 0x8000) {
            // SMPTE time: the high byte is minus the frame rate, the low byte ticks per frame.
            const int framesPerSecond = -static_cast<int8_t>(division >> 8);
            const int ticksPerFrame = static_cast<int>(division & 0xFF);
            if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 && framesPerSecond != 30)
                return fail(12, "unknown SMPTE frame rate " + std::to_string(framesPerSecond));
            if (ticksPerFrame == 0)
                return fail(13, "SMPTE time with 0 ticks per frame");
            const double rate = framesPerSecond == 29 ? 29.97 : framesPerSecond;
            file.ticksPerSecond = rate * ticksPerFrame;
        } else {
            if (division == 0)
                return fail(12, "a division of 0 ticks per quarter note");
            file.ticksPerQuarter = static_cast<int>(division);
        }
        return true;
    }

    // A variable-length quantity: at most four bytes of seven bits, all but the last with bit 7 set.
    bool readQuantity(size_t& position, size_t end, uint32_t& value)
    {
        const size_t start = position;
        value = 0;
        for (int count = 0; count < 4; ++count) {
            if (position >= end)
                return fail(position, "the track ends inside a variable-length quantity");
            const uint8_t byte = data[position++];
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80))
                return true;
        }
        return fail(start, "a variable-length quantity longer than 4 bytes");
    }

    // The data bytes of a channel message: one for program change and channel pressure, else two.
    static int dataByteCount(uint8_t status)
    {
        const uint8_t kind = status & 0xF0;
        return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    }

    bool readTrack(size_t position, size_t end, uint16_t track)
    {
        uint64_t tick = 0;
        uint8_t runningStatus = 0;
        while (position < end) {
            uint32_t delta = 0;
            if (!readQuantity(position, end, delta))
                return false;
            tick += delta;
            if (position >= end)
                return fail(position, "the track ends after a delta time, without its event");

            uint8_t status = data[position];
            if (status < 0x80) {
                if (runningStatus == 0)
                    return fail(position, "data byte " + hexByte(status) + " without a status byte before it");
                status = runningStatus;
            } else {
                ++position;
            }

            if (status < 0xF0) {
                if (!readChannelMessage(position, end, status, tick, track))
                    return false;
                runningStatus = status;
            } else if (status == 0xFF) {
                bool endOfTrack = false;
                if (!readMetaEvent(position, end, tick, endOfTrack))
                    return false;
                if (endOfTrack)
                    break;
            } else if (status == 0xF0 || status == 0xF7) {
                const size_t lengthAt = position;
                uint32_t length = 0;
                if (!readQuantity(position, end, length))
                    return false;
                if (length > end - position)
                    return fail(lengthAt,
                        "a sysex event of " + std::to_string(length) + " bytes runs past the end of its track");
                position += length;
            } else {
                return fail(position - 1, "status " + hexByte(status) + " cannot appear in a MIDI file");
            }
            // Some writers keep running status across meta and sysex events;
            // keeping it here reads those files and changes nothing for the rest.
        }
        file.endTick = std::max(file.endTick, tick);
        return true;
    }

    bool readChannelMessage(size_t& position, size_t end, uint8_t status, uint64_t tick, uint16_t track)
    {
        MidiFileEvent event;
        event.tick = tick;
        event.track = track;
        event.bytes[0] = status;
        event.size = static_cast<uint8_t>(1 + dataByteCount(status));
        for (int i = 1; i < event.size; ++i) {
            if (position >= end)
                return fail(position, "the track ends inside a " + hexByte(status) + " message");
            const uint8_t byte = data[position];
            if (byte >= 0x80)
                return fail(position,
                    "status byte " + hexByte(byte) + " where a data byte of " + hexByte(status) + " was expected");
            event.bytes[i] = byte;
            ++position;
        }
        file.events.push_back(event);
        return true;
    }

    bool readMetaEvent(size_t& position, size_t end, uint64_t tick, bool& endOfTrack)
    {
        if (position >= end)
            return fail(position, "the track ends inside a meta event");
        const uint8_t type = data[position++];
        const size_t lengthAt = position;
        uint32_t length = 0;
        if (!readQuantity(position, end, length))
            return false;
        if (length > end - position)
            return fail(
                lengthAt, "a meta event of " + std::to_string(length) + " bytes runs past the end of its track");

        if (type == 0x51) {
            if (length < 3)
                return fail(lengthAt, "a tempo event of " + std::to_string(length) + " bytes, 3 expected");
            const uint32_t tempo = uint32_t{data[position]} << 16 | read16(position + 1);
            if (tempo == 0)
                return fail(position, "a tempo of 0 microseconds per quarter note");
            file.tempoChanges.push_back(TempoChange{tick, tempo});
        } else if (type == 0x58) {
            // A signature of no beats or of notes shorter than 1/64 cannot lay
            // out bars; it is skipped rather than refusing a song that plays.
            if (length >= 2 && data[position] > 0 && data[position + 1] <= 6)
                file.timeSignatures.push_back(TimeSignature{tick, data[position], 1 << data[position + 1]});
        } else if (type == 0x2F) {
            endOfTrack = true;
        }
        position += length;
        return true;
    }

    const uint8_t* data;
    size_t size;
    MidiFile& file;
    MidiFileError& error;
};

} // namespace

std::string MidiFileError::describe() const
{
    return "byte " + std::to_string(offset) + ": " + message;
}

bool parseMidiFile(const uint8_t* data, size_t size, MidiFile& file, MidiFileError& error)
{
    if (!data)
        size = 0;
    static const uint8_t nothing = 0;
    return MidiFileParser(data ? data : &nothing, size, file, error).parse();
}

bool loadMidiFile(const std::string& path, MidiFile& file, std::string& message)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        message = path + ": cannot open the file";
        return false;
    }
    std::vector<uint8_t> bytes;
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + stream.gcount());
        if (bytes.size() > largestFile) {
            message = path + ": larger than 64 MiB, too large for a MIDI file";
            return false;
        }
    }
    if (stream.bad()) {
        message = path + ": cannot read the file";
        return false;
    }
    MidiFileError error;
    if (!parseMidiFile(bytes.data(), bytes.size(), file, error)) {
        message = path + ": " + error.describe();
        return false;
    }
    return true;
}
