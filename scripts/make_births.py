#!/usr/bin/env python3
"""Writes N reproducible births "DD MM YYYY HH MM G P" of CE 1900-2100 (BE 2443-2643)
for vesprin-cast: every hour, days up to 31 (so some are corrected), both genders,
all four pregnancy lengths. Usage: make_births.py [N] [SEED] > births.txt"""
import random
import sys

n = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
for _ in range(n):
    year = rng.randint(1900, 2100) + 543
    print(f"{rng.randint(1, 31):02d} {rng.randint(1, 12):02d} {year} {rng.randint(0, 23):02d} "
          f"{rng.randint(0, 59):02d} {rng.choice('mf')} {rng.choice(['07', '08', '09', '10'])}")
