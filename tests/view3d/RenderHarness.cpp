#include "tests/view3d/RenderHarness.h"

#include "glut/glut.h"
#include "view3d/ModelSwap.h"
#include "state/RedrawRequest.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/GlView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// The depth buffer of the last frame, read inside the display callback while
// the view's context is current.
std::vector<float> lastDepth;

void displayAndKeepDepth()
{
    displayView();
    lastDepth.assign(static_cast<size_t>(viewPixelWidth) * viewPixelHeight, 0.0f);
    glReadPixels(0, 0, viewPixelWidth, viewPixelHeight, GL_DEPTH_COMPONENT, GL_FLOAT, lastDepth.data());
}

void openWithDepth()
{
    openView(nullptr);
    glutDisplayFunc(displayAndKeepDepth); // the view is the current window
}
} // namespace

Colour Image::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

ScreenPoint projectAtRest(double x, double y, double z)
{
    const double eyeZ = z - 50.0;
    const double focal = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    const double aspect = static_cast<double>(viewPixelWidth) / viewPixelHeight;
    const double nearPlane = 1.0;
    const double farPlane = 100.0;
    const double ndcX = focal / aspect * x / -eyeZ;
    const double ndcY = focal * y / -eyeZ;
    const double ndcZ =
        (farPlane + nearPlane) / (farPlane - nearPlane) + 2.0 * farPlane * nearPlane / ((farPlane - nearPlane) * eyeZ);
    return {(ndcX + 1.0) / 2.0 * viewPixelWidth, (1.0 - ndcY) / 2.0 * viewPixelHeight, (ndcZ + 1.0) / 2.0};
}

RenderHarness::RenderHarness(InstrumentModel* model)
    : model(model)
{
    resetPluginState();
    if (model)
        currentModel = model;
    openWithDepth();
}

RenderHarness::~RenderHarness()
{
    closeView();
    if (model)
        currentModel = nullptr;
    resetPluginState();
}

void RenderHarness::drawFrame()
{
    requestRedisplay();
    idleView();
}

Image RenderHarness::read() const
{
    Image image;
    image.width = viewPixelWidth;
    image.height = viewPixelHeight;
    std::vector<unsigned char> bottomUp(static_cast<size_t>(viewPixelWidth) * viewPixelHeight * 4);
    if (!glutQarnReadPixels(viewWindow.viewWindowId, bottomUp.data(), static_cast<int>(bottomUp.size())))
        return image;
    image.rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(viewPixelWidth) * 4;
    for (int y = 0; y < viewPixelHeight; ++y)
        std::copy_n(&bottomUp[(viewPixelHeight - 1 - y) * row], row, &image.rgba[y * row]);
    return image;
}

int RenderHarness::framesDrawn() const
{
    return glutQarnDisplayCount(viewWindow.viewWindowId);
}

float RenderHarness::depthAt(int x, int y) const
{
    if (lastDepth.empty())
        return -1.0f;
    return lastDepth[static_cast<size_t>(viewPixelHeight - 1 - y) * viewPixelWidth + x];
}

void RenderHarness::reopen()
{
    closeView();
    openWithDepth();
}

double differingShare(const Image& a, const Image& b, int threshold)
{
    if (a.rgba.size() != b.rgba.size() || a.rgba.empty())
        return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) {
            if (std::abs(a.rgba[i + c] - b.rgba[i + c]) > threshold) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / static_cast<double>(a.rgba.size() / 4);
}
