#pragma once
// Off-screen rendering of the 3-D view for tests and benchmarks: opens the
// view (the native GLUT layer draws into an off-screen framebuffer), draws
// frames the way the editor's idle does, and reads back what was shown.
#include <cstdint>
#include <vector>

class InstrumentModel;

constexpr int viewPixelWidth = 600;
constexpr int viewPixelHeight = 400;

struct Colour {
    int r, g, b;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba; // rows from the top down

    Colour at(int x, int y) const; // y counts from the top
};

// Where a scene point lands in the 600 x 400 view at zoom 0 with all angles
// 0: the camera of the display callback, computed without GL.
struct ScreenPoint {
    double x;
    double y; // from the top
    double depth; // window depth 0..1, as the depth buffer holds it
};
ScreenPoint projectAtRest(double x, double y, double z);

// While alive, the view is open off-screen with `model` as the current model
// (owned by the caller; without one, whatever model is current stays). Every
// test starts from a zero view state, silent notes and practice off, and
// leaves them so.
class RenderHarness {
public:
    explicit RenderHarness(InstrumentModel* model = nullptr);
    ~RenderHarness();

    RenderHarness(const RenderHarness&) = delete;
    RenderHarness& operator=(const RenderHarness&) = delete;

    // Asks for a redraw and runs one idle pump, as a block of MIDI would.
    void drawFrame();
    Image read() const;
    int framesDrawn() const;

    // The depth buffer at (x, y from the top) as the last frame left it.
    float depthAt(int x, int y) const;

    void reopen();

private:
    InstrumentModel* model;
};

// Compares two pictures: the share of pixels where some channel differs by
// more than `threshold`.
double differingShare(const Image& a, const Image& b, int threshold);
