#pragma once
// The geometry of GLUT's solid cube and sphere, emitted into a sink so that
// the same code draws with OpenGL and can be checked without a GL context.
//
// A sink has begin(SolidPrimitive), normal(x, y, z), vertex(x, y, z) and
// end(), called in OpenGL's order: each vertex after its normal. Faces are
// counter-clockwise seen from outside and every normal is a unit vector
// pointing outwards.
#include <cmath>

enum class SolidPrimitive { Quads, QuadStrip, TriangleFan };

// Six faces of edge `size` around the origin, one normal per face.
template <class Sink> void emitCube(double size, Sink& sink)
{
    // Per face: the outward normal n and two edge directions u, v with
    // u x v = n, so that the corners n - u - v, n + u - v, n + u + v,
    // n - u + v run counter-clockwise seen from outside.
    static const int faces[6][3][3] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
        {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
    };
    static const int corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    const double half = size / 2;
    sink.begin(SolidPrimitive::Quads);
    for (const auto& face : faces) {
        const int* n = face[0];
        const int* u = face[1];
        const int* v = face[2];
        sink.normal(n[0], n[1], n[2]);
        for (const auto& corner : corners) {
            sink.vertex(half * (n[0] + corner[0] * u[0] + corner[1] * v[0]),
                half * (n[1] + corner[0] * u[1] + corner[1] * v[1]),
                half * (n[2] + corner[0] * u[2] + corner[1] * v[2]));
        }
    }
    sink.end();
}

namespace solid_detail {

// Point of the unit sphere at stack `stack` (0 = +z pole, `stacks` = -z pole)
// and slice `slice` (angle 2 pi slice / slices around z from the +x axis):
// its own normal, and scaled by `radius` its vertex.
template <class Sink> void emitSpherePoint(Sink& sink, double radius, int slice, int slices, int stack, int stacks)
{
    const double pi = 3.14159265358979323846;
    const double theta = 2 * pi * slice / slices;
    const double phi = pi * stack / stacks;
    const double x = std::sin(phi) * std::cos(theta);
    const double y = std::sin(phi) * std::sin(theta);
    const double z = std::cos(phi);
    sink.normal(x, y, z);
    sink.vertex(radius * x, radius * y, radius * z);
}

} // namespace solid_detail

// A sphere of `slices` segments around the z axis and `stacks` along it, with
// smooth (per-vertex) normals: a fan around each pole and a quad strip for
// every band between. Fewer than 1 slice or 2 stacks enclose no area and
// draw nothing.
template <class Sink> void emitSphere(double radius, int slices, int stacks, Sink& sink)
{
    using solid_detail::emitSpherePoint;
    if (slices < 1 || stacks < 2) {
        return;
    }
    sink.begin(SolidPrimitive::TriangleFan);
    emitSpherePoint(sink, radius, 0, slices, 0, stacks);
    for (int j = 0; j <= slices; ++j) {
        emitSpherePoint(sink, radius, j, slices, 1, stacks);
    }
    sink.end();

    for (int i = 1; i + 1 < stacks; ++i) {
        sink.begin(SolidPrimitive::QuadStrip);
        for (int j = 0; j <= slices; ++j) {
            emitSpherePoint(sink, radius, j, slices, i, stacks);
            emitSpherePoint(sink, radius, j, slices, i + 1, stacks);
        }
        sink.end();
    }

    sink.begin(SolidPrimitive::TriangleFan);
    emitSpherePoint(sink, radius, 0, slices, stacks, stacks);
    for (int j = slices; j >= 0; --j) {
        emitSpherePoint(sink, radius, j, slices, stacks - 1, stacks);
    }
    sink.end();
}
