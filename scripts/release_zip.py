#!/usr/bin/env python3
"""Packs a built Orvanta into DIST/: NAME-VERSION-win32.zip with the 32-bit
program and a short text for Windows users (README.txt, UTF-8 with a byte
order mark and CRLF line ends, so that Notepad shows it right), and with
--web NAME-VERSION-web.zip, the browser page's folder ready for any static
host; DIST/SHA256SUMS covers the zips there.

Usage: release_zip.py [--web WEB_BUILD_DIR] [BUILD_DIR] DIST

BUILD_DIR is the win32 build folder: the program is BUILD_DIR/orvanta.exe;
WEB_BUILD_DIR the web build folder, whose page/ is the site. The name and
version come from the build folder's generated/program_info.h (made by CMake
from the project). Each archive is the same bytes for the same files: fixed
entry order, dates and permissions, fixed compression level."""
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


def windows_zip(build_dir, dist):
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

    zip_path = os.path.join(dist, zip_name)
    with zipfile.ZipFile(zip_path, "w") as archive:
        entry("README.txt", readme.encode("utf-8"), archive)
        entry(program_name, program, archive)
    print(f"release: {zip_path} ({os.path.getsize(zip_path)} bytes)")


def web_zip(build_dir, dist):
    """The page's folder, in a folder of the zip's own name, its files in name order."""
    name, version, _ = program_info(build_dir)
    page = os.path.join(build_dir, "page")
    folder = f"{name}-{version}-web"
    zip_path = os.path.join(dist, folder + ".zip")
    with zipfile.ZipFile(zip_path, "w") as archive:
        for file in sorted(os.listdir(page)):
            entry(f"{folder}/{file}", open(os.path.join(page, file), "rb").read(), archive)
    print(f"release: {zip_path} ({os.path.getsize(zip_path)} bytes)")


def main(build_dir, web_build_dir, dist):
    os.makedirs(dist, exist_ok=True)
    for old in os.listdir(dist):
        os.remove(os.path.join(dist, old))
    if build_dir:
        windows_zip(build_dir, dist)
    if web_build_dir:
        web_zip(web_build_dir, dist)
    sums = ""
    for file in sorted(os.listdir(dist)):
        digest = hashlib.sha256(open(os.path.join(dist, file), "rb").read()).hexdigest()
        sums += f"{digest}  {file}\n"
    with open(os.path.join(dist, "SHA256SUMS"), "w", encoding="ascii", newline="\n") as f:
        f.write(sums)
    print(sums, end="")


if __name__ == "__main__":
    args = sys.argv[1:]
    web = None
    if args[:1] == ["--web"] and len(args) >= 3:
        web, args = args[1], args[2:]
    if len(args) not in (1, 2) or (len(args) == 1 and not web):
        sys.exit(__doc__)
    main(args[0] if len(args) == 2 else None, web, args[-1])
