#include "gui/BitmapFiles.h"

#include <atomic>

namespace {
std::atomic<const BitmapFile*> table{nullptr};
}

void setBitmapFiles(const BitmapFile* files)
{
    table.store(files, std::memory_order_release);
}

const BitmapFile* findBitmapFile(int32_t id)
{
    for (const BitmapFile* file = table.load(std::memory_order_acquire); file && file->bytes; ++file) {
        if (file->id == id) {
            return file;
        }
    }
    return nullptr;
}
