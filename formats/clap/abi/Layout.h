#pragma once
// The layouts CLAP hosts rely on, for the width being built: each record's
// size and the offset of every member either side reads. Windows aligns
// 64-bit members to eight bytes in 32-bit code too, which the 32-bit figures
// assume; no 32-bit Linux build is made.
#include <cstddef>

#define QARN_CLAP_SIZE(record, size32, size64)                                                                         \
    static_assert(sizeof(record) == (sizeof(void*) == 8 ? (size64) : (size32)), #record " has the host's size")
#define QARN_CLAP_OFFSET(record, member, offset32, offset64)                                                           \
    static_assert(offsetof(record, member) == (sizeof(void*) == 8 ? (offset64) : (offset32)),                          \
        #record "::" #member " is where the host reads it")
