#!/usr/bin/env python3
"""Checks that every function the program file keeps has its unwind table,
the one an exception thrown through that function needs on its way to the
guard that tells the user: which functions the link kept, and from which
object or library member, as lld's link map lists them (every code section
it took, and the symbols in it), and the tables as the program file holds
them (the DWARF tables of .eh_frame in the 32-bit program, as the unwinder
reads them up to their end mark; the function table .pdata in the 64-bit
one).

A function without a table fails the check, unless it calls nothing (no
exception can pass through it, and on x86-64 such a leaf needs no entry in
.pdata: the unwinder finds its return address at the top of the stack), or
it is listed below with the reason why no exception can pass through it. The loss this guards
against is lld's: it takes a section only through a symbol in it, and
Debian's 32-bit C++ library keeps the tables of its inline and template
functions in sections that have none (src/win32/string_instances.cpp). A
toolchain that brings the loss back to a function the program keeps fails
here, not in the user's hands.

Usage: check_unwind_tables.py PROGRAM.exe PROGRAM.map"""
import bisect
import struct
import sys

from program_file import IMPORT_MEMBER, LinkMap, ProgramFile, tool

# The functions kept without a table that no exception can pass through: by
# the file they came from and their section there, with the reason.
NO_EXCEPTION_PASSES = {
    ("eh_alloc.o", ".text$_ZN9__gnu_cxx24__concurrence_lock_errorD0Ev"):
        "a destructor (noexcept) that also frees the object",
    ("eh_alloc.o", ".text$_ZN9__gnu_cxx26__concurrence_unlock_errorD0Ev"):
        "a destructor (noexcept) that also frees the object",
    ("eh_alloc.o", ".text$_ZN9__gnu_cxx30__throw_concurrence_lock_errorEv"):
        "throws only when the lock of the exception allocator's reserve fails, inside the runtime's noexcept "
        "allocation of an exception: that ends the program, with a table or without",
    ("eh_alloc.o", ".text$_ZN9__gnu_cxx32__throw_concurrence_unlock_errorEv"):
        "throws only when a lock of the runtime's own cannot be released, in destructors and noexcept functions "
        "(eh_alloc.o, guard.o): that ends the program, with a table or without",
}


def uleb128(data, i):
    value = shift = 0
    while True:
        byte = data[i]
        i += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, i


def encoded(data, i, encoding, address, image_base):
    """A 4-byte pointer as DWARF's exception tables encode it (DW_EH_PE_*),
    read at data[i], which lies at `address` (relative to the image base):
    the value, relative to the image base, and where the next field starts.
    GCC's tables here give addresses relative to the field (pcrel, sdata4)."""
    if encoding & 0x0F not in (0x0, 0x3, 0xB) or encoding & 0x70 not in (0x00, 0x10):
        raise ValueError(f"unwind table pointer encoding {encoding:#x} is not read here")
    value = struct.unpack_from("<i" if encoding & 0x0F == 0xB else "<I", data, i)[0]
    if encoding & 0x70 == 0x10:  # relative to the field itself
        value += address + i
    elif encoding & 0x0F == 0:  # an address
        value -= image_base
    return value, i + 4


def dwarf_tables(data, address, image_base):
    """(start, end) of the code each frame description entry of .eh_frame
    covers, up to the end mark (a zero length), where the unwinder stops."""
    ranges, pointer_encodings, i = [], {}, 0
    while i + 4 <= len(data):
        length = struct.unpack_from("<I", data, i)[0]
        if length == 0:
            break
        start, i = i + 4, i + 4 + length
        cie_pointer = struct.unpack_from("<I", data, start)[0]
        if cie_pointer == 0:  # a common information entry: how its entries encode their addresses
            j = start + 5
            augmentation = data[j:data.index(b"\0", j)].decode()
            j += len(augmentation) + 1
            for _ in range(3):  # code and data alignment, return address register
                _, j = uleb128(data, j)
            encoding = 0
            if augmentation.startswith("z"):
                _, j = uleb128(data, j)
                for letter in augmentation[1:]:
                    if letter == "R":
                        encoding = data[j]
                        j += 1
                    elif letter == "L":
                        j += 1
                    elif letter == "P":
                        _, j = encoded(data, j + 1, data[j] & 0x7F, address, image_base)
            pointer_encodings[start - 4] = encoding
        else:
            encoding = pointer_encodings[start - cie_pointer]
            begin, j = encoded(data, start + 4, encoding, address, image_base)
            size, _ = encoded(data, j, encoding & 0x0F, address, image_base)
            ranges.append((begin, begin + size))
    return ranges


def calls_anything(program, start, end):
    """Whether the code from `start` to `end` (relative to the image base) calls anything."""
    base = int(program.field("ImageBase"), 16)
    code = tool("objdump", "-d", f"--start-address={base + start:#x}", f"--stop-address={base + end:#x}",
                program.path).decode()
    return any("\tcall" in line for line in code.splitlines())


def function_table(data):
    """(start, end) of each entry of .pdata (begin, end, unwind information)."""
    return [(begin, end) for begin, end, _ in struct.iter_unpack("<III", data[:len(data) // 12 * 12])]


def main(program_path, map_path):
    program = ProgramFile(program_path)
    link_map = LinkMap(map_path)
    image_base = int(program.field("ImageBase"), 16)
    sections = {s.address: s for s in program.sections}
    table_section = ".eh_frame" if program.format == "pei-i386" else ".pdata"
    ranges = []
    for name, address, _ in link_map.outputs:
        if name == table_section and address in sections:
            data = program.section_bytes(sections[address])
            ranges = dwarf_tables(data, address, image_base) if name == ".eh_frame" else function_table(data)
    ranges.sort()
    starts = [start for start, _ in ranges]

    def has_table(address):
        k = bisect.bisect_right(starts, address) - 1
        return k >= 0 and ranges[k][0] <= address < ranges[k][1]

    failures, kept, allowed = [], 0, 0
    for section in link_map.inputs:
        # An import library's thunk is a jump into the DLL: it has no frame of its own.
        if section.output != ".text" or section.size == 0 or IMPORT_MEMBER.match(section.file):
            continue
        kept += 1
        # Each function of the section, from its symbol to the next.
        starts_here = sorted({section.address} | {a for a, _ in section.symbols})
        functions = zip(starts_here, starts_here[1:] + [section.address + section.size])
        if all(has_table(start) or not calls_anything(program, start, end) for start, end in functions):
            continue
        if (section.file, section.name) in NO_EXCEPTION_PASSES:
            allowed += 1
            continue
        function = section.symbols[0][1] if section.symbols else section.name
        failures.append(f"{section.file}: {function} ({section.name}) has no unwind table")

    print(f"{len(ranges)} unwind tables in {table_section}; {kept} code sections kept, "
          f"{allowed} of them without a table and listed as letting no exception pass")
    for failure in failures:
        print("FAIL " + failure)
    if not ranges or not kept:
        print("FAIL the map or the program file says nothing of its code or its tables")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
