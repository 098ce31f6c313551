// The viewport and projection for a client area.
#pragma once

// Viewport and the 45-degree projection for a client area; the first call creates the camera.
void resizeViewport(int width, int height);
