// Models read once: every entity that names a model file shares the one model read from it.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "assets/Ms3dModel.h"

class ModelCache {
   public:
    static ModelCache& instance();

    // The model read from path on its first request, shared by every later one. A file that cannot be read
    // gives an empty model, and is not tried again.
    std::shared_ptr<Ms3dModel> get(const char* path);
    size_t size() const { return models_.size(); }

    // Forgets every model (for tools and tests that change the working directory); entities keep theirs.
    void clear() { models_.clear(); }

   private:
    std::unordered_map<std::string, std::shared_ptr<Ms3dModel>> models_;
};
