// The solids' geometry without a GL context: each must be a closed surface,
// wound counter-clockwise from outside, with unit outward normals.
#include "glut/SolidGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace {

using Vec = std::array<double, 3>;

Vec sub(const Vec& a, const Vec& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
double dot(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec cross(const Vec& a, const Vec& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

struct Vertex {
    Vec normal;
    Vec position;
};
using Triangle = std::array<Vertex, 3>;

// Records what a solid emits, as the triangles OpenGL makes of it.
struct TriangleSink {
    std::vector<SolidPrimitive> primitives;
    std::vector<Vertex> strip;
    std::vector<Triangle> triangles;
    Vec pendingNormal{};

    void begin(SolidPrimitive kind)
    {
        primitives.push_back(kind);
        strip.clear();
    }
    void normal(double x, double y, double z) { pendingNormal = {x, y, z}; }
    void vertex(double x, double y, double z) { strip.push_back({pendingNormal, {x, y, z}}); }
    void end()
    {
        const auto& v = strip;
        switch (primitives.back()) {
        case SolidPrimitive::Quads:
            for (std::size_t i = 0; i + 3 < v.size(); i += 4) {
                triangles.push_back({v[i], v[i + 1], v[i + 2]});
                triangles.push_back({v[i], v[i + 2], v[i + 3]});
            }
            break;
        case SolidPrimitive::QuadStrip:
            for (std::size_t i = 0; i + 3 < v.size(); i += 2) {
                triangles.push_back({v[i], v[i + 1], v[i + 3]});
                triangles.push_back({v[i], v[i + 3], v[i + 2]});
            }
            break;
        case SolidPrimitive::TriangleFan:
            for (std::size_t i = 1; i + 1 < v.size(); ++i) {
                triangles.push_back({v[0], v[i], v[i + 1]});
            }
            break;
        }
    }
};

using Key = std::array<long long, 3>;
Key keyOf(const Vec& p)
{
    return {std::llround(p[0] * 1e6), std::llround(p[1] * 1e6), std::llround(p[2] * 1e6)};
}

// Every edge met once in each direction (closed, consistently wound), every
// normal of unit length on the outer side of its triangle; returns the volume.
double checkClosedOutwardSurface(const TriangleSink& sink)
{
    std::set<std::array<Key, 2>> edges;
    double volume = 0;
    for (const Triangle& t : sink.triangles) {
        const Vec facing = cross(sub(t[1].position, t[0].position), sub(t[2].position, t[0].position));
        EXPECT_GT(dot(facing, facing), 1e-18) << "degenerate triangle";
        volume += dot(t[0].position, cross(t[1].position, t[2].position)) / 6;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(dot(t[i].normal, t[i].normal), 1.0, 1e-12);
            EXPECT_GT(dot(t[i].normal, facing), 0) << "normal on the inner side";
            EXPECT_TRUE(edges.insert({keyOf(t[i].position), keyOf(t[(i + 1) % 3].position)}).second)
                << "edge used twice in one direction";
        }
    }
    for (const auto& edge : edges) {
        EXPECT_EQ(edges.count({edge[1], edge[0]}), 1u) << "open edge";
    }
    return volume;
}

TEST(SolidGeometry, CubeIsSixFlatFacesOfTheGivenEdgeAroundTheOrigin)
{
    TriangleSink sink;
    emitCube(6.5, sink);
    EXPECT_EQ(sink.primitives, std::vector<SolidPrimitive>{SolidPrimitive::Quads});
    ASSERT_EQ(sink.triangles.size(), 12u);
    std::set<Key> normals;
    for (const Triangle& t : sink.triangles) {
        for (const Vertex& v : t) {
            EXPECT_EQ(v.normal, t[0].normal) << "a face with more than one normal";
            EXPECT_DOUBLE_EQ(dot(v.position, v.normal), 3.25) << "vertex off its face";
        }
        normals.insert(keyOf(t[0].normal));
    }
    EXPECT_EQ(normals.size(), 6u);
    EXPECT_NEAR(checkClosedOutwardSurface(sink), 6.5 * 6.5 * 6.5, 1e-9);
}

TEST(SolidGeometry, SphereHasSmoothRadialNormalsAndClosesUp)
{
    TriangleSink sink;
    emitSphere(17.5, 12, 6, sink);
    // A fan at each pole and a strip for each of the four bands between.
    ASSERT_EQ(sink.primitives.size(), 6u);
    EXPECT_EQ(sink.primitives.front(), SolidPrimitive::TriangleFan);
    EXPECT_EQ(sink.primitives.back(), SolidPrimitive::TriangleFan);
    EXPECT_EQ(sink.triangles.size(), 2u * 12 + 4u * 12 * 2);
    for (const Triangle& t : sink.triangles) {
        for (const Vertex& v : t) {
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_NEAR(v.position[axis], 17.5 * v.normal[axis], 1e-12);
            }
        }
    }
    const double ball = 4.0 / 3.0 * 3.14159265358979 * 17.5 * 17.5 * 17.5;
    const double volume = checkClosedOutwardSurface(sink);
    EXPECT_LT(volume, ball);
    EXPECT_GT(volume, 0.6 * ball);

    TriangleSink fewest;
    emitSphere(1.0, 3, 2, fewest);
    EXPECT_GT(checkClosedOutwardSurface(fewest), 0.0);
}

TEST(SolidGeometry, SphereWithoutAreaEmitsNothing)
{
    for (const auto& [slices, stacks] : std::vector<std::pair<int, int>>{{0, 6}, {12, 1}, {12, 0}, {-3, 6}}) {
        TriangleSink sink;
        emitSphere(1.0, slices, stacks, sink);
        EXPECT_TRUE(sink.primitives.empty()) << slices << " slices, " << stacks << " stacks";
    }
}

} // namespace
