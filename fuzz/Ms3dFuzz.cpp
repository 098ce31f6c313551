// Fuzz target: the MS3D reader on any file image, then the indices the drawing follows.
#include <cstdint>

#include "assets/Ms3dModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Ms3dModel model;
    if (model.loadFromMemory(data, size)) {
        if (model.meshes.size() > modelLimits::groups || model.materials.size() > modelLimits::materials)
            __builtin_trap();
        // Every index the drawing follows must stand inside its array.
        for (const Mesh& mesh : model.meshes)
            for (int t : mesh.triangleIndices) {
                if (t < 0 || t >= model.triangleCount()) __builtin_trap();
                for (int v : model.triangles[size_t(t)].vertexIndices)
                    if (v < 0 || v >= model.vertexCount()) __builtin_trap();
            }
    } else if (!model.meshes.empty() || model.triangleCount() || model.vertexCount() || model.materialCount()) {
        __builtin_trap();  // a failed load leaves the model empty
    }
    return 0;
}
