#!/usr/bin/env python3
"""Checks the built program file as the standard tools read it (see
program_file.py): machine, subsystem, hardening flags, that it imports only
Windows' own DLLs, carries its version information and icon, and stays small.
Usage: check_program_file.py PROGRAM.exe PROCESSOR VERSION"""
import os
import sys

from program_file import ProgramFile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll", "oleaut32.dll",
               "msvcrt.dll", "advapi32.dll", "shell32.dll"}
# A guard against the program growing by accident (the icon alone is 92,854 bytes):
# the 32-bit program's budget; the 64-bit build is not shipped. The C++
# library's own exception reports and terminate handler (with the name
# demangler and the formatted output it prints with) are about 100 KB of it.
MAX_BYTES = {"i686": 344 * 1024, "x86_64": 400 * 1024}


def main(path, processor, version):
    failures = []

    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    program = ProgramFile(path)
    want_format = "pei-i386" if processor.startswith("i") else "pei-x86-64"
    check(program.format == want_format, f"a PE program file for {processor}: {program.format}")
    check(program.subsystem == "Windows GUI", f"Windows GUI subsystem: {program.subsystem}")
    flags = program.dll_characteristics
    check("DYNAMIC_BASE" in flags, "ASLR (dynamic base)")
    check("NX_COMPAT" in flags, "DEP (NX compatible)")
    if want_format == "pei-x86-64":
        check("HIGH_ENTROPY_VA" in flags, "ASLR with 64-bit addresses (high entropy)")
    dlls = [dll.lower() for dll in program.imported_dlls]
    check(dlls and set(dlls) <= SYSTEM_DLLS, "imports only Windows' own DLLs: " + ", ".join(dlls))

    info = program.version_info
    for key, value in (("ProductName", "Orvanta"), ("InternalName", "Virelo"), ("ProductVersion", version),
                       ("FileVersion", version)):
        check(info.strings.get(key) == value, f"version information {key} {value}: {info.strings.get(key)}")
    # The numeric versions (what Explorer shows as file version) are the same four parts.
    parts = tuple(int(p) for p in version.split(".")) + (0,) * (4 - len(version.split(".")))
    check(info.file_version is not None, "fixed version information present")
    if info.file_version is not None:
        shown = ",".join(map(str, parts))
        check(info.file_version == parts, f"file version {shown}: {info.file_version}")
        check(info.product_version == parts, f"product version {shown}: {info.product_version}")
    check(any(w == 128 and h == 128 for w, h, _ in program.icon_images), "the 128-pixel icon image is embedded")
    size = os.path.getsize(path)
    limit = MAX_BYTES.get(processor, MAX_BYTES["x86_64"])
    check(size <= limit, f"size {size} bytes within {limit}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3]))
