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
#define VANTURO_ES_FETCH(result, name, parameters) \
    if (!fetch(es.name, "gl" #name, procAddress)) return "gl" #name;
    VANTURO_ES_FUNCTIONS(VANTURO_ES_FETCH)
#undef VANTURO_ES_FETCH
    return nullptr;
}

}  // namespace gles2
