#include "view3d/Geometry.h"

#include "glut/gl.h"

#include <cmath>
#include <initializer_list>

namespace {
void put(CylinderVertex& vertex, float nx, float ny, float nz, float x, float y, float z)
{
    vertex = CylinderVertex{{nx, ny, nz}, {x, y, z}};
}
} // namespace

int cappedCylinderPass(CylinderPass pass, float length, float tip, CylinderVertex (&out)[cylinderPassVertexCount])
{
    const float pi = 3.14159265f;
    const float apex = (tip + 0.5f) * length;
    const float end = length / 2.0f;
    const float coneSlope = 1.0f / (20.0f * tip);
    int count = 0;
    // The angle is kept in a float and stepped in double, as the strip has
    // always been built; the 0.01 margin makes the last step land on 360.
    for (float theta = 0.0f; theta <= 2.0 * pi + 0.01 && count + 2 <= cylinderPassVertexCount;
         theta = static_cast<float>(theta + pi / 6.0)) {
        const float c = static_cast<float>(std::cos(static_cast<double>(theta)));
        const float s = static_cast<float>(std::sin(static_cast<double>(theta)));
        CylinderVertex& first = out[count++];
        CylinderVertex& second = out[count++];
        switch (pass) {
        case CylinderPass::BottomCone:
            put(first, 0.0f, -1.0f, 0.0f, 0.0f, -apex, 0.0f);
            put(second, c, -coneSlope, s, c, -end, s);
            break;
        case CylinderPass::SideWall:
            put(first, c, 0.0f, s, c, -end, s);
            put(second, c, 0.0f, s, c, end, s);
            break;
        case CylinderPass::TopCone:
            put(first, c, coneSlope, s, c, end, s);
            put(second, 0.0f, 1.0f, 0.0f, 0.0f, apex, 0.0f);
            break;
        }
    }
    return count;
}

void drawCappedCylinder(float length, float tip)
{
    CylinderVertex strip[cylinderPassVertexCount];
    for (CylinderPass pass : {CylinderPass::BottomCone, CylinderPass::SideWall, CylinderPass::TopCone}) {
        const int count = cappedCylinderPass(pass, length, tip, strip);
        glEnable(GL_NORMALIZE);
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i < count; ++i) {
            glNormal3fv(strip[i].normal);
            glVertex3fv(strip[i].position);
        }
        glEnd();
        glDisable(GL_NORMALIZE);
    }
}

void drawRing()
{
    glPushMatrix();
    glScalef(1.2f, 0.004f, 1.2f);
    drawCappedCylinder(35.0f, 4.0f);
    glPopMatrix();
}
