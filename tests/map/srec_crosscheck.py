#!/usr/bin/env python3
"""The same image as Intel HEX and as S-records written by srec_cat must give the
same memory map (ranges, gaps, bytes, overlaps, entry point addresses) and the same
--dump. Inputs: generated files (16-bit offsets, 02 segments, 04 linear bases up to
FFFFFFFF, records of 1 to 255 bytes in any order, gaps, 03 and 05 entry points,
overlaps) and every file of DIR that --check finds clean. Each is converted with
-address-length=2, 3 and 4; files without overlaps are converted back to Intel HEX
too. Overlaps survive conversion because the two layers of records that overlap
are converted apart and their S-records joined in the same order. Overlaps are
compared merged where they touch, as srec_cat may cut records elsewhere.
Exits 77 (skipped) when srec_cat is missing.
  srec_crosscheck.py LARKSPAN_SCAN DIR SEEDS"""
import json, pathlib, random, shutil, subprocess, sys, tempfile

if not shutil.which("srec_cat"):
    sys.exit(77)
scan, realdir, seeds = sys.argv[1], pathlib.Path(sys.argv[2]), int(sys.argv[3])
# Address spaces of the seeds' record kinds: 16-bit offsets only, 02 segments, 04
# linear bases, both.
SPACES = [((0,), 0x10000), ((2,), 0x10FFF0), ((4,), 1 << 32), ((2, 4), 0x10FFF0)]
# srec_cat's -obs (data bytes per output record) for each -address-length.
BLOCK = {2: 32, 3: 17, 4: 250}
TERMINATION = ("S7", "S8", "S9")


def record(kind, offset, data=b""):
    body = bytes([len(data), offset >> 8, offset & 255, kind]) + data
    return ":" + (body + bytes([-sum(body) & 255])).hex().upper() + "\n"


def chunks_in(rng, size):
    """Non-overlapping (address, data) runs in [0, size), some adjacent, some at the end."""
    chunks, end = [], 0
    for center in sorted(rng.choice([0, rng.randrange(size), size - 600]) for _ in range(3)):
        end = max(end, center)
        for _ in range(rng.randrange(1, 12)):
            address = end + rng.choice([0, rng.randrange(1, 300)])
            length = min(rng.randrange(1, 700), size - address)
            if length <= 0:
                break
            chunks.append((address, rng.randbytes(length)))
            end = address + length
    return chunks


