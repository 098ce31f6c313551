// The one place the core includes OpenGL, GLU and the extension declarations.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY)
// The Windows GL headers expect these from <windows.h>, which the core never includes.
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#define VANTURO_DEFINED_APIENTRY
#endif

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>

#ifdef VANTURO_DEFINED_APIENTRY
#undef WINGDIAPI
#endif
