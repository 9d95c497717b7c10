#!/usr/bin/env python3
"""--crc on generated images with gaps against srec_cat: CRC-32/ISO-HDLC and the
STM32 CRC unit over a range with the gaps filled with FF, written after the range
by srec_cat and checked there with --verify-at; the value of the bytes with data
only against zlib; the same image as S-records alike.

    crc_crosscheck.py LARKSPAN_SCAN ROUNDS
Exits 77 (skipped) without srec_cat."""
import json
import random
import shutil
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path


def record(kind, offset, data):
    fields = [len(data), offset >> 8 & 0xFF, offset & 0xFF, kind, *data]
    return ":" + "".join(f"{b:02X}" for b in fields) + f"{-sum(fields) & 0xFF:02X}\n"


def write_hex(path, image):
    """`image` (address -> byte) as one record a byte, each after the 04 record
    of its upper address word."""
    text = ""
    for address in sorted(image):
        text += record(4, 0, [address >> 24, address >> 16 & 0xFF])
        text += record(0, address & 0xFFFF, [image[address]])
    path.write_text(text + record(1, 0, []))


def run(*args):
    result = subprocess.run([str(a) for a in args], capture_output=True, text=True)
    if result.returncode not in (0, 3):
        sys.exit(f"{args}: {result.returncode} {result.stderr}")
    return result


def checksum(scan, path, algorithm, lo, hi, fill):
    """larkspan-scan's result for LO to HI - 1, with the value stored at HI."""
    args = [scan, "--json", "--crc", algorithm, f"--range={lo:X}:{hi - 1:X}", f"--verify-at={hi:X}"]
    return json.loads(run(*args, *(["--fill=FF"] if fill else []), path).stdout)["checksums"][0]


def main():
    scan, rounds = sys.argv[1], int(sys.argv[2])
    if not shutil.which("srec_cat"):
        print("srec_cat missing: skipped")
        return 77
    rng = random.Random(21)
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        source, out = Path(tmp) / "image.hex", Path(tmp) / "out.hex"
        for round_ in range(rounds):
            base = rng.choice([0, 0x8000000, 0xFFFE0000]) + rng.randrange(0x10000)
            image = {}
            for _ in range(rng.randrange(1, 5)):
                start = base + rng.randrange(0x800)
                for address in range(start, start + rng.randrange(1, 400)):
                    image[address] = rng.randrange(256)
            lo = min(image) - rng.randrange(8)
            hi = max(image) + 1 + rng.randrange(8)
            hi += -(hi - lo) % 4  # whole words, which srec_cat's STM32 filter needs
            image = {a: b for a, b in image.items() if a < hi}
            write_hex(source, image)
            data_only = zlib.crc32(bytes(image[a] for a in sorted(image)))
            for algorithm, theirs in (("crc32", "-crc32-l-e"), ("stm32", "-STM32")):
                run("srec_cat", source, "-intel", "-fill", "0xFF", lo, hi, "-crop", lo, hi, theirs,
                    hi, "-o", out, "-intel", "-address-length=4")
                copies = [out]
                if round_ % 4 == 0:
                    copies.append(out.with_suffix(".s37"))
                    run("srec_cat", out, "-intel", "-o", copies[-1], "-motorola",
                        "-address-length=4")
                for copy in copies:
                    result = checksum(scan, copy, algorithm, lo, hi, algorithm == "crc32")
                    stored = result["stored"]
                    if not stored["matches"] or stored["little_endian"] != result["value"]:
                        failures.append(f"round {round_} {algorithm} {copy.name}: {result}")
            result = checksum(scan, source, "crc32", lo, hi, False)
            if result["value"] != data_only or result["bytes"] != len(image) or \
                    result["gaps"] != hi - lo - len(image):
                failures.append(f"round {round_} data only: {result}, zlib {data_only:08X}")
    for failure in failures[:20]:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
