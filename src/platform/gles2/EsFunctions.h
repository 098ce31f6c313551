// The OpenGL ES 2.0 (WebGL 1) entry points the layer draws with, fetched once from the platform's loader.
// The layer defines the game's GL 1.1 names itself, so the real ones are only ever reached through here.
#pragma once

#include "common/Gl.h"

namespace gles2 {

typedef char EsChar;

// What every entry point is until the layer starts: before a context GL calls do nothing, as the platform's do.
template <typename Result, typename... Arguments>
Result nothing(Arguments...) {
    return Result();
}

struct EsFunctions {
    // Shared with GL 1.1, but the platform's own.
    void (*ActiveTexture)(GLenum) = nothing;
    void (*BindTexture)(GLenum, GLuint) = nothing;
    void (*BlendFunc)(GLenum, GLenum) = nothing;
    void (*Clear)(GLbitfield) = nothing;
    void (*ClearColor)(GLfloat, GLfloat, GLfloat, GLfloat) = nothing;
    void (*ClearDepthf)(GLfloat) = nothing;
    void (*ColorMask)(GLboolean, GLboolean, GLboolean, GLboolean) = nothing;
    void (*CullFace)(GLenum) = nothing;
    void (*DeleteTextures)(GLsizei, const GLuint*) = nothing;
    void (*DepthFunc)(GLenum) = nothing;
    void (*DepthMask)(GLboolean) = nothing;
    void (*Disable)(GLenum) = nothing;
    void (*DrawArrays)(GLenum, GLint, GLsizei) = nothing;
    void (*DrawElements)(GLenum, GLsizei, GLenum, const void*) = nothing;
    void (*Enable)(GLenum) = nothing;
    void (*Finish)() = nothing;
    void (*GenTextures)(GLsizei, GLuint*) = nothing;
    void (*PixelStorei)(GLenum, GLint) = nothing;
    void (*ReadPixels)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*) = nothing;
    void (*TexImage2D)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*) = nothing;
    void (*TexParameteri)(GLenum, GLenum, GLint) = nothing;
    void (*Viewport)(GLint, GLint, GLsizei, GLsizei) = nothing;
    // Shaders and buffers, which GL 1.1 has not.
    void (*AttachShader)(GLuint, GLuint) = nothing;
    void (*BindAttribLocation)(GLuint, GLuint, const EsChar*) = nothing;
    void (*BindBuffer)(GLenum, GLuint) = nothing;
    void (*BufferData)(GLenum, GLsizeiptr, const void*, GLenum) = nothing;
    void (*CompileShader)(GLuint) = nothing;
    void (*DeleteBuffers)(GLsizei, const GLuint*) = nothing;
    GLuint (*CreateProgram)() = nothing;
    GLuint (*CreateShader)(GLenum) = nothing;
    void (*EnableVertexAttribArray)(GLuint) = nothing;
    void (*GenBuffers)(GLsizei, GLuint*) = nothing;
    void (*GetProgramInfoLog)(GLuint, GLsizei, GLsizei*, EsChar*) = nothing;
    void (*GetProgramiv)(GLuint, GLenum, GLint*) = nothing;
    void (*GetShaderInfoLog)(GLuint, GLsizei, GLsizei*, EsChar*) = nothing;
    void (*GetShaderiv)(GLuint, GLenum, GLint*) = nothing;
    GLint (*GetUniformLocation)(GLuint, const EsChar*) = nothing;
    void (*LinkProgram)(GLuint) = nothing;
    void (*ShaderSource)(GLuint, GLsizei, const EsChar* const*, const GLint*) = nothing;
    void (*Uniform1f)(GLint, GLfloat) = nothing;
    void (*Uniform1i)(GLint, GLint) = nothing;
    void (*Uniform3fv)(GLint, GLsizei, const GLfloat*) = nothing;
    void (*Uniform4fv)(GLint, GLsizei, const GLfloat*) = nothing;
    void (*UniformMatrix3fv)(GLint, GLsizei, GLboolean, const GLfloat*) = nothing;
    void (*UniformMatrix4fv)(GLint, GLsizei, GLboolean, const GLfloat*) = nothing;
    void (*UseProgram)(GLuint) = nothing;
    void (*VertexAttribPointer)(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) = nothing;
};

// Fetches every entry point through procAddress; returns the first name it could not find, or nullptr.
const char* loadEsFunctions(EsFunctions& es, void* (*procAddress)(const char* name));

}  // namespace gles2
