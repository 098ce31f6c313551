// TestEntity: an entity whose type and update a test chooses, and which logs its calls under its name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "objects/Entity.h"

class TestEntity : public Entity {
   public:
    TestEntity(int type, float x_, float z_, std::vector<std::string>* log = nullptr, const char* name_ = "")
        : name(name_), type_(type), log_(log) {
        x = x_;
        z = z_;
    }
    int typeId() const override { return type_; }
    void beginDraw() override { note("begin"); }
    void draw() override { note("draw"); }
    void endDraw() override { note("end"); }
    void update() override {
        note("update");
        if (onUpdate) onUpdate(*this);
    }

    std::string name;
    std::function<void(TestEntity&)> onUpdate;  // may delete the entity: nothing runs on it afterwards

   private:
    void note(const char* what) {
        if (log_) log_->push_back(name + ":" + what);
    }
    int type_;
    std::vector<std::string>* log_;
};
