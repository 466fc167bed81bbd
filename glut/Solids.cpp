// glutSolidCube and glutSolidSphere: the shared geometry drawn in immediate
// mode, so that they can be compiled into display lists like any GL 1.1 call.
#include "glut/glut.h"

#include "glut/SolidGeometry.h"

namespace {

struct ImmediateModeSink {
    void begin(SolidPrimitive primitive)
    {
        switch (primitive) {
        case SolidPrimitive::Quads: glBegin(GL_QUADS); break;
        case SolidPrimitive::QuadStrip: glBegin(GL_QUAD_STRIP); break;
        case SolidPrimitive::TriangleFan: glBegin(GL_TRIANGLE_FAN); break;
        }
    }
    void normal(double x, double y, double z) { glNormal3d(x, y, z); }
    void vertex(double x, double y, double z) { glVertex3d(x, y, z); }
    void end() { glEnd(); }
};

} // namespace

extern "C" {

void glutSolidCube(double size)
{
    ImmediateModeSink sink;
    emitCube(size, sink);
}

void glutSolidSphere(double radius, int slices, int stacks)
{
    ImmediateModeSink sink;
    emitSphere(radius, slices, stacks, sink);
}

} // extern "C"
