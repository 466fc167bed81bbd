// The view drawn off-screen: where keys land, how they show notes and
// practice states, the camera, when the idle pump draws, and what two
// instances sharing the view show when one closes.
#include "tests/view3d/RenderHarness.h"
#include "tests/support/PlainEditor.h"

#include "glut/glut.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/FakeHost.h"
#include "view3d/FluteModel.h"
#include "view3d/GlView.h"
#include "view3d/PianoModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// On the 88-key piano (52 white keys, each 1.2 apart, centred on the case)
// MIDI 60 is the 24th white key: its centre lies at x = -31.2 + 0.6 + 23 x 1.2.
// Its top is at z = 2; the front half is free of black keys.
constexpr double middleCX = -3.0;
constexpr double whitePitch = 1.2;
constexpr double whiteTop = 2.0;
constexpr double whiteFrontY = -2.4;
// The black key above it: half a pitch to the right, top at z = 2.525.
constexpr double blackTop = 2.525;
constexpr double blackY = 1.0;

void hold(int midiNote)
{
    noteTable.entries[midiNote - 12].velocity = 100;
}

struct Probe {
    int x, y;
};

Probe probeAt(double x, double y, double z)
{
    const ScreenPoint p = projectAtRest(x, y, z);
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

const Probe middleC = probeAt(middleCX, whiteFrontY, whiteTop);
const Probe dAbove = probeAt(middleCX + whitePitch, whiteFrontY, whiteTop);
const Probe bBelow = probeAt(middleCX - whitePitch, whiteFrontY, whiteTop);
const Probe cSharp = probeAt(middleCX + 0.6, blackY, blackTop);

bool isNeutral(const Colour& c)
{
    return std::abs(c.r - c.g) <= 2 && std::abs(c.g - c.b) <= 2;
}

bool isRedDominant(const Colour& c)
{
    return c.r > c.g + 30 && c.r > c.b + 30;
}

bool isGreenDominant(const Colour& c)
{
    return c.g > c.r + 30 && c.g > c.b + 30;
}

::testing::AssertionResult looksBase(const Image& image, const Probe& p)
{
    const Colour c = image.at(p.x, p.y);
    if (isNeutral(c) && c.r >= 140)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << c.r << ", " << c.g << ", " << c.b << ") at " << p.x << ", " << p.y;
}

class PianoRender : public ::testing::Test {
protected:
    PianoModel piano{88, 0, 9};
    RenderHarness view{&piano};

    Image frame()
    {
        view.drawFrame();
        return view.read();
    }
};

TEST_F(PianoRender, BackgroundIsTheDarkBlueClearColour)
{
    const Image image = frame();
    ASSERT_FALSE(image.rgba.empty());
    for (const Probe& corner : {Probe{0, 0}, Probe{599, 0}, Probe{0, 399}, Probe{599, 399}}) {
        const Colour c = image.at(corner.x, corner.y);
        EXPECT_EQ(c.r, 0);
        EXPECT_EQ(c.g, 0);
        EXPECT_NEAR(c.b, 128, 1);
    }
}

TEST_F(PianoRender, IdleKeysShowTheirBaseMaterial)
{
    const Image image = frame();
    EXPECT_TRUE(looksBase(image, middleC));
    EXPECT_TRUE(looksBase(image, dAbove));
    EXPECT_TRUE(looksBase(image, bBelow));
    EXPECT_TRUE(looksBase(image, cSharp));
    // The white key's top is where the camera puts it.
    EXPECT_NEAR(view.depthAt(middleC.x, middleC.y), projectAtRest(middleCX, whiteFrontY, whiteTop).depth, 2e-5);
}

TEST_F(PianoRender, AHeldNoteShowsOnlyAsTheTogglesSay)
{
    hold(60);
    const Image hidden = frame();
    EXPECT_TRUE(looksBase(hidden, middleC));
    const float restingDepth = view.depthAt(middleC.x, middleC.y);

    viewState.showKeyColour = true;
    const Image coloured = frame();
    EXPECT_TRUE(isRedDominant(coloured.at(middleC.x, middleC.y)));
    EXPECT_TRUE(looksBase(coloured, dAbove));
    EXPECT_TRUE(looksBase(coloured, bBelow));
    EXPECT_TRUE(looksBase(coloured, cSharp));
    EXPECT_EQ(view.depthAt(middleC.x, middleC.y), restingDepth);

    viewState.showKeyColour = false;
    viewState.showKeyMotion = true;
    const Image sunk = frame();
    EXPECT_TRUE(looksBase(sunk, middleC));
    // A white key that is down sinks 0.6 units: its top now lies deeper.
    EXPECT_NEAR(view.depthAt(middleC.x, middleC.y), projectAtRest(middleCX, whiteFrontY, whiteTop - 0.6).depth, 2e-5);
    EXPECT_GT(view.depthAt(middleC.x, middleC.y), restingDepth);
}

TEST_F(PianoRender, BlackKeysShowTheirNotesToo)
{
    hold(61);
    viewState.showKeyColour = true;
    viewState.showKeyMotion = true;
    const Image image = frame();
    EXPECT_TRUE(isRedDominant(image.at(cSharp.x, cSharp.y)));
    EXPECT_TRUE(looksBase(image, middleC));
    // A black key that is down sinks 0.4 units.
    EXPECT_NEAR(view.depthAt(cSharp.x, cSharp.y), projectAtRest(middleCX + 0.6, blackY, blackTop - 0.4).depth, 2e-5);
}

TEST_F(PianoRender, PracticeStatesColourAndSinkKeysWhateverIsHeld)
{
    practice.practiceMode = true;
    viewState.showKeyColour = true; // ignored in practice
    hold(62); // ignored in practice
    noteTable.entries[48].scoreState = 1; // MIDI 60 expected
    const Image expected = frame();
    EXPECT_TRUE(isGreenDominant(expected.at(middleC.x, middleC.y)));
    EXPECT_NEAR(view.depthAt(middleC.x, middleC.y), projectAtRest(middleCX, whiteFrontY, whiteTop - 0.6).depth, 2e-5);
    EXPECT_TRUE(looksBase(expected, dAbove));

    noteTable.entries[48].scoreState = 2;
    const Image wrong = frame();
    EXPECT_TRUE(isRedDominant(wrong.at(middleC.x, middleC.y)));
    EXPECT_NEAR(view.depthAt(middleC.x, middleC.y), projectAtRest(middleCX, whiteFrontY, whiteTop).depth, 2e-5);
}

// Both instances chose the 88-key piano when they were created; closing
// either leaves it to the other, drawn where the camera puts it, without a
// program being chosen again. The last close takes it away.
TEST(TwoInstances, TheSurvivorStillDrawsItsInstrument)
{
    for (int closing = 0; closing < 2; ++closing) {
        FakeHost host;
        host.answer(audioMasterVersion, 2400);
        AEffect* instances[2] = {
            vstMain(FakeHost::callback, createPlainEditor), vstMain(FakeHost::callback, createPlainEditor)};
        ASSERT_NE(instances[0], nullptr);
        ASSERT_NE(instances[1], nullptr);
        RenderHarness view;
        view.drawFrame();
        EXPECT_TRUE(looksBase(view.read(), middleC));

        instances[closing]->dispatcher(instances[closing], effClose, 0, 0, nullptr, 0.0f);
        view.drawFrame();
        const Image survivor = view.read();
        EXPECT_TRUE(looksBase(survivor, middleC)) << "closing " << closing;
        EXPECT_TRUE(looksBase(survivor, dAbove));
        EXPECT_TRUE(looksBase(survivor, cSharp));

        AEffect* last = instances[1 - closing];
        last->dispatcher(last, effClose, 0, 0, nullptr, 0.0f);
        view.drawFrame();
        const Colour empty = view.read().at(middleC.x, middleC.y);
        EXPECT_TRUE(empty.r == 0 && empty.g == 0 && empty.b > 120);
    }
}

TEST(PianoRange, NotesOutsideTheModelChangeNothing)
{
    PianoModel piano{37, 2, 0}; // MIDI 36..72
    RenderHarness view{&piano};
    viewState.showKeyColour = true;
    viewState.showKeyMotion = true;
    view.drawFrame();
    const Image idle = view.read();
    for (int note : {12, 35, 73, 108, 127})
        hold(note);
    view.drawFrame();
    EXPECT_EQ(differingShare(idle, view.read(), 0), 0.0);
    hold(72); // the top key does show
    view.drawFrame();
    EXPECT_GT(differingShare(idle, view.read(), 0), 0.0);
}

TEST(FluteRender, TheFingeringShowsAsTheTogglesSay)
{
    FluteModel flute{0, 4, 0};
    RenderHarness view{&flute};
    auto redPixels = [&view] {
        view.drawFrame();
        const Image image = view.read();
        int count = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x)
                count += isRedDominant(image.at(x, y)) ? 1 : 0;
        }
        return count;
    };
    viewState.showKeyColour = true;
    viewState.showLinkedKeys = true;
    EXPECT_EQ(redPixels(), 0);
    hold(60); // the lowest note closes nearly every key
    const int closed = redPixels();
    EXPECT_GT(closed, 200);
    EXPECT_EQ(flute.getCurrentNote(), 1);
    viewState.showLinkedKeys = false;
    EXPECT_LT(redPixels(), closed);
    viewState.showKeyColour = false;
    EXPECT_EQ(redPixels(), 0);
}