def write(rng, chunks, kinds):
    """Intel records of the chunks in random order; the first one sets its base."""
    lines, base = [], None if kinds != (0,) else 0
    for address, data in rng.sample(chunks, len(chunks)):
        while data:
            n = min(len(data), rng.randrange(1, 256))
            if base is None or address < base or address + n > base + 0x10000:
                if rng.choice([k for k in kinds if k == 4 or address + n <= 0x10FFF0]) == 4:
                    base = address & ~0xFFFF
                    lines.append(record(4, 0, (base >> 16).to_bytes(2, "big")))
                else:
                    low = max(0, -(-(address + n - 0x10000) // 16))
                    segment = rng.randrange(low, min(address >> 4, 0xFFFF) + 1)
                    base = segment * 16
                    lines.append(record(2, 0, segment.to_bytes(2, "big")))
            n = min(n, base + 0x10000 - address)
            lines.append(record(0, address - base, data[:n]))
            address, data = address + n, data[n:]
    return lines


def generate(seed):
    """Layers of Intel records, the second (if any) overlapping the first."""
    rng = random.Random(seed)
    kinds, size = SPACES[seed % len(SPACES)]
    first = chunks_in(rng, size)
    layers = [write(rng, first, kinds)]
    if seed // len(SPACES) % 2:
        memory = {a + i: b for a, data in first for i, b in enumerate(data)}
        second, end = [], 0
        for address, data in first[:: rng.randrange(1, 4)]:
            start = max(end, address + rng.randrange(-16, len(data)))
            length = min(rng.randrange(1, 80), size - start)
            if length <= 0:
                break
            values = rng.randbytes(length)
            if rng.randrange(2):
                values = bytes(memory.get(start + i, values[i]) for i in range(length))
            second.append((start, values))
            end = start + length + 1
        layers.append(write(rng, second, kinds))
    entry = rng.choice([None, 3, 5])
    if entry:
        value = rng.randrange(1 << 32).to_bytes(4, "big")
        layers[-1].insert(rng.randrange(len(layers[-1]) + 1), record(entry, 0, value))
    return layers


def srec_cat(source, source_format, target, *options):
    subprocess.run(["srec_cat", source, source_format, "-o", target, *options],
                   check=True, capture_output=True)


def to_srec(layers, length, directory):
    """The Intel files converted apart and their S-records joined: the header of the
    first, the data of each in turn, the termination of the last (no count when joined)."""
    lines = []
    for index, layer in enumerate(layers):
        srec = directory / f"layer{index}-{length}.s"
        srec_cat(layer, "-intel", srec, "-motorola", f"-address-length={length}",
                 f"-obs={BLOCK[length]}")
        lines.append(srec.read_text().splitlines(keepends=True))
    if len(lines) == 1:
        return "".join(lines[0])
    data = [l for part in lines for l in part if l[:2] in ("S1", "S2", "S3")]
    return lines[0][0] + "".join(data) + "".join(l for l in lines[-1] if l[:2] in TERMINATION)


def merged(overlaps):
    """Overlaps joined where they touch: [first, last, bytes, differing bytes]."""
    rows = []
    for o in sorted(overlaps, key=lambda o: o["first"]):
        if rows and o["first"] <= rows[-1][1] + 1:
            rows[-1][1] = max(rows[-1][1], o["last"])
            rows[-1][2] += o["length"]
            rows[-1][3] += o["differing"]
        else:
            rows.append([o["first"], o["last"], o["length"], o["differing"]])
    return rows


def view(path):
    """What must not depend on the format: the map's facts and the dump."""
    found = json.loads(subprocess.run([scan, "--json", path], capture_output=True,
                                      check=True).stdout)
    dump = subprocess.run([scan, "--dump", path], capture_output=True, check=True).stdout
    return found.get("format"), {
        "ranges": [(r["first"], r["last"], r["length"]) for r in found["ranges"]],
        "gaps": [(g["first"], g["last"], g["length"]) for g in found["gaps"]],
        "bytes": found["bytes"],
        "overlaps": merged(found["overlaps"]),
        "entry addresses": [e["address"] for e in found["entry"]],
        "dump lines": dump.decode("latin-1").splitlines()}


def differences(name, expected, path, format):
    found_format, found = view(path)
    if found_format != format:
        yield f"{name}: format {found_format!r}, not {format!r}"
    for key, value in expected.items():
        got = found[key]
        if got == value:
            continue
        if not isinstance(value, list):
            yield f"{name}: {key} differ: {value} in the Intel HEX file, {got} here"
            continue
        at = next((i for i, pair in enumerate(zip(value, got)) if pair[0] != pair[1]),
                  min(len(value), len(got)))
        mine, theirs = (v[at] if at < len(v) else "nothing" for v in (value, got))
        yield (f"{name}: {key} differ at #{at}: {mine!r} in the Intel HEX file, {theirs!r} here"
               f" ({len(value)} against {len(got)})")


def check(name, intel, layers, directory):
    """Failures of the Intel file `intel` whose data the Intel files `layers` hold."""
    format, expected = view(intel)
    if format != "ihex":
        yield f"{name}: format {format!r}, not 'ihex'"
    for length in (2, 3, 4):
        srec = directory / f"image-{length}.s"
        srec.write_text(to_srec(layers, length, directory))
        yield from differences(f"{name} as S-records, -address-length={length}", expected, srec,
                               "srec")
        if len(layers) == 1 and length == 4:
            back = directory / "back.hex"
            srec_cat(srec, "-motorola", back, "-intel")
            yield from differences(f"{name} converted back to Intel HEX", expected, back, "ihex")


def generated(seed, directory):
    """The Intel file of a seed and of each of its layers."""
    layers = generate(seed)
    paths = [directory / f"layer{i}.hex" for i in range(len(layers))]
    for path, layer in zip(paths, layers):
        path.write_text("".join(layer) + record(1, 0))
    image = directory / "image.hex"
    image.write_text("".join(l for layer in layers for l in layer) + record(1, 0))
    return image, paths


failures = []
with tempfile.TemporaryDirectory() as temporary:
    directory = pathlib.Path(temporary)
    cases = [(f"seed {s}", lambda s=s: generated(s, directory)) for s in range(seeds)]
    cases += [(str(path), lambda path=path: (path, [path])) for path in sorted(realdir.iterdir())
              if path.suffix.lower() in (".hex", ".h86") and
              subprocess.run([scan, "--check", path], capture_output=True).returncode == 0]
    for name, make in cases:
        for failure in check(name, *make(), directory):
            failures.append(failure)
            print(failure)
sys.exit(1 if failures else 0)
