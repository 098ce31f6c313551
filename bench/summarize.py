#!/usr/bin/env python3
"""Reads vanturo-sim traces written with --time and prints the figures the benchmark reports.

usage: summarize.py weave TRACE         frame, ground, entities and update times over the updated frames
       summarize.py scaling TRACE       update time against the number of live entities
       summarize.py soak TRACE          live entities over the run; fails if they keep growing
"""
import json
import statistics
import sys


def frames(path):
    with open(path) as f:
        return [json.loads(line) for line in f if line.strip()]


def percentile(values, q):
    values = sorted(values)
    return values[min(len(values) - 1, int(q * (len(values) - 1) + 0.5))]


def weave(path):
    rows = [r for r in frames(path) if r["frame"] > 100]
    for key in ("frameMs", "groundMs", "entitiesMs", "updateMs"):
        values = [r["timing"][key] for r in rows]
        print(f"{key:11s} median {statistics.median(values):7.2f}  p95 {percentile(values, 0.95):7.2f}  max {max(values):7.2f}")
    print(f"tiles drawn median {statistics.median(r['tilesDrawn'] for r in rows):.0f}, frames {len(rows)}")


def scaling(path):
    buckets = {}
    for r in frames(path):
        if r["frame"] <= 100:
            continue
        live = sum(r["entities"].values())
        buckets.setdefault(live // 2000 * 2000, []).append(r["timing"]["updateMs"])
    print("live entities   frames   update ms (median)   per 1000 entities")
    for live in sorted(buckets):
        ms = statistics.median(buckets[live])
        print(f"{live:6d}-{live + 1999:<6d}  {len(buckets[live]):6d}   {ms:10.2f}          {1000 * ms / max(live + 1000, 1):8.3f}")


def soak(path):
    rows = [r for r in frames(path) if r["frame"] > 100]
    live = [sum(r["entities"].values()) for r in rows]
    quarter = max(1, len(live) // 4)
    second, last = max(live[quarter:2 * quarter]), max(live[-quarter:])
    print(f"soak: {len(rows) + 100} frames, live entities peak {max(live)}, "
          f"second quarter peak {second}, last quarter peak {last}, at the end {live[-1]}")
    if last > 1.25 * second + 50:
        print("FAILED: the number of live entities keeps growing")
        sys.exit(1)


{"weave": weave, "scaling": scaling, "soak": soak}[sys.argv[1]](sys.argv[2])
