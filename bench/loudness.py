#!/usr/bin/env python3
"""How readable a run's sound is: the loudness above 1 kHz in half-second windows, after the start.

usage: loudness.py WAV [SKIP_SECONDS]   (default 5)
Prints the quietest and loudest tenth (the 10th and 90th percentiles of the windows' RMS, dBFS), their
spread, and the peak sample. Needs sox (the high-pass filter).
"""
import array
import math
import subprocess
import sys

path = sys.argv[1]
skip = float(sys.argv[2]) if len(sys.argv) > 2 else 5.0
rate = 44100
raw = subprocess.run(["sox", path, "-t", "raw", "-e", "signed", "-b", "16", "-c", "1", "-r", str(rate), "-",
                      "highpass", "1000", "highpass", "1000"], capture_output=True, check=True).stdout
samples = array.array("h", raw)
window = rate // 2
levels = []
for start in range(int(skip * rate), len(samples) - window + 1, window):
    chunk = samples[start:start + window]
    rms = math.sqrt(sum(s * s for s in chunk) / window) / 32768
    levels.append(20 * math.log10(max(rms, 1e-7)))
levels.sort()
tenth = lambda q: levels[min(len(levels) - 1, int(q * (len(levels) - 1) + 0.5))]
full = array.array("h", subprocess.run(["sox", path, "-t", "raw", "-e", "signed", "-b", "16", "-"],
                                        capture_output=True, check=True).stdout)
peak = max(abs(s) for s in full) if full else 0
print(f"windows {len(levels)}  quietest tenth {tenth(0.1):.1f} dBFS  loudest tenth {tenth(0.9):.1f} dBFS  "
      f"spread {tenth(0.9) - tenth(0.1):.1f} dB  peak {peak}")
