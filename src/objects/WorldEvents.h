// What happens in the world that something outside it may follow (the sound does): raised by the objects
// as it happens, heard by one listener that changes nothing in the world.
#pragma once

#include "common/Vector3.h"

enum class WorldEvent {
    volley,         // a tower fired: at the tower, once per volley however many shots
    burst,          // a shot burst at its target's height
    shipHit,        // a shot hit the ship
    fireballTouch,  // the ship is inside a fireball this update
};

class WorldEventListener {
   public:
    virtual ~WorldEventListener() = default;
    virtual void onWorldEvent(WorldEvent event, const Vector3& where) = 0;
};

// The listener told of every event (not owned); null: nobody listens.
void setWorldEventListener(WorldEventListener* listener);
void raiseWorldEvent(WorldEvent event, const Vector3& where);
