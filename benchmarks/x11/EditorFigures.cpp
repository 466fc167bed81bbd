// Figures of the Linux library as a Linux host loads it, for
// scripts/bench-report.sh, which sets them beside the Windows DLL's
// (benchmarks/win32/EditorFigures.cpp; a figure both measure has the same
// name): how long effEditOpen and effEditClose take and how long until the
// view's first frame has ended, and per program the frame the view draws
// after a block of MIDI. Prints one "name: value" line per figure.
//
//   editor_figures QarnViewer.so      (needs an X display)
//
// On Windows the host's idle draws that frame, and the figure there is the
// idle's time; here the view's own thread draws it as soon as the block
// wakes it, and the figure is the frame's own time, from its clear until
// its swap has returned.
#include "benchmarks/ChordBlock.h"
#include "benchmarks/x11/LibraryEditor.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/X11TestWindow.h"

#include <cstdio>

namespace {

constexpr int openRounds = 20;
constexpr int programCount = 5;
constexpr int frameRounds = 40;
// A frame that has not come by then is not coming.
constexpr double patienceMs = 2000.0;
// Longer than the view's shortest gap between two frames, so that each
// block's frame is drawn at once and a second frame after it would be seen.
constexpr double settleMs = 25.0;

struct OpenTimes {
    double open;
    double firstFrame; // until the first frame has ended; negative if none came
};

OpenTimes openEditor(LibraryEditor& editor, X11TestWindow& host)
{
    const int frames = lastFrame().ended;
    const double start = nowMs();
    const double open = editor.open(host.parent());
    const bool drawn = editor.idleUntilFrames(frames + 1, patienceMs);
    return {open, drawn ? lastFrame().end - start : -1.0};
}

void printFrameFigures(LibraryEditor& editor, X11TestWindow& host)
{
    openEditor(editor, host);
    for (int program = 0; program < programCount; ++program) {
        editor.dispatch(effSetProgram, program);
        editor.idleUntilFrames(lastFrame().ended + 1, patienceMs);
        editor.idleUntilFrames(lastFrame().ended + 1, settleMs);
        std::vector<double> times;
        int strayFrames = 0;
        for (int round = 0; round < frameRounds; ++round) {
            const int frames = lastFrame().ended;
            MidiBlock block = chordBlock(round % 2 == 0);
            editor.dispatch(effProcessEvents, 0, block.events());
            editor.idleUntilFrames(frames + 1, patienceMs);
            editor.idleUntilFrames(frames + 2, settleMs);
            const FrameRecord frame = lastFrame();
            if (frame.ended == frames + 1)
                times.push_back(frame.end - frame.start);
            else
                ++strayFrames;
        }
        std::printf("frame after a MIDI block, program %d: %.3f ms", program, median(times));
        if (strayFrames)
            std::printf(" (%d blocks were not shown by exactly one frame)", strayFrames);
        std::printf("\n");
    }
    editor.dispatch(effSetProgram, 3);
    editor.close();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor_figures QarnViewer.so\n");
        return 2;
    }
    X11TestWindow host;
    LibraryEditor editor(argv[1]);
    if (!host.valid() || !editor.valid()) {
        std::fprintf(stderr, "editor_figures: no X display, or cannot load %s\n", argv[1]);
        return 2;
    }

    const OpenTimes first = openEditor(editor, host);
    editor.close();
    std::vector<double> opens, firstFrames, closes;
    int opensWithoutFrame = first.firstFrame < 0 ? 1 : 0;
    for (int i = 0; i < openRounds; ++i) {
        const OpenTimes times = openEditor(editor, host);
        opens.push_back(times.open);
        if (times.firstFrame >= 0)
            firstFrames.push_back(times.firstFrame);
        else
            ++opensWithoutFrame;
        closes.push_back(editor.close());
    }
    std::printf("first editor open: %.2f ms\n", first.open);
    std::printf("first editor open to first frame: %.2f ms\n", first.firstFrame);
    std::printf("editor open (median of %d): %.2f ms\n", openRounds, median(opens));
    std::printf("editor open to first frame (median of %d): %.2f ms\n", openRounds, median(firstFrames));
    std::printf("editor close (median of %d): %.2f ms\n", openRounds, median(closes));
    if (opensWithoutFrame)
        std::printf("editor opens that showed no frame: %d\n", opensWithoutFrame);
    std::fflush(stdout);

    printFrameFigures(editor, host);
    if (hostXErrors())
        std::printf("X errors on the host's connections: %d\n", hostXErrors());
    return 0;
}
