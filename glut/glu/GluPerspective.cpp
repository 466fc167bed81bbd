// The one GLU call the view makes, for a library that links no GLU (the
// Linux plug-in). Elsewhere the system's GLU answers it.
#include "glut/gl.h"
#include "glut/glu/PerspectiveMatrix.h"

void GLAPIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    double matrix[16];
    if (perspectiveMatrix(fovy, aspect, zNear, zFar, matrix))
        glMultMatrixd(matrix);
}
