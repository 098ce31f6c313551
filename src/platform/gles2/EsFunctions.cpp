// Fetching the platform's OpenGL ES 2.0 entry points by name.
#include "platform/gles2/EsFunctions.h"

namespace gles2 {

namespace {
template <typename Function>
bool fetch(Function& into, const char* name, void* (*procAddress)(const char*)) {
    into = reinterpret_cast<Function>(procAddress(name));
    return into != nullptr;
}
}  // namespace

const char* loadEsFunctions(EsFunctions& es, void* (*procAddress)(const char* name)) {
#define VANTURO_ES_FETCH(member) \
    if (!fetch(es.member, "gl" #member, procAddress)) return "gl" #member;
    VANTURO_ES_FETCH(ActiveTexture)
    VANTURO_ES_FETCH(BindTexture)
    VANTURO_ES_FETCH(BlendFunc)
    VANTURO_ES_FETCH(Clear)
    VANTURO_ES_FETCH(ClearColor)
    VANTURO_ES_FETCH(ClearDepthf)
    VANTURO_ES_FETCH(ColorMask)
    VANTURO_ES_FETCH(CullFace)
    VANTURO_ES_FETCH(DeleteTextures)
    VANTURO_ES_FETCH(DepthFunc)
    VANTURO_ES_FETCH(DepthMask)
    VANTURO_ES_FETCH(Disable)
    VANTURO_ES_FETCH(DrawArrays)
    VANTURO_ES_FETCH(DrawElements)
    VANTURO_ES_FETCH(Enable)
    VANTURO_ES_FETCH(Finish)
    VANTURO_ES_FETCH(GenTextures)
    VANTURO_ES_FETCH(PixelStorei)
    VANTURO_ES_FETCH(ReadPixels)
    VANTURO_ES_FETCH(TexImage2D)
    VANTURO_ES_FETCH(TexParameteri)
    VANTURO_ES_FETCH(Viewport)
    VANTURO_ES_FETCH(AttachShader)
    VANTURO_ES_FETCH(BindAttribLocation)
    VANTURO_ES_FETCH(BindBuffer)
    VANTURO_ES_FETCH(BufferData)
    VANTURO_ES_FETCH(CompileShader)
    VANTURO_ES_FETCH(DeleteBuffers)
    VANTURO_ES_FETCH(CreateProgram)
    VANTURO_ES_FETCH(CreateShader)
    VANTURO_ES_FETCH(EnableVertexAttribArray)
    VANTURO_ES_FETCH(GenBuffers)
    VANTURO_ES_FETCH(GetProgramInfoLog)
    VANTURO_ES_FETCH(GetProgramiv)
    VANTURO_ES_FETCH(GetShaderInfoLog)
    VANTURO_ES_FETCH(GetShaderiv)
    VANTURO_ES_FETCH(GetUniformLocation)
    VANTURO_ES_FETCH(LinkProgram)
    VANTURO_ES_FETCH(ShaderSource)
    VANTURO_ES_FETCH(Uniform1f)
    VANTURO_ES_FETCH(Uniform1i)
    VANTURO_ES_FETCH(Uniform3fv)
    VANTURO_ES_FETCH(Uniform4fv)
    VANTURO_ES_FETCH(UniformMatrix3fv)
    VANTURO_ES_FETCH(UniformMatrix4fv)
    VANTURO_ES_FETCH(UseProgram)
    VANTURO_ES_FETCH(VertexAttribPointer)
#undef VANTURO_ES_FETCH
    return nullptr;
}

}  // namespace gles2
