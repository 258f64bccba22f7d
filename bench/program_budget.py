#!/usr/bin/env python3
"""Where the bytes of a mingw-w64 program file go, from the linker's map
(-Wl,-Map=FILE) and the program file itself.

Usage: bench/program_budget.py build/win32/orvanta.exe build/win32/orvanta.map
(every build writes the program's link map next to it).

Every input section of the map is put in one group by the file it came from
(the resources, our own objects, libstdc++, libgcc and its unwinder,
winpthread, the mingw CRT, the import libraries, the base relocations) and
counted under its output section, then the largest files of each group are
listed. What the
program file holds beyond the input sections is counted apart: the headers,
the gaps between input sections (their alignment), and each section's
padding up to the file alignment."""
import collections
import re
import struct
import sys


def group(path, section):
    name = path.rsplit("/", 1)[-1]
    if section.startswith(".rsrc"):
        return "resources"
    if section.startswith(".reloc") or path == "dll stuff":
        return "relocations"
    if "CMakeFiles/" in path or "liborvanta" in path:
        return "our code"
    if name.startswith("libstdc++.a"):
        return "libstdc++"
    if name.startswith(("libgcc.a", "libgcc_eh.a")):
        return "libgcc, unwinder"
    if name.startswith(("libwinpthread.a", "libpthread.a")):
        return "winpthread"
    m = re.match(r"lib(\w+)\.a\((lib\w+?)(s\d+|h|t)\.o\)", name)
    if m or "_a-" in name and "uuid" in name:
        return "import tables" if m else "mingw CRT"
    if name.startswith(("libmingw32.a", "libmingwex.a", "libmsvcrt.a", "libmoldname.a")) or \
            name.startswith(("crt", "dllcrt", "crtbegin", "crtend", "libkernel32.a")):
        return "mingw CRT"
    return "other: " + name


def input_sections(map_path):
    """(output section, input section, address, size, file) for each input section."""
    out = None
    pending = None
    in_memory_map = False
    for line in open(map_path, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if line.startswith("Linker script and memory map"):
            in_memory_map = True
            continue
        if not in_memory_map:
            continue
        m = re.match(r"^(\.\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)", line)
        if m:
            out = m.group(1)
            pending = None
            continue
        if re.match(r"^\.\S+$", line):  # an output section too long for one line
            out = line.strip()
            continue
        m = re.match(r"^ (\.\S+|COMMON)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m:
            yield out, m.group(1), int(m.group(2), 16), int(m.group(3), 16), m.group(4)
            pending = None
            continue
        m = re.match(r"^ (\.\S+|COMMON)$", line)
        if m:
            pending = m.group(1)
            continue
        m = re.match(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m and pending:
            yield out, pending, int(m.group(1), 16), int(m.group(2), 16), m.group(3)
            pending = None


def pe_sections(exe):
    data = open(exe, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, = struct.unpack_from("<H", data, pe + 6)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    opt = pe + 24
    headers = struct.unpack_from("<I", data, opt + 60)[0]
    sections = []
    for i in range(count):
        name, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, opt + optional_size + 40 * i)
        sections.append((name.rstrip(b"\0").decode(), vsize, rsize))
    return len(data), headers, sections


def main(exe, map_path):
    size, headers, sections = pe_sections(exe)
    by = collections.defaultdict(lambda: collections.Counter())
    files = collections.defaultdict(collections.Counter)
    used = collections.Counter()
    for out, _, _, length, path in input_sections(map_path):
        if length == 0 or out is None:
            continue
        g = group(path, out)
        key = out[:8]
        by[g][key] += length
        used[key] += length
        files[g][path.rsplit("/", 1)[-1]] += length
    on_file = {name: rsize for name, _, rsize in sections}
    columns = [name for name, _, rsize in sections if rsize]
    groups = ["resources", "our code", "libstdc++", "libgcc, unwinder", "winpthread", "mingw CRT", "import tables",
              "relocations"]
    groups += sorted(g for g in by if g not in groups)
    width = max(len(g) for g in groups + ["section padding"]) + 2
    print("".ljust(width) + "".join(c.rjust(10) for c in columns) + "total".rjust(10))
    total_rows = 0
    for g in groups:
        row = [by[g][c] for c in columns]
        total_rows += sum(row)
        print(g.ljust(width) + "".join(str(v).rjust(10) for v in row) + str(sum(row)).rjust(10))
    gaps = []
    for name, vsize, rsize in sections:
        if not rsize:
            continue
        gaps.append(min(vsize, rsize) - used[name])
    print("gaps between inputs".ljust(width) + "".join(str(v).rjust(10) for v in gaps) + str(sum(gaps)).rjust(10))
    pads = [rsize - min(vsize, rsize) for name, vsize, rsize in sections if rsize]
    print("file alignment".ljust(width) + "".join(str(v).rjust(10) for v in pads) + str(sum(pads)).rjust(10))
    print("headers".ljust(width) + str(headers).rjust(10))
    accounted = headers + total_rows + sum(gaps) + sum(pads)
    print("file".ljust(width) + "".join(str(on_file[c]).rjust(10) for c in columns) + str(size).rjust(10)
          + ("" if accounted == size else f"   (accounted {accounted})"))
    print()
    for g in groups:
        top = files[g].most_common(12 if g != "import tables" else 0)
        if top:
            print(f"{g}: " + ", ".join(f"{n} {v}" for n, v in top))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
