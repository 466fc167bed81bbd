// glutSolidCube and glutSolidSphere drawn by OpenGL: lit with a single light
// along +z so that each vertex's lit colour is the z component of its normal
// in eye space, and captured in feedback mode.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "OffscreenTestSupport.h"
#include "glut/glut.h"

// Mesa's software driver allocates a feedback stage for every context that
// enters GL_FEEDBACK and never frees it; LeakSanitizer would fail the whole
// program for it at exit.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:swrast_dri.so\n";
}

namespace {

struct FeedbackVertex {
    std::array<double, 3> eye; // recovered eye-space position
    double red; // lit colour
};
using Polygon = std::vector<FeedbackVertex>;

class SolidsRenderTest : public OffscreenWindowTest {
protected:
    void SetUp() override
    {
        OffscreenWindowTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        // Eye space maps straight to the window: x, y in -1..1, depth (1 - z) / 2.
        glViewport(0, 0, 600, 400);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // Pure diffuse white light from GL_LIGHT0's default direction (+z).
        const GLfloat black[] = {0, 0, 0, 1};
        const GLfloat white[] = {1, 1, 1, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
    }

    template <class Draw> std::vector<Polygon> capture(Draw draw)
    {
        std::vector<GLfloat> buffer(1 << 16);
        glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        const GLint used = glRenderMode(GL_RENDER);
        EXPECT_GT(used, 0) << "feedback buffer overflowed or nothing was drawn";

        std::vector<Polygon> polygons;
        for (GLint i = 0; i < used;) {
            EXPECT_EQ(buffer[i], GLfloat(GL_POLYGON_TOKEN));
            if (buffer[i] != GLfloat(GL_POLYGON_TOKEN)) {
                break;
            }
            const int count = int(buffer[i + 1]);
            i += 2;
            Polygon polygon;
            for (int v = 0; v < count; ++v, i += 7) {
                polygon.push_back(
                    {{buffer[i] / 300.0 - 1, buffer[i + 1] / 200.0 - 1, 1 - 2.0 * buffer[i + 2]}, buffer[i + 3]});
            }
            polygons.push_back(polygon);
        }
        return polygons;
    }
};

// Twice the signed area in window space: positive when counter-clockwise.
double signedArea(const Polygon& polygon)
{
    double area = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const auto& a = polygon[i].eye;
        const auto& b = polygon[(i + 1) % polygon.size()].eye;
        area += a[0] * b[1] - b[0] * a[1];
    }
    return area;
}

TEST_F(SolidsRenderTest, CubeLightsExactlyTheFaceTurnedTowardsTheViewer)
{
    // Each turn brings a different face to the front (+z of eye space). GL may
    // hand the quads back whole or split into triangles.
    const std::array<std::array<float, 4>, 6> turns{{
        {0, 1, 0, 0},
        {90, 1, 0, 0},
        {-90, 1, 0, 0},
        {90, 0, 1, 0},
        {-90, 0, 1, 0},
        {180, 1, 0, 0},
    }};
    for (const auto& turn : turns) {
        glLoadIdentity();
        glRotatef(turn[0], turn[1], turn[2], turn[3]);
        const std::vector<Polygon> polygons = capture([] { glutSolidCube(1.0); });
        double frontArea = 0;
        double totalArea = 0;
        for (const Polygon& polygon : polygons) {
            bool atFront = true;
            for (const FeedbackVertex& v : polygon) {
                atFront = atFront && std::fabs(v.eye[2] - 0.5) < 1e-3;
            }
            for (const FeedbackVertex& v : polygon) {
                EXPECT_NEAR(v.red, atFront ? 1.0 : 0.0, 1e-3)
                    << "turn " << turn[0] << " about " << turn[1] << turn[2] << turn[3];
            }
            // Seen from the front, the front face winds counter-clockwise.
            if (atFront) {
                frontArea += signedArea(polygon) / 2;
            }
            totalArea += std::fabs(signedArea(polygon)) / 2;
        }
        EXPECT_NEAR(frontArea, 1.0, 1e-3) << "the face towards the viewer is missing or wound clockwise";
        // Front and back faces cover the square; the side faces are edge-on.
        EXPECT_NEAR(totalArea, 2.0, 1e-3);
    }
}

TEST_F(SolidsRenderTest, SphereNormalsAreItsOwnUnitDirectionsFromTheCentre)
{
    glRotatef(30, 1, 0, 0);
    glRotatef(40, 0, 1, 0);
    const double radius = 0.8;
    const std::vector<Polygon> polygons = capture([&] { glutSolidSphere(radius, 12, 6); });
    ASSERT_FALSE(polygons.empty());
    for (const Polygon& polygon : polygons) {
        for (const FeedbackVertex& v : polygon) {
            const double r = std::sqrt(v.eye[0] * v.eye[0] + v.eye[1] * v.eye[1] + v.eye[2] * v.eye[2]);
            EXPECT_NEAR(r, radius, 1e-3);
            EXPECT_NEAR(v.red, std::max(0.0, v.eye[2] / radius), 2e-3);
        }
    }
}

} // namespace
