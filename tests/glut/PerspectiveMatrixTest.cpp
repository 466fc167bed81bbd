// Our perspective projection, for libraries without GLU: GLU's matrix, and
// no change at all where GLU makes none (the zoom can bring the far plane onto
// the near one).
#include "glut/glu/PerspectiveMatrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Perspective, IsGlusMatrixForTheViewsField)
{
    double m[16];
    ASSERT_TRUE(perspectiveMatrix(45.0, 1.5, 1.0, 100.0, m));
    const double cotangent = 1.0 / std::tan(45.0 / 2 * 3.14159265358979323846 / 180);
    const double expected[16] = {
        cotangent / 1.5, 0, 0, 0, 0, cotangent, 0, 0, 0, 0, -101.0 / 99.0, -1, 0, 0, -200.0 / 99.0, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], expected[i], 1e-12) << i;
    EXPECT_NEAR(m[0], 1.6094757082487301, 1e-12); // cot(22.5 degrees) / 1.5
}

TEST(Perspective, LeavesTheMatrixAloneWhereNoProjectionExists)
{
    const double untouched = 7.0;
    struct Case {
        double fovy, aspect, zNear, zFar;
    };
    for (const Case& c : {Case{45, 1.5, 1, 1}, Case{45, 0, 1, 100}, Case{0, 1.5, 1, 100}, Case{360, 1.5, 1, 100}}) {
        double m[16];
        for (double& element : m)
            element = untouched;
        const bool made = perspectiveMatrix(c.fovy, c.aspect, c.zNear, c.zFar, m);
        if (c.fovy == 360) {
            // sin(pi) is not exactly zero in doubles: GLU builds a matrix too.
            EXPECT_TRUE(made);
            continue;
        }
        EXPECT_FALSE(made) << c.fovy << " " << c.aspect << " " << c.zNear << " " << c.zFar;
        for (double element : m)
            EXPECT_EQ(element, untouched);
    }
}

TEST(Perspective, AFarPlaneBehindTheEyeStillGivesAMatrix)
{
    // A zoom past 100 puts the far plane behind the eye; GLU computes on.
    double m[16];
    ASSERT_TRUE(perspectiveMatrix(45.0, 1.5, 1.0, -20.0, m));
    EXPECT_NEAR(m[10], -(-20.0 + 1.0) / -21.0, 1e-12);
    EXPECT_NEAR(m[14], -2 * 1.0 * -20.0 / -21.0, 1e-12);
}

} // namespace
