#!/usr/bin/env python3
"""The ground's overdraw from a build with bench/ground-overdraw.patch applied: reads its "overdraw SHADED SHOWN"
lines (a frame each: fragments that passed the depth test, pixels they covered) on stdin and prints the
fragments shaded for each pixel shown, over the run and per frame.

usage: vanturo-sim ... 2>&1 >/dev/null | python3 bench/overdraw.py
"""
import statistics
import sys

frames = [tuple(int(n) for n in line.split()[1:3]) for line in sys.stdin if line.startswith("overdraw ")]
if not frames:
    sys.exit("no overdraw lines: is bench/ground-overdraw.patch applied?")
ratios = sorted(shaded / shown for shaded, shown in frames if shown)
print("%d frames: %.3f fragments shaded a pixel shown; per frame median %.3f, 95th percentile %.3f, most %.3f; "
      "%.0f pixels of ground a frame" % (len(frames), sum(s for s, _ in frames) / sum(n for _, n in frames),
                                         ratios[len(ratios) // 2], ratios[int(len(ratios) * 0.95)], ratios[-1],
                                         statistics.mean(n for _, n in frames)))
