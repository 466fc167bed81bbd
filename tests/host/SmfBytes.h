#pragma once
// Builds Standard MIDI File bytes by hand for the reader's tests: a header,
// then track chunks whose bodies the test writes byte by byte.
#include <cstdint>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void append32(Bytes& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

inline Bytes smfHeader(int format, int tracks, int division)
{
    Bytes bytes = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    for (int value : {format, tracks, division}) {
        bytes.push_back(static_cast<uint8_t>(value >> 8));
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

inline void appendChunk(Bytes& bytes, const char* tag, const Bytes& body)
{
    bytes.insert(bytes.end(), tag, tag + 4);
    append32(bytes, static_cast<uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
}

inline void appendTrack(Bytes& bytes, const Bytes& body)
{
    appendChunk(bytes, "MTrk", body);
}

// Delta 0, end of track.
inline Bytes endOfTrack()
{
    return {0x00, 0xFF, 0x2F, 0x00};
}

inline Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A format 0 file at 480 ticks per quarter with one track of this body.
inline Bytes singleTrackFile(const Bytes& body)
{
    Bytes file = smfHeader(0, 1, 480);
    appendTrack(file, body);
    return file;
}
