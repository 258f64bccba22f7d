#!/usr/bin/env python3
"""Packs a built 32-bit Orvanta into DIST/: NAME-VERSION-win32.zip with the
program and a short text for Windows users (README.txt, UTF-8 with a byte
order mark and CRLF line ends, so that Notepad shows it right), and
DIST/SHA256SUMS over the other files there.

Usage: release_zip.py BUILD_DIR DIST

BUILD_DIR is the win32 build folder: the program is BUILD_DIR/orvanta.exe,
the name and version come from BUILD_DIR/generated/program_info.h (made by
CMake from the project). The archive is the same bytes for the same program:
fixed entry order, dates and permissions, fixed compression level."""
import hashlib
import os
import re
import sys
import zipfile

# The earliest date a zip entry can carry; the archive records no build time.
FIXED_DATE = (1980, 1, 1, 0, 0, 0)
TEMPLATE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "release_readme.txt")


def program_info(build_dir):
    text = open(os.path.join(build_dir, "generated", "program_info.h"), encoding="utf-8").read()
    macros = dict(re.findall(r'^#define (ORVANTA_\w+) "([^"]*)"', text, re.M))
    return macros["ORVANTA_NAME"], macros["ORVANTA_VERSION"], macros["ORVANTA_FILE_NAME"]


def entry(name, data, archive):
    info = zipfile.ZipInfo(name, date_time=FIXED_DATE)
    info.create_system = 3  # permissions as Unix modes, fixed below
    info.external_attr = (0o100644 << 16)
    info.compress_type = zipfile.ZIP_DEFLATED
    archive.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)


def main(build_dir, dist):
    name, version, program_name = program_info(build_dir)
    program = open(os.path.join(build_dir, program_name), "rb").read()
    zip_name = f"{name}-{version}-win32.zip"
    text = open(TEMPLATE, encoding="utf-8").read()
    for key, value in (("NAME", name), ("VERSION", version), ("ZIP", zip_name), ("PROGRAM", program_name),
                       ("PROGRAM_SHA256", hashlib.sha256(program).hexdigest())):
        text = text.replace("@" + key + "@", value)
    if "@" in text:
        sys.exit("release_zip: a placeholder is left in " + TEMPLATE)
    readme = "\ufeff" + text.replace("\r\n", "\n").replace("\n", "\r\n")

    os.makedirs(dist, exist_ok=True)
    for old in os.listdir(dist):
        os.remove(os.path.join(dist, old))
    zip_path = os.path.join(dist, zip_name)
    with zipfile.ZipFile(zip_path, "w") as archive:
        entry("README.txt", readme.encode("utf-8"), archive)
        entry(program_name, program, archive)
    sums = ""
    for file in sorted(os.listdir(dist)):
        digest = hashlib.sha256(open(os.path.join(dist, file), "rb").read()).hexdigest()
        sums += f"{digest}  {file}\n"
    with open(os.path.join(dist, "SHA256SUMS"), "w", encoding="ascii", newline="\n") as f:
        f.write(sums)
    print(f"release: {zip_path} ({os.path.getsize(zip_path)} bytes)")
    print(sums, end="")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
