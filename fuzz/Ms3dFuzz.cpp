// Fuzz target: Ms3dModel::load on any file, then drawing state queries over what it kept.
#include <cstdint>

#include "FuzzInput.h"
#include "assets/Ms3dModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzInput(data, size, ".ms3d");
    Ms3dModel model;
    if (model.load(path.c_str())) {
        // Every index the drawing follows must stand inside its array.
        for (const Mesh& mesh : model.meshes)
            for (int t : mesh.triangleIndices) {
                if (t < 0 || t >= model.triangleCount()) __builtin_trap();
                for (int v : model.triangles[size_t(t)].vertexIndices)
                    if (v < 0 || v >= model.vertexCount()) __builtin_trap();
            }
    } else if (model.meshCount() || model.triangleCount() || model.vertexCount() || model.materialCount()) {
        __builtin_trap();  // a failed load leaves the model empty
    }
    return 0;
}
