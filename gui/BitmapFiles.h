#pragma once
// Where the toolkit finds its bitmaps on platforms without module resources:
// BMP files compiled into the library, each under the number a Windows
// resource script gives it. The library's entry hands the table over before
// any editor opens; the table must stay valid for as long as the library is
// loaded. Windows loads BITMAP resources from the module instead.
#include <cstddef>
#include <cstdint>

struct BitmapFile {
    int32_t id;
    const unsigned char* bytes; // null ends a table
    size_t size;
};

// Any thread. `files` ends with an entry whose bytes are null; the last table
// handed over wins, and null clears it.
void setBitmapFiles(const BitmapFile* files);
// The file numbered `id`, or null when there is no table or no such file.
const BitmapFile* findBitmapFile(int32_t id);
