#pragma once
// Whole records through a host's byte streams, which may move fewer bytes
// than asked at a time.
#include "formats/clap/abi/Streams.h"

#include <cstddef>

// Writes all `size` bytes; false when the stream fails or stops taking them.
bool writeWhole(const clap_ostream_t& stream, const void* bytes, size_t size);
// Reads up to the end of the stream into `bytes`, at most `capacity` bytes,
// and answers how many in `size`; false when the stream fails, answers more
// than it was asked for, or holds more than `capacity` bytes.
bool readWhole(const clap_istream_t& stream, void* bytes, size_t capacity, size_t& size);
