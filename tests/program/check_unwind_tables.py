#!/usr/bin/env python3
"""Checks that every function the program file keeps has its unwind table,
the one an exception thrown through that function needs on its way to the
guard that tells the user: which functions the link kept, and from which
object or library member, as lld's link map lists them (every code section
it took, and the symbols in it), and the tables as the program file holds
them, read by LLVM's tools (the DWARF tables of .eh_frame in the 32-bit
program, up to their end mark as the unwinder reads them; the function
table .pdata in the 64-bit one).

A function without a table fails the check, unless it calls nothing (no
exception can pass through it, and on x86-64 such a leaf needs no entry in
.pdata: the unwinder finds its return address at the top of the stack), or
it is listed below with the reason why no exception can pass through it.
The loss this guards against is lld's: it takes a section only through a
symbol in it, and Debian's 32-bit C++ library keeps the tables of its inline
and template functions in sections that have none
(src/win32/string_instances.cpp). A toolchain that brings the loss back to a
function the program keeps fails here, not in the user's hands.

Usage: check_unwind_tables.py PROGRAM.exe PROGRAM.map"""
import bisect
import re
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


def unwind_tables(program):
    """(start, end) of the code each unwind table covers, relative to the image
    base, as LLVM's tools read the program: the entries of .eh_frame in the
    32-bit program, up to the end mark (a zero length) where the unwinder
    stops; the function table .pdata in the 64-bit one."""
    base = int(program.field("ImageBase"), 16)
    if program.format == "pei-i386":
        text = tool("llvm-dwarfdump-14", "--eh-frame", program.path).decode()
        text = text.split("ZERO terminator")[0]
        pairs = re.findall(r" FDE .* pc=([0-9a-f]+)\.\.\.([0-9a-f]+)", text)
    else:
        text = tool("llvm-readobj-14", "--unwind", program.path).decode()
        pairs = re.findall(r"StartAddress: \(0x([0-9A-Fa-f]+)\)\s+EndAddress: \(0x([0-9A-Fa-f]+)\)", text)
    return [(int(start, 16) - base, int(end, 16) - base) for start, end in pairs]


def calls_anything(program, start, end):
    """Whether the code from `start` to `end` (relative to the image base) calls anything."""
    base = int(program.field("ImageBase"), 16)
    code = tool("objdump", "-d", f"--start-address={base + start:#x}", f"--stop-address={base + end:#x}",
                program.path).decode()
    return any("\tcall" in line for line in code.splitlines())


def main(program_path, map_path):
    program = ProgramFile(program_path)
    link_map = LinkMap(map_path)
    ranges = unwind_tables(program)
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

    print(f"{len(ranges)} unwind tables; {kept} code sections kept, "
          f"{allowed} of them without a table and listed as letting no exception pass")
    for failure in failures:
        print("FAIL " + failure)
    if not ranges or not kept:
        print("FAIL the map or the program file says nothing of its code or its tables")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
