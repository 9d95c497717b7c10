#!/usr/bin/env python3
"""--compare on generated pairs: the differences against a plain byte-per-address
model, the verdict against srec_cmp's (0 for the same image), and the same image
in other record lengths, order or format identical.

    compare_crosscheck.py LARKSPAN_SCAN ROUNDS
Exits 77 (skipped) without srec_cmp and srec_cat."""
import json
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path


def record(kind, offset, data):
    fields = [len(data), offset >> 8 & 0xFF, offset & 0xFF, kind, *data]
    return ":" + "".join(f"{b:02X}" for b in fields) + f"{-sum(fields) & 0xFF:02X}\n"


def write_hex(path, image, length, rng, shuffle):
    """`image` (address -> byte) as records of up to `length` bytes, each with
    the 04 record of its upper address word."""
    runs = []
    for address in sorted(image):
        last = runs[-1] if runs else None
        if last and last[0] + len(last[1]) == address and len(last[1]) < length \
                and address & 0xFFFF:
            last[1].append(image[address])
        else:
            runs.append((address, [image[address]]))
    if shuffle:
        rng.shuffle(runs)
    text = "".join(record(4, 0, [a >> 24, a >> 16 & 0xFF]) + record(0, a & 0xFFFF, d)
                   for a, d in runs)
    path.write_text(text + record(1, 0, []))


def model(first, second, fill):
    """[first, last, kind] runs of consecutive addresses of one kind."""
    kinds = {}
    for address in first.keys() | second.keys():
        a, b = first.get(address), second.get(address)
        if a is not None and b is not None:
            if a != b:
                kinds[address] = "changed"
        elif (a if b is None else b) != fill:
            kinds[address] = "only_in_first" if b is None else "only_in_second"
    runs = []
    for address in sorted(kinds):
        if runs and runs[-1][2] == kinds[address] and runs[-1][1] + 1 == address:
            runs[-1][1] = address
        else:
            runs.append([address, address, kinds[address]])
    return runs


def main():
    scan, rounds = sys.argv[1], int(sys.argv[2])
    if not (shutil.which("srec_cmp") and shutil.which("srec_cat")):
        print("srec_cmp or srec_cat missing: skipped")
        return 77
    rng = random.Random(20)
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        a, b, c, s = (Path(tmp) / n for n in ("a.hex", "b.hex", "c.hex", "c.s37"))
        for round_ in range(rounds):
            base = rng.choice([0, 0x8000000, 0xFFFEF000]) + rng.randrange(0x10000)
            image = {}
            for _ in range(rng.randrange(1, 6)):
                start = base + rng.randrange(0x400)
                for address in range(start, min(start + rng.randrange(1, 300), 1 << 32)):
                    image[address] = 0xFF if rng.random() < 0.2 else rng.randrange(256)
            other = dict(image)
            for _ in range(rng.randrange(0, 6)):
                address = rng.choice(sorted(other)) if other else base
                choice = rng.randrange(3)
                if choice == 0 and address in other:
                    other[address] ^= rng.randrange(1, 256)
                elif choice == 1:
                    other.pop(address, None)
                else:
                    other[min(address + rng.randrange(1, 40), 0xFFFFFFFF)] = 0xFF
            write_hex(a, image, 16, rng, False)
            write_hex(b, other, rng.randrange(1, 33), rng, round_ % 2 == 0)
            fill = 0xFF if round_ % 3 == 0 else None
            args = [scan, "--compare", "--json", str(a), str(b)]
            if fill is not None:
                args.insert(2, "--fill=FF")
            result = subprocess.run(args, capture_output=True, text=True)
            document = json.loads(result.stdout)
            found = [[d["first"], d["last"], d["kind"]] for d in document["differences"]]
            if found != model(image, other, fill):
                failures.append(f"round {round_}: differences {found} != {model(image, other, fill)}")
            if fill is None:
                theirs = subprocess.run(["srec_cmp", str(a), "-intel", str(b), "-intel"],
                                        capture_output=True).returncode
                if (result.returncode == 0) != (theirs == 0):
                    failures.append(f"round {round_}: status {result.returncode}, srec_cmp {theirs}")
            # The same image relaid and as S-records: identical.
            write_hex(c, image, rng.randrange(1, 256), rng, True)
            converted = subprocess.run(["srec_cat", str(c), "-intel", "-o", str(s), "-motorola",
                                        "-address-length=4"], capture_output=True, text=True)
            if converted.returncode != 0:
                sys.exit(f"srec_cat: {converted.stderr}")
            for same in (c, s):
                status = subprocess.run([scan, "--compare", str(a), str(same)],
                                        capture_output=True).returncode
                if status != 0:
                    failures.append(f"round {round_}: {same.name} not identical ({status})")
    for failure in failures[:20]:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
