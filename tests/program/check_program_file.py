#!/usr/bin/env python3
"""Checks the built program file: machine, subsystem, hardening flags, that it
imports only Windows' own DLLs, carries its version information and icon, and
stays small."""
import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll", "oleaut32.dll",
               "msvcrt.dll", "advapi32.dll", "shell32.dll"}
# A guard against the program growing by accident (the icon alone is 92,854 bytes).
MAX_BYTES = {"i686": 400 * 1024, "x86_64": 400 * 1024}


def main(path, processor):
    data = open(path, "rb").read()
    failures = []

    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    pe = struct.unpack_from("<I", data, 0x3C)[0]
    check(data[pe:pe + 4] == b"PE\0\0", "PE signature")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    want_machine = 0x14C if processor.startswith("i") else 0x8664
    check(machine == want_machine, f"machine {machine:#x} for {processor}")
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    subsystem, dll_chars = struct.unpack_from("<HH", data, opt + 68)
    check(subsystem == 2, "Windows GUI subsystem")
    check(bool(dll_chars & 0x40), "ASLR (dynamic base)")
    check(bool(dll_chars & 0x100), "DEP (NX compatible)")
    dirs = opt + (96 if magic == 0x10B else 112)
    import_rva = struct.unpack_from("<I", data, dirs + 8)[0]
    section_table = opt + optional_size

    def offset(rva):
        for i in range(sections):
            _, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, section_table + 40 * i)
            if vaddr <= rva < vaddr + max(vsize, rsize):
                return raddr + rva - vaddr
        raise ValueError(rva)

    dlls = []
    at = offset(import_rva)
    while True:
        name_rva = struct.unpack_from("<I", data, at + 12)[0]
        if name_rva == 0:
            break
        start = offset(name_rva)
        dlls.append(data[start:data.index(b"\0", start)].decode().lower())
        at += 20
    check(set(dlls) <= SYSTEM_DLLS, "imports only Windows' own DLLs: " + ", ".join(dlls))
    utf16 = lambda s: s.encode("utf-16-le")
    for key, value in (("ProductName", "Orvanta"), ("InternalName", "Virelo"), ("ProductVersion", "1.2")):
        check(utf16(key) in data and utf16(value) in data, f"version information {key} {value}")
    check(b"\x28\x00\x00\x00\x80\x00\x00\x00\x00\x01\x00\x00" in data, "the 128-pixel icon image is embedded")
    limit = MAX_BYTES.get(processor, MAX_BYTES["x86_64"])
    check(len(data) <= limit, f"size {len(data)} bytes within {limit}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
