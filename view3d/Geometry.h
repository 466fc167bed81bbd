#pragma once
// The immediate-mode shapes the instrument models share. They read no model
// state and draw at the current model-view matrix with the current material;
// boxes and spheres come from GLUT.

// One vertex of a capped cylinder, with the normal that precedes it.
struct CylinderVertex {
    float normal[3];
    float position[3];
};

// Each pass of a capped cylinder is one quad strip of 13 angles (0 to 360
// degrees in steps of 30, closing on itself), two vertices per angle.
constexpr int cylinderPassVertexCount = 26;

enum class CylinderPass { BottomCone = -1, SideWall = 0, TopCone = 1 };

// The vertices of one pass of drawCappedCylinder, in drawing order. Answers
// how many were written (26).
int cappedCylinderPass(CylinderPass pass, float length, float tip, CylinderVertex (&out)[cylinderPassVertexCount]);

// A cylinder of radius 1 around the y axis from y = -length/2 to +length/2,
// closed at each end by a cone whose apex lies tip x length beyond that end.
// The cone normals are not unit length (their y part is 1/(20 tip)), so every
// pass is drawn with GL_NORMALIZE on; this also keeps scaled copies lit right.
// `tip` must not be 0.
void drawCappedCylinder(float length, float tip);

// The flute's joint ring: a thin lens of radius 1.2 around the y axis.
void drawRing();
