// The layer's start and the extension entry points it hands out.
#include "platform/gles2/Gl11Layer.h"

#include <cstring>
#include <string>

#include "common/Report.h"
#include "platform/gles2/Gl11LayerBatch.h"

namespace gles2 {

void* extensionProcAddress(const char* name) {
    if (std::strcmp(name, "glActiveTextureARB") == 0) return reinterpret_cast<void*>(&activeTexture);
    if (std::strcmp(name, "glClientActiveTextureARB") == 0) return reinterpret_cast<void*>(&clientActiveTexture);
    if (std::strcmp(name, "glMultiTexCoord2fARB") == 0) return reinterpret_cast<void*>(&multiTexCoord2f);
    return nullptr;
}

bool startLayer(void* (*esProcAddress)(const char* name)) {
    LayerState& s = layer();
    s = LayerState{};
    dropBatch();
    if (const char* missing = loadEsFunctions(s.es, esProcAddress)) {
        reportError(std::string("the OpenGL ES context has no ") + missing);
        return false;
    }
    // The ground's program, the fullest, is built now: a context that cannot build it is said at the start.
    if (!programFor(Feature::lit | Feature::light0 | Feature::texture0 | Feature::texture1 | Feature::combine1 |
                    Feature::fog))
        return false;
    startVertexStream();
    s.started = true;
    applyFixedState();
    return true;
}

void drawWaiting() { flushBatch(); }

void drawCounts(unsigned long& draws, unsigned long& uniformSends) {
    draws = layer().draws;
    uniformSends = layer().uniformSends;
}

}  // namespace gles2