TEST(LinkedKeysToggle, ChangesNothingOnAPiano)
{
    PianoModel piano{61, 1, 0};
    RenderHarness view{&piano};
    hold(60);
    view.drawFrame();
    const Image before = view.read();
    viewState.showLinkedKeys = true;
    view.drawFrame();
    EXPECT_EQ(differingShare(before, view.read(), 0), 0.0);
}

// A model that draws nothing and records the camera it was drawn with.
class CameraProbe : public InstrumentModel {
public:
    CameraProbe()
        : InstrumentModel(0, 0, 0)
    {
    }
    void draw() override
    {
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    float projection[16] = {};
    float modelView[16] = {};
    int viewport[4] = {};

    // From the perspective matrix: m10 = -(f + n) / (f - n), m14 = -2fn / (f - n).
    double farPlane() const { return projection[14] / (projection[10] + 1.0); }
    double nearPlane() const { return projection[14] / (projection[10] - 1.0); }
};

TEST(Camera, ZoomMovesTheModelByHalfAndTheFarPlaneByAll)
{
    CameraProbe probe;
    RenderHarness view{&probe};
    struct Case {
        int zoom;
        float distance;
        double farPlane;
    };
    for (const Case& c : {Case{0, -50, 100}, Case{10, -45, 90}, Case{-10, -55, 110}, Case{-5, -52, 105},
             Case{5, -47, 95}, Case{110, 5, -10}}) {
        viewState.zoom = c.zoom;
        view.drawFrame();
        EXPECT_FLOAT_EQ(probe.modelView[14], c.distance) << "zoom " << c.zoom;
        EXPECT_NEAR(probe.farPlane(), c.farPlane, 1e-3) << "zoom " << c.zoom;
        EXPECT_NEAR(probe.nearPlane(), 1.0, 1e-4);
        EXPECT_NEAR(probe.projection[5] / probe.projection[0], 1.5, 1e-5); // 600 / 400
        EXPECT_NEAR(probe.projection[5], 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0), 1e-5);
    }
    // At zoom 100 the far plane is 0 and the projection is built from it as it is.
    viewState.zoom = 100;
    view.drawFrame();
    EXPECT_FLOAT_EQ(probe.projection[10], 1.0f);
    EXPECT_FLOAT_EQ(probe.projection[14], 0.0f);
}

