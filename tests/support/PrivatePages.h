#pragma once
// The process's private memory as Linux counts it: the sum of the
// `Private_*:` lines of /proc/<pid>/smaps_rollup, in kB.
#include <cstdlib>
#include <cstring>
#include <string>

inline size_t privateKibOfRollup(const std::string& rollup)
{
    size_t kib = 0;
    size_t line = 0;
    while (line < rollup.size()) {
        if (rollup.compare(line, 8, "Private_") == 0) {
            const size_t colon = rollup.find(':', line);
            if (colon != std::string::npos)
                kib += std::strtoul(rollup.c_str() + colon + 1, nullptr, 10);
        }
        const size_t end = rollup.find('\n', line);
        if (end == std::string::npos)
            break;
        line = end + 1;
    }
    return kib;
}
