// The capped cylinder's strips, checked without drawing them.
#include "view3d/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double thirtyDegrees = 3.14159265358979 / 6;

struct Strip {
    CylinderVertex vertices[cylinderPassVertexCount];
    int count;
};

Strip passOf(CylinderPass pass, float length, float tip)
{
    Strip strip{};
    strip.count = cappedCylinderPass(pass, length, tip, strip.vertices);
    return strip;
}

TEST(CappedCylinder, EachPassIsAClosedStripOfThirteenAngles)
{
    for (CylinderPass pass : {CylinderPass::BottomCone, CylinderPass::SideWall, CylinderPass::TopCone}) {
        const Strip strip = passOf(pass, 35.0f, 0.01f);
        ASSERT_EQ(strip.count, 26);
        // The last angle lands on the first: 360 degrees closes the strip.
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(strip.vertices[24].position[k], strip.vertices[0].position[k], 1e-5);
            EXPECT_NEAR(strip.vertices[25].position[k], strip.vertices[1].position[k], 1e-5);
        }
        // Consecutive angles 30 degrees apart on the unit circle.
        const CylinderVertex& rim = strip.vertices[pass == CylinderPass::TopCone ? 2 : 3];
        EXPECT_NEAR(rim.position[0], std::cos(thirtyDegrees), 1e-5);
        EXPECT_NEAR(rim.position[2], std::sin(thirtyDegrees), 1e-5);
    }
}

TEST(CappedCylinder, WallSpansTheLengthAndConesEndAtTheirApexes)
{
    const float length = 35.0f;
    const float tip = 3.0f;
    const Strip wall = passOf(CylinderPass::SideWall, length, tip);
    const Strip bottom = passOf(CylinderPass::BottomCone, length, tip);
    const Strip top = passOf(CylinderPass::TopCone, length, tip);
    for (int i = 0; i < 26; i += 2) {
        const CylinderVertex& low = wall.vertices[i];
        const CylinderVertex& high = wall.vertices[i + 1];
        EXPECT_FLOAT_EQ(low.position[1], -17.5f);
        EXPECT_FLOAT_EQ(high.position[1], 17.5f);
        EXPECT_NEAR(std::hypot(low.position[0], low.position[2]), 1.0, 1e-6); // radius 1
        EXPECT_FLOAT_EQ(low.normal[1], 0.0f);
        EXPECT_FLOAT_EQ(low.normal[0], low.position[0]); // outward

        EXPECT_FLOAT_EQ(bottom.vertices[i].position[1], -(tip + 0.5f) * length);
        EXPECT_FLOAT_EQ(bottom.vertices[i].normal[1], -1.0f);
        EXPECT_FLOAT_EQ(bottom.vertices[i + 1].position[1], -17.5f);
        EXPECT_FLOAT_EQ(bottom.vertices[i + 1].normal[1], -1.0f / (20.0f * tip));

        EXPECT_FLOAT_EQ(top.vertices[i].position[1], 17.5f);
        EXPECT_FLOAT_EQ(top.vertices[i].normal[1], 1.0f / (20.0f * tip));
        EXPECT_FLOAT_EQ(top.vertices[i + 1].position[1], (tip + 0.5f) * length);
        EXPECT_FLOAT_EQ(top.vertices[i + 1].normal[1], 1.0f);
    }
}

} // namespace
