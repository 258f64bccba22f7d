#!/usr/bin/env python3
"""Where the bytes of a mingw-w64 program file go, from lld's link map
(-Wl,-Map=FILE) and what objdump says of the program file.

Usage: bench/program_budget.py build/win32/orvanta.exe build/win32/orvanta.map
(every build writes the program's link map next to it).

Every input section of the map is put in one group by the file it came from
(the resources, our own objects, libstdc++, libgcc and its unwinder,
winpthread, the mingw CRT, the import libraries) and counted under its output
section, then the largest files of each group are listed. lld names a
library member without its library, so the member lists of the libraries
(ar t) tell which one it came from. What the program file holds beyond the
input sections is counted apart: the base relocations (which lld makes
itself), the headers, what lies between input sections (their alignment,
and the few tables lld makes), and each section's padding up to the file
alignment."""
import collections
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "program"))
from program_file import IMPORT_MEMBER, TRIPLETS, LinkMap, ProgramFile, tool  # noqa: E402

# The libraries that are counted apart, by the names the compiler finds them by.
LIBRARIES = {
    "libstdc++": ["libstdc++.a"],
    "libgcc, unwinder": ["libgcc.a", "libgcc_eh.a"],
    "winpthread": ["libpthread.a"],
    "mingw CRT": ["libmingw32.a", "libmingwex.a", "libmsvcrt.a", "libmoldname.a", "libuuid.a"],
}


def member_groups(triplet):
    """The group of each member of the libraries above."""
    compiler = triplet + "-g++-win32"
    groups = {}
    for group, names in LIBRARIES.items():
        for name in names:
            path = tool(compiler, "-print-file-name=" + name).decode().strip()
            if os.path.isabs(path):
                for member in tool(triplet + "-ar", "t", path).decode().split():
                    groups.setdefault(member, group)
    return groups


def group(path, members):
    name = path.rsplit("/", 1)[-1]
    if name.endswith(".obj"):  # what CMake compiled
        return "our code"
    if IMPORT_MEMBER.match(name):
        return "import tables"
    if name in members:
        return members[name]
    if os.path.isabs(path) and name.startswith("crt"):  # the start-up files, given by path
        return "mingw CRT"
    return "other: " + name


def main(exe, map_path):
    program = ProgramFile(exe)
    size = os.path.getsize(exe)
    headers = int(program.field("SizeOfHeaders"), 16)
    alignment = int(program.field("FileAlignment"), 16)
    members = member_groups(TRIPLETS[program.format])
    link_map = LinkMap(map_path)
    outputs = {address: (name, [i for i in link_map.inputs if i.output == name])
               for name, address, _ in link_map.outputs}

    by = collections.defaultdict(collections.Counter)
    files = collections.defaultdict(collections.Counter)
    columns, used, on_file, data = [], collections.Counter(), {}, {}
    for section in program.sections:
        name, inputs = outputs.get(section.address, (section.name, []))
        columns.append(name)
        data[name] = section.size
        on_file[name] = -(-section.size // alignment) * alignment
        if name == ".reloc":
            by["relocations"][name] += section.size
            used[name] += section.size
        end = section.address + section.size  # the rest (uninitialised data) is not in the file
        for i in inputs:
            length = max(0, min(i.address + i.size, end) - i.address)
            if not length:
                continue
            g = "resources" if name == ".rsrc" else group(i.path, members)
            by[g][name] += length
            used[name] += length
            files[g][i.file] += length

    groups = ["resources", "our code", "libstdc++", "libgcc, unwinder", "winpthread", "mingw CRT", "import tables",
              "relocations"]
    groups += sorted(g for g in by if g not in groups)
    width = max(len(g) for g in groups + ["between input sections"]) + 2
    print("".ljust(width) + "".join(c[:9].rjust(10) for c in columns) + "total".rjust(10))
    total_rows = 0
    for g in groups:
        row = [by[g][c] for c in columns]
        total_rows += sum(row)
        print(g.ljust(width) + "".join(str(v).rjust(10) for v in row) + str(sum(row)).rjust(10))
    gaps = [data[c] - used[c] for c in columns]
    print("between input sections".ljust(width) + "".join(str(v).rjust(10) for v in gaps) + str(sum(gaps)).rjust(10))
    pads = [on_file[c] - data[c] for c in columns]
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
