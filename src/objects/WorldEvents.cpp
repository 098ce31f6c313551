// The one listener of the world's events.
#include "objects/WorldEvents.h"

namespace {
WorldEventListener* listener = nullptr;
}  // namespace

void setWorldEventListener(WorldEventListener* l) { listener = l; }

void raiseWorldEvent(WorldEvent event, const Vector3& where) {
    if (listener) listener->onWorldEvent(event, where);
}
