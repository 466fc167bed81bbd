#pragma once
// The one instrument the 3-D view shows, shared by every instance of the
// plug-in in the process.
//
// Hosts choose programs on whatever thread they like (automation, a MIDI
// program change, a project loading in the background) while the
// user-interface thread may be drawing the model. So choosing a program only
// records the wanted program; the user-interface thread builds its model,
// swaps it in before it draws and frees the old one (view3d/ModelSwap.h).
// Models are built, drawn and freed on that thread alone.
#include <atomic>
#include <cstdint>

class InstrumentModel;

constexpr int32_t noProgram = -1;

struct ModelSelection {
    // The program last chosen by any instance (0..4), or noProgram. Written
    // by any thread, read by the user-interface thread.
    std::atomic<int32_t> wantedProgram{noProgram};
    // Instances alive in the process. The model lives while any of them
    // does; the last one to close frees it. Hosts may create and close
    // instances on different threads.
    std::atomic<int32_t> liveInstances{0};
};

extern ModelSelection modelSelection;

// The wanted program's model, once the user-interface thread has swapped it
// in. Empty before that, after the last instance closed and after a failed
// allocation. Read and written on the user-interface thread only.
extern InstrumentModel* currentModel;
