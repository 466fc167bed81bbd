#include "tests/clap/ClapLibrary.h"

#include <windows.h>

const clap_plugin_entry_t* clapEntry()
{
    static HMODULE library = LoadLibraryA(QARN_CLAP_FILE);
    return library
        ? reinterpret_cast<const clap_plugin_entry_t*>(reinterpret_cast<void*>(GetProcAddress(library, "clap_entry")))
        : nullptr;
}