TEST(Camera, SpinThenTurnThenTiltIsAppliedInThatOrder)
{
    CameraProbe probe;
    RenderHarness view{&probe};
    viewState.spinAngle = 90;
    viewState.angleY = 90;
    view.drawFrame();
    // The model's x axis: turned about y onto -z, which the spin about z keeps.
    EXPECT_NEAR(probe.modelView[0], 0.0f, 1e-6);
    EXPECT_NEAR(probe.modelView[1], 0.0f, 1e-6);
    EXPECT_NEAR(probe.modelView[2], -1.0f, 1e-6);
    viewState.spinAngle = 0;
    viewState.angleX = 90;
    view.drawFrame();
    // The model's y axis: tilted about x onto z, then turned about y onto x.
    EXPECT_NEAR(probe.modelView[4], 1.0f, 1e-6);
    EXPECT_NEAR(probe.modelView[5], 0.0f, 1e-6);
    EXPECT_NEAR(probe.modelView[6], 0.0f, 1e-6);
}

TEST(Camera, AReshapeSetsTheSizeOfTheNextFrame)
{
    CameraProbe probe;
    RenderHarness view{&probe};
    view.drawFrame();
    EXPECT_EQ(probe.viewport[2], 600);
    EXPECT_EQ(probe.viewport[3], 400);
    glutReshapeWindow(300, 300); // the view is the current window
    view.drawFrame();
    EXPECT_EQ(viewWindow.viewWidth, 300.0f);
    EXPECT_EQ(viewWindow.viewHeight, 300.0f);
    EXPECT_EQ(probe.viewport[2], 300);
    EXPECT_NEAR(probe.projection[5] / probe.projection[0], 1.0, 1e-5);
}

} // namespace
