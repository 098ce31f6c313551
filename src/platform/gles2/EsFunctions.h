// The OpenGL ES 2.0 (WebGL 1) entry points the layer draws with, fetched once from the platform's loader.
// The layer defines the game's GL 1.1 names itself, so the real ones are only ever reached through here.
#pragma once

#include "common/Gl.h"

namespace gles2 {

typedef char EsChar;

// Every entry point the layer uses, once: X(result, name without "gl", (parameter types)). The members of
// EsFunctions and their fetching by name both come from this list, so none can be declared and left unfetched.
#define VANTURO_ES_FUNCTIONS(X)                                                                       \
    /* Shared with GL 1.1, but the platform's own. */                                                 \
    X(void, ActiveTexture, (GLenum))                                                                  \
    X(void, BindTexture, (GLenum, GLuint))                                                            \
    X(void, BlendFunc, (GLenum, GLenum))                                                              \
    X(void, Clear, (GLbitfield))                                                                      \
    X(void, ClearColor, (GLfloat, GLfloat, GLfloat, GLfloat))                                         \
    X(void, ClearDepthf, (GLfloat))                                                                   \
    X(void, ColorMask, (GLboolean, GLboolean, GLboolean, GLboolean))                                  \
    X(void, CullFace, (GLenum))                                                                       \
    X(void, DeleteTextures, (GLsizei, const GLuint*))                                                 \
    X(void, DepthFunc, (GLenum))                                                                      \
    X(void, DepthMask, (GLboolean))                                                                   \
    X(void, Disable, (GLenum))                                                                        \
    X(void, DrawArrays, (GLenum, GLint, GLsizei))                                                     \
    X(void, DrawElements, (GLenum, GLsizei, GLenum, const void*))                                     \
    X(void, Enable, (GLenum))                                                                         \
    X(void, Finish, ())                                                                               \
    X(void, GenTextures, (GLsizei, GLuint*))                                                          \
    X(void, PixelStorei, (GLenum, GLint))                                                             \
    X(void, ReadPixels, (GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*))                      \
    X(void, TexImage2D, (GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*)) \
    X(void, TexParameteri, (GLenum, GLenum, GLint))                                                   \
    X(void, TexSubImage2D, (GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*)) \
    X(void, Viewport, (GLint, GLint, GLsizei, GLsizei))                                               \
    /* Shaders and buffers, which GL 1.1 has not. */                                                  \
    X(void, AttachShader, (GLuint, GLuint))                                                           \
    X(void, BindAttribLocation, (GLuint, GLuint, const EsChar*))                                      \
    X(void, BindBuffer, (GLenum, GLuint))                                                             \
    X(void, BufferData, (GLenum, GLsizeiptr, const void*, GLenum))                                    \
    X(void, CompileShader, (GLuint))                                                                  \
    X(void, DeleteBuffers, (GLsizei, const GLuint*))                                                  \
    X(GLuint, CreateProgram, ())                                                                      \
    X(GLuint, CreateShader, (GLenum))                                                                 \
    X(void, EnableVertexAttribArray, (GLuint))                                                        \
    X(void, GenBuffers, (GLsizei, GLuint*))                                                           \
    X(void, GetProgramInfoLog, (GLuint, GLsizei, GLsizei*, EsChar*))                                  \
    X(void, GetProgramiv, (GLuint, GLenum, GLint*))                                                   \
    X(void, GetShaderInfoLog, (GLuint, GLsizei, GLsizei*, EsChar*))                                   \
    X(void, GetShaderiv, (GLuint, GLenum, GLint*))                                                    \
    X(GLint, GetUniformLocation, (GLuint, const EsChar*))                                             \
    X(void, LinkProgram, (GLuint))                                                                    \
    X(void, ShaderSource, (GLuint, GLsizei, const EsChar* const*, const GLint*))                      \
    X(void, Uniform1f, (GLint, GLfloat))                                                              \
    X(void, Uniform1i, (GLint, GLint))                                                                \
    X(void, Uniform3fv, (GLint, GLsizei, const GLfloat*))                                             \
    X(void, Uniform4fv, (GLint, GLsizei, const GLfloat*))                                             \
    X(void, UniformMatrix3fv, (GLint, GLsizei, GLboolean, const GLfloat*))                            \
    X(void, UniformMatrix4fv, (GLint, GLsizei, GLboolean, const GLfloat*))                            \
    X(void, UseProgram, (GLuint))                                                                     \
    X(void, VertexAttribPointer, (GLuint, GLint, GLenum, GLboolean, GLsizei, const void*))

// What every entry point is until the layer starts: before a context GL calls do nothing, as the platform's do.
template <typename Result, typename... Arguments>
Result nothing(Arguments...) {
    return Result();
}

struct EsFunctions {
#define VANTURO_ES_MEMBER(result, name, parameters) result(*name) parameters = nothing;
    VANTURO_ES_FUNCTIONS(VANTURO_ES_MEMBER)
#undef VANTURO_ES_MEMBER
};

// Fetches every entry point through procAddress; returns the first name it could not find, or nullptr.
const char* loadEsFunctions(EsFunctions& es, void* (*procAddress)(const char* name));

}  // namespace gles2
