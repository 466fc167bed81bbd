#pragma once
// Which instrument the 3-D view shows, shared by every instance of the
// plug-in in the process.
//
// Hosts choose programs on whatever thread they like (automation, a MIDI
// program change, a project loading in the background) while the view may be
// drawing the model. So choosing a program only records the wanted program;
// the side that draws the view builds its model, swaps it in before it draws
// and frees the old one (view3d/ModelSwap.h).
#include <atomic>
#include <cstdint>

constexpr int32_t noProgram = -1;

struct ModelSelection {
    // The program last chosen by any instance (0..4), or noProgram. Written
    // by any thread, read by the side that draws.
    std::atomic<int32_t> wantedProgram{noProgram};
    // Instances alive in the process. The model lives while any of them
    // does; the last one to close frees it. Hosts may create and close
    // instances on different threads.
    std::atomic<int32_t> liveInstances{0};
};

extern ModelSelection modelSelection;
