#!/usr/bin/env python3
"""Checks the built program file: machine, subsystem, hardening flags, that it
imports only Windows' own DLLs, carries its version information and icon, and
stays small. Usage: check_program_file.py PROGRAM.exe PROCESSOR VERSION"""
import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll", "oleaut32.dll",
               "msvcrt.dll", "advapi32.dll", "shell32.dll"}
# A guard against the program growing by accident (the icon alone is 92,854 bytes):
# the 32-bit program's budget; the 64-bit build is not shipped.
MAX_BYTES = {"i686": 280 * 1024, "x86_64": 400 * 1024}


def main(path, processor, version):
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
    for key, value in (("ProductName", "Orvanta"), ("InternalName", "Virelo"), ("ProductVersion", version),
                       ("FileVersion", version)):
        check(utf16(key) in data and utf16(value) in data, f"version information {key} {value}")
    # The numeric versions (what Explorer shows as file version) are the same four parts.
    parts = [int(p) for p in version.split(".")] + [0] * (4 - len(version.split(".")))
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    check(fixed >= 0, "fixed version information present")
    if fixed >= 0:
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", data, fixed + 8)
        want_ms, want_ls = parts[0] << 16 | parts[1], parts[2] << 16 | parts[3]
        check((file_ms, file_ls) == (want_ms, want_ls), f"file version {','.join(map(str, parts))}")
        check((product_ms, product_ls) == (want_ms, want_ls), f"product version {','.join(map(str, parts))}")
    check(b"\x28\x00\x00\x00\x80\x00\x00\x00\x00\x01\x00\x00" in data, "the 128-pixel icon image is embedded")
    limit = MAX_BYTES.get(processor, MAX_BYTES["x86_64"])
    check(len(data) <= limit, f"size {len(data)} bytes within {limit}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3]))
