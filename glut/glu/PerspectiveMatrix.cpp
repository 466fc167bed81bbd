#include "glut/glu/PerspectiveMatrix.h"

#include <cmath>

bool perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar, double (&matrix)[16])
{
    const double pi = 3.14159265358979323846;
    const double radians = fovyDegrees / 2 * pi / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0)
        return false;
    const double cotangent = std::cos(radians) / sine;
    for (double& element : matrix)
        element = 0;
    matrix[0] = cotangent / aspect;
    matrix[5] = cotangent;
    matrix[10] = -(zFar + zNear) / deltaZ;
    matrix[11] = -1;
    matrix[14] = -2 * zNear * zFar / deltaZ;
    return true;
}
