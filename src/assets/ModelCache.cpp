// Models read once: the cache look-up and the first read.
#include "assets/ModelCache.h"

ModelCache& ModelCache::instance() {
    static ModelCache cache;
    return cache;
}

std::shared_ptr<Ms3dModel> ModelCache::get(const char* path) {
    std::shared_ptr<Ms3dModel>& model = models_[path ? path : ""];
    if (!model) {
        model = std::make_shared<Ms3dModel>();
        model->load(path);  // a failed load leaves it empty: drawn as nothing, and never read again
    }
    return model;
}
