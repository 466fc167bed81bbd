#pragma once
// The byte streams a host hands the plug-in to save and load its state.
#include "formats/clap/abi/Layout.h"

#include <cstdint>

struct clap_istream_t {
    void* ctx;
    // Bytes read, at most `size`: 0 at the end of the stream, -1 on an error.
    int64_t (*read)(const clap_istream_t* stream, void* buffer, uint64_t size);
};

struct clap_ostream_t {
    void* ctx;
    // Bytes written, possibly fewer than `size`; -1 on an error.
    int64_t (*write)(const clap_ostream_t* stream, const void* buffer, uint64_t size);
};

QARN_CLAP_SIZE(clap_istream_t, 8, 16);
QARN_CLAP_OFFSET(clap_istream_t, read, 4, 8);
QARN_CLAP_SIZE(clap_ostream_t, 8, 16);
QARN_CLAP_OFFSET(clap_ostream_t, write, 4, 8);
