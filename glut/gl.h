#pragma once
// Includes OpenGL 1.1 and GLU the same way on every platform.
//
// MinGW's <GL/gl.h> pulls in all of <windows.h> unless APIENTRY and WINGDIAPI
// are already defined. Portable code (the view, the models) must not see
// <windows.h>, so on Windows this header supplies the three calling-convention
// macros the GL and GLU headers need, includes them, and takes the macros back
// again so that a later <windows.h> defines them its own way. Where
// <windows.h> was included first, its definitions are used unchanged.
#if defined(_WIN32)
#if !defined(APIENTRY)
#define APIENTRY __stdcall
#define QARN_GL_UNDEF_APIENTRY
#endif
#if !defined(WINGDIAPI)
#define WINGDIAPI __declspec(dllimport)
#define QARN_GL_UNDEF_WINGDIAPI
#endif
#if !defined(CALLBACK)
#define CALLBACK __stdcall
#define QARN_GL_UNDEF_CALLBACK
#endif
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#if defined(QARN_GL_UNDEF_APIENTRY)
#undef APIENTRY
#undef QARN_GL_UNDEF_APIENTRY
#endif
#if defined(QARN_GL_UNDEF_WINGDIAPI)
#undef WINGDIAPI
#undef QARN_GL_UNDEF_WINGDIAPI
#endif
#if defined(QARN_GL_UNDEF_CALLBACK)
#undef CALLBACK
#undef QARN_GL_UNDEF_CALLBACK
#endif
