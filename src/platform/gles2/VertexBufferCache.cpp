// Buffers kept for the corners of client arrays.
#include "platform/gles2/VertexBufferCache.h"

#include <algorithm>
#include <cstring>

#include "platform/gles2/Gl11LayerState.h"

namespace gles2 {

GLuint VertexBufferCache::buffer(const EsFunctions& es, const ArrayDraw& draw, const std::vector<Vertex>& corners) {
    Kept& k = kept_[draw];
    k.lastUse = ++uses_;
    const size_t size = corners.size() * sizeof(Vertex);
    if (k.buffer != 0 && k.corners.size() == corners.size() && std::memcmp(k.corners.data(), corners.data(), size) == 0)
        return k.buffer;
    if (k.buffer == 0) es.GenBuffers(1, &k.buffer);
    es.BindBuffer(GL_ARRAY_BUFFER, k.buffer);
    es.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(size), corners.data(), GL_STATIC_DRAW);
    bytes_ = bytes_ - k.corners.size() * sizeof(Vertex) + size;
    k.corners = corners;
    if (bytes_ > capacityBytes) makeRoom(es);
    return k.buffer;
}

void VertexBufferCache::makeRoom(const EsFunctions& es) {
    std::vector<std::pair<uint64_t, ArrayDraw>> byAge;
    for (const auto& [draw, k] : kept_) byAge.push_back({k.lastUse, draw});
    std::sort(byAge.begin(), byAge.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // Down to three quarters, so that the next few new draws do not each sort the lot again; the newest stays.
    for (size_t i = 0; i + 1 < byAge.size() && bytes_ > capacityBytes / 4 * 3; ++i) {
        auto found = kept_.find(byAge[i].second);
        bytes_ -= found->second.corners.size() * sizeof(Vertex);
        es.DeleteBuffers(1, &found->second.buffer);
        kept_.erase(found);
    }
}

void VertexBufferCache::clear(const EsFunctions& es) {
    for (auto& [draw, k] : kept_) es.DeleteBuffers(1, &k.buffer);
    kept_.clear();
    bytes_ = 0;
}

}  // namespace gles2
