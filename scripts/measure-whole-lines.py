#!/usr/bin/env python3
# Compares the ways of making a whole number of lines out of cal_trunk's answer with the classical
# whole-line Erlang B count (the fewest whole lines whose blocking is at most the target), over
# random traffics and targets drawn log-uniformly; the figures go into the user's manual
# (docs/ja/manual.md).
# Usage: scripts/measure-whole-lines.py [LIBVANTREL] (default build/lib/libvantrel.so.1)
import ctypes
import math
import random
import sys

library = ctypes.CDLL(sys.argv[1] if len(sys.argv) > 1 else "build/lib/libvantrel.so.1")
library.cal_trunk.restype = ctypes.c_double
library.cal_trunk.argtypes = [ctypes.c_double, ctypes.c_double]


def classical(traffic, target):
    blocking, lines = 1.0, 0
    while True:
        lines += 1
        blocking = traffic * blocking / (lines + traffic * blocking)
        if blocking <= target:
            return lines


draw = random.Random(1)
cases = 20000
ceiling = {"same": 0, "more": 0, "fewer": 0}
rounded = {"same": 0, "more": 0, "fewer": 0}
bands = [(0.05, 1), (1, 10), (10, 500)]
one_cent = {band: [0, 0] for band in bands}
for _ in range(cases):
    traffic = round(math.exp(draw.uniform(math.log(0.05), math.log(500))), 2)
    target = math.exp(draw.uniform(math.log(1e-4), math.log(0.2)))
    answer = library.cal_trunk(traffic, target)
    lines = classical(traffic, target)
    cents = round(answer * 100)
    for table, whole in ((ceiling, math.ceil(answer)), (rounded, -(-cents // 100))):
        table["same" if whole == lines else "more" if whole > lines else "fewer"] += 1
    if cents % 100 == 1:
        band = next(b for b in bands if b[0] <= traffic < b[1] or b == bands[-1])
        one_cent[band][0] += 1
        one_cent[band][1] += cents // 100 >= lines

print(f"{cases} cases: traffic 0.05 to 500 erlangs, target 0.0001 to 0.2, both log-uniform")
print(f"rounded up as it is:         {ceiling}")
print(f"to 0.01, then rounded up:    {rounded}")
for (low, high), (count, enough) in one_cent.items():
    print(f"ending in .01, traffic {low} to {high}: {count}, the whole number below enough in {enough}")
example = library.cal_trunk(15.3, 0.01)
print(f"cal_trunk(15.3, 0.01) = {example:.15g}, classical {classical(15.3, 0.01)}")
