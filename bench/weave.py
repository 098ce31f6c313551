#!/usr/bin/env python3
"""Scripted input for vanturo-sim: a weave across the level, the mouse swinging left and right.

usage: weave.py SECONDS FRAME_MS [circle]  (prints FRAME mouse X Y lines from frame 101 on)
With circle, the swing stays left of the middle: the ship loops around its start for as long as the run lasts.
"""
import math
import sys

seconds, frame_ms = float(sys.argv[1]), float(sys.argv[2])
centre, swing = (260, 40) if sys.argv[3:] == ["circle"] else (400, 170)
frames = int(seconds * 1000 / frame_ms)
for k in range(frames):
    t = k * frame_ms / 1000.0
    x = centre + int(swing * math.sin(2 * math.pi * t / 9.0))  # a full swing every 9 seconds
    y = 220 + int(60 * math.sin(2 * math.pi * t / 23.0))  # the camera rises and falls slowly
    print(f"{101 + k} mouse {x} {y}")
