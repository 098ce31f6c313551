// Marks on the shots and fireballs near enough to hurt: a glowing ring drawn after the world, unfogged, so
// danger reads against the sky and the ground at any distance the fog would hide it.
#pragma once

class Level;
class Ship;

// Reads the world, changes nothing in it. Leaves the GL state as it found it, the current colour white.
void drawDangerMarks(const Level& level, const Ship& ship);
