#pragma once
// The view's perspective projection, computed here so that the library needs
// no GLU: the same column-major matrix, in the same double arithmetic, as the
// GLU call it replaces, so that the pictures stay as they were.

// Fills `matrix` (column-major, as glMultMatrixd takes it) with the
// projection of a vertical field of `fovyDegrees` at width / height
// `aspect` between the planes `zNear` and `zFar`. Answers false and leaves
// `matrix` as it was where no projection exists: equal planes, a field whose
// sine is zero, or an aspect of zero (the projection then stays unchanged,
// as with GLU).
bool perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar, double (&matrix)[16]);

// Multiplies the current GL matrix by that projection; nothing where none exists.
void multiplyPerspective(double fovyDegrees, double aspect, double zNear, double zFar);
