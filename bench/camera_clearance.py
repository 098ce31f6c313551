#!/usr/bin/env python3
"""How often the chase camera's view breaks on a level: random flights through vanturo-sim.

For each seed: 100 still frames, then 2,000 updated frames at 16 ms with the mouse wandering (x anywhere,
y between 180 and 400, so the eye sits between 195 and 342 units up). Counted over the updated frames while
the ship is in the world: the eye under the ground at its own position, the ship (drawn 20 units above its
height) above the eye, and the ship below the bottom of the view (the camera's height follows the mouse, not
the ship, so over low ground a high camera looks over it).

    bench/camera_clearance.py SIM GAME_DIR [SEEDS] [FRAMES]
"""
import json
import math
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

SHIP_DRAWN_ABOVE = 20
STILL_FRAMES = 100
CHASE_DISTANCE = 500
HALF_FIELD_OF_VIEW = math.radians(22.5)


def below_view(ship_y, eye_y):
    """Whether the ship is under the view's lower edge: the eye looks at the ship's position at 150 + 250
    pitch, where pitch gives the eye its 75 + 400 pitch."""
    pitch = (eye_y - 75) / 400
    looking = math.atan2(150 + 250 * pitch - eye_y, CHASE_DISTANCE)
    return math.atan2(ship_y + SHIP_DRAWN_ABOVE - eye_y, CHASE_DISTANCE) < looking - HALF_FIELD_OF_VIEW


def wander(seed, frames):
    """A mouse that drifts towards a new point every one to three seconds, one move a frame."""
    rng = random.Random(seed)
    x, y = 400.0, 300.0
    lines = []
    frame = 1
    while frame <= STILL_FRAMES + frames:
        tx, ty, steps = rng.uniform(0, 799), rng.uniform(180, 400), rng.randint(60, 180)
        for i in range(steps):
            x += (tx - x) / (steps - i)
            y += (ty - y) / (steps - i)
            lines.append(f"{frame} mouse {int(x)} {int(y)}")
            frame += 1
    return "\n".join(lines) + "\n"


def fly(sim, game_dir, seed, frames):
    with tempfile.TemporaryDirectory() as work:
        script, trace = os.path.join(work, "input.txt"), os.path.join(work, "trace.jsonl")
        with open(script, "w") as f:
            f.write(wander(seed, frames))
        subprocess.run([sim, "--data", game_dir, "--frames", str(STILL_FRAMES + frames), "--frame-ms", "16",
                        "--input", script, "--trace", trace], check=True, stdout=subprocess.DEVNULL)
        counted = under = above = below = 0
        with open(trace) as f:
            for line in f:
                s = json.loads(line)
                if s["frame"] <= STILL_FRAMES or not s["ship"]["filed"]:
                    continue
                counted += 1
                under += s["eye"]["y"] < s["eye"]["ground"]
                above += s["ship"]["y"] + SHIP_DRAWN_ABOVE > s["eye"]["y"]
                below += below_view(s["ship"]["y"], s["eye"]["y"])
        return counted, under, above, below


def main():
    sim, game_dir = sys.argv[1], sys.argv[2]
    seeds = int(sys.argv[3]) if len(sys.argv) > 3 else 8
    frames = int(sys.argv[4]) if len(sys.argv) > 4 else 2000
    with ThreadPoolExecutor(os.cpu_count() or 2) as pool:
        results = list(pool.map(lambda s: fly(sim, game_dir, s, frames), range(1, seeds + 1)))
    def line(counted, under, above, below):
        share = lambda n: f"{100 * n / max(counted, 1):.2f} %"
        return (f"{counted} frames in the world, eye under ground {share(under)}, ship above eye {share(above)},"
                f" ship below the view {share(below)}")
    for seed, result in enumerate(results, 1):
        print(f"seed {seed}: {line(*result)}")
    print(f"all {seeds} flights: {line(*(sum(r[i] for r in results) for i in range(4)))}")


if __name__ == "__main__":
    main()
