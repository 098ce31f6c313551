// The game's units: speeds are given per 30 ms of frame time, angles in degrees.
#pragma once

constexpr float perFrameUnit = 0.033333335f;  // 1/30 in single precision: frame milliseconds to 30-ms steps
constexpr float degreesToRadians = 0.017453292f;
constexpr double radiansToDegrees = 57.29577951;
