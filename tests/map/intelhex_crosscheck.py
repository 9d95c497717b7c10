#!/usr/bin/env python3
"""The ranges of larkspan-scan --json against python intelhex's segments() on
generated files without overlaps: data records at random places under random 02 and
04 bases, never wrapping. Exits 77 (skipped) when the intelhex module is missing.
  intelhex_crosscheck.py LARKSPAN_SCAN [FILES]"""
import json, random, subprocess, sys, tempfile

try:
    import intelhex
except ImportError:
    sys.exit(77)

def record(kind, offset, data=b""):
    body = bytes([len(data), offset >> 8, offset & 255, kind]) + data
    return ":" + (body + bytes([-sum(body) & 255])).hex().upper() + "\n"

def generate(rng):
    lines, used = [], set()
    for _ in range(rng.randrange(1, 40)):
        kind, upper = rng.choice([(2, rng.randrange(0, 0x10000, 0x1000)), (4, rng.randrange(0x10000))])
        lines.append(record(kind, 0, upper.to_bytes(2, "big")))
        base = upper * (16 if kind == 2 else 0x10000)
        for _ in range(rng.randrange(1, 20)):
            offset, size = rng.randrange(0, 0xFF00, 0x40), rng.randrange(1, 0x41)
            if base + offset in used:
                continue
            used.add(base + offset)
            lines.append(record(0, offset, bytes(rng.randrange(256) for _ in range(size))))
    return "".join(lines) + record(1, 0)

failures = 0
for seed in range(int(sys.argv[2]) if len(sys.argv) > 2 else 200):
    with tempfile.NamedTemporaryFile("w", suffix=".hex") as hexfile:
        hexfile.write(generate(random.Random(seed)))
        hexfile.flush()
        expected = [list(s) for s in intelhex.IntelHex(hexfile.name).segments()]
        found = json.loads(subprocess.run([sys.argv[1], "--json", hexfile.name],
                                          capture_output=True, check=True).stdout)
        ranges = [[r["first"], r["last"] + 1] for r in found["ranges"]]
        if ranges != expected:
            failures += 1
            print(f"seed {seed}: intelhex {expected[:4]}..., larkspan-scan {ranges[:4]}...")
sys.exit(1 if failures else 0)
