#include "core/DiagnosticLog.h"

#include "state/NoteTable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Appends to a fixed buffer, dropping what does not fit; the buffer stays
// terminated throughout.
class LineWriter {
public:
    LineWriter(char* line, size_t capacity)
        : line(line)
        , capacity(capacity)
    {
        if (capacity > 0)
            line[0] = '\0';
    }

    void put(char c)
    {
        if (length + 1 < capacity) {
            line[length++] = c;
            line[length] = '\0';
        }
    }

    void format(const char* pattern, ...)
    {
        if (length + 1 >= capacity)
            return;
        va_list arguments;
        va_start(arguments, pattern);
        const int written = std::vsnprintf(line + length, capacity - length, pattern, arguments);
        va_end(arguments);
        if (written > 0)
            length = std::min(length + static_cast<size_t>(written), capacity - 1);
    }

    void quoted(const char* text)
    {
        static const char hexDigits[] = "0123456789abcdef";
        put('"');
        const size_t size = text ? strnlen(text, hostStringCapacity - 1) : 0;
        for (size_t i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            switch (byte) {
            case '"': put('\\'), put('"'); break;
            case '\\': put('\\'), put('\\'); break;
            case '\n': put('\\'), put('n'); break;
            case '\r': put('\\'), put('r'); break;
            case '\t': put('\\'), put('t'); break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    put('\\'), put('x'), put(hexDigits[byte >> 4]), put(hexDigits[byte & 0x0F]);
                } else {
                    put(static_cast<char>(byte));
                }
            }
        }
        put('"');
    }

    size_t size() const { return length; }

private:
    char* line;
    size_t capacity;
    size_t length = 0;
};

} // namespace

size_t formatDiagnosticLine(char* line, size_t capacity, const HostDescription& host, const DeliveryCounts& counts)
{
    LineWriter out(line, capacity);
    out.format("vendor=");
    out.quoted(host.vendor);
    out.format(" product=");
    out.quoted(host.product);
    out.format(" rate=%.10g block=%ld events=%lu note-ons=%lu most-held=%lu\n", static_cast<double>(host.sampleRate),
        static_cast<long>(host.blockSize), static_cast<unsigned long>(counts.midiEvents),
        static_cast<unsigned long>(counts.noteOns), static_cast<unsigned long>(counts.mostHeld));
    return out.size();
}

DiagnosticLog::DiagnosticLog()
{
    const char* file = std::getenv("QARN_LOG");
    if (!file || !*file)
        return;
    const size_t size = std::strlen(file) + 1;
    path.reset(new (std::nothrow) char[size]);
    if (path)
        std::memcpy(path.get(), file, size);
}

void DiagnosticLog::countBlock(const MidiBlockCounts& block)
{
    if (!enabled())
        return;
    midiEvents.fetch_add(static_cast<uint32_t>(block.midiEvents), std::memory_order_relaxed);
    noteOns.fetch_add(static_cast<uint32_t>(block.noteOns), std::memory_order_relaxed);
    const auto held = static_cast<uint32_t>(heldNoteCount());
    if (held > mostHeld.load(std::memory_order_relaxed))
        mostHeld.store(held, std::memory_order_relaxed);
}

DeliveryCounts DiagnosticLog::counts() const
{
    return {midiEvents.load(std::memory_order_relaxed), noteOns.load(std::memory_order_relaxed),
        mostHeld.load(std::memory_order_relaxed)};
}

void DiagnosticLog::append(const HostDescription& host) const
{
    if (!enabled())
        return;
    char line[diagnosticLineCapacity];
    const size_t size = formatDiagnosticLine(line, sizeof line, host, counts());
    // One write per line, in append mode, so that instances closing at the
    // same time do not mix their lines.
    std::FILE* file = std::fopen(path.get(), "a");
    if (!file)
        return;
    std::fwrite(line, 1, size, file);
    std::fclose(file);
}
