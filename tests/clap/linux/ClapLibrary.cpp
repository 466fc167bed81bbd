#include "tests/clap/ClapLibrary.h"

#include <dlfcn.h>

const clap_plugin_entry_t* clapEntry()
{
    static void* library = dlopen(QARN_CLAP_FILE, RTLD_NOW | RTLD_LOCAL);
    return library ? static_cast<const clap_plugin_entry_t*>(dlsym(library, "clap_entry")) : nullptr;
}
