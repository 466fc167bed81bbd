#pragma once
// GLU's perspective projection, computed by us for the Linux library, which
// must not need libGLU: the same column-major matrix, in the same double
// arithmetic, so that the pictures are the ones the system's GLU gives.

// Fills `matrix` (column-major, as glMultMatrixd takes it) with the
// projection of a vertical field of `fovyDegrees` at width / height
// `aspect` between the planes `zNear` and `zFar`. Answers false and leaves
// `matrix` as it was where no projection exists: equal planes, a field whose
// sine is zero, or an aspect of zero (GLU then leaves the GL matrix as it is).
bool perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar, double (&matrix)[16]);
