#!/usr/bin/env python3
"""Links a mingw-w64 program so that --gc-sections drops the unwind tables of
the functions it drops, and with them the functions themselves.

Usage (as the C++ linker launcher): gc_unwind_link.py LINK-COMMAND...

For 32-bit Windows, GCC puts each inline or template function in a section
of its own, .text$NAME, and its DWARF unwind table in .eh_frame$NAME. The
linker's default script keeps every unwind table (KEEP(*(.eh_frame*))), and
a kept table keeps the function it describes: with --gc-sections, every
function of every library member that is linked at all stays in the program,
used or not (all of std::string and std::wstring, for instance).

This runs the link with the default script changed so that the tables of
such functions are kept only for the functions that are kept:
  1. once as it is, to get the linker's script and the list of NAMEs that
     have their own unwind tables (from the link map);
  2. again with those tables not kept, to see which .text$NAME sections are
     still reached from the program;
  3. again keeping the tables of exactly those functions; a table can reach
     more code (a catch clause's type), so this repeats until nothing new is
     kept.
It then checks that every kept function with an unwind table has it in the
program, that no table is kept without its function, and that the tables
still end with the same file (crtend.o's terminator must stay last). Link
commands without --gc-sections, or without such tables, run unchanged: 64-bit
programs unwind through .pdata, whose entries the linker keeps even for
dropped functions, so they are left as the linker makes them.
"""
import os
import re
import subprocess
import sys

UNWIND = (".eh_frame",)
SEPARATOR = "=" * 50


def run(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit(result.returncode)
    return result.stdout


def kept_sections(map_path):
    """(section name, file) of every input section in the map's memory map, in order."""
    sections = []
    pending = None
    started = False
    for line in open(map_path, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if not started:
            started = line.startswith("Linker script and memory map")
            continue
        m = re.match(r"^ (\.\S+)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m:
            if int(m.group(2), 16):
                sections.append((m.group(1), m.group(3)))
            pending = None
            continue
        m = re.match(r"^ (\.\S+)$", line)
        if m:
            pending = m.group(1)
            continue
        m = re.match(r"^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m and pending:
            if int(m.group(1), 16):
                sections.append((pending, m.group(2)))
            pending = None
    return sections


def names(sections, prefix):
    return {name[len(prefix) + 1:] for name, _ in sections if name.startswith(prefix + "$")}


def main(command):
    if not any("--gc-sections" in arg for arg in command) or "-o" not in command:
        os.execvp(command[0], command)
    output = command[command.index("-o") + 1]
    # The caller's own link map, if it asked for one, is the final link's.
    wanted_map = None
    plain = []
    for arg in command:
        m = re.match(r"^-Wl,-Map[=,](.+)$", arg)
        if m:
            wanted_map = m.group(1)
        else:
            plain.append(arg)
    work = output + ".gc"
    map_path, script_path = work + ".map", work + ".ld"

    verbose = run(plain + ["-Wl,--verbose", "-Wl,-Map=" + map_path])
    parts = verbose.split(SEPARATOR)
    script = parts[1] if len(parts) >= 3 else ""
    keep_lines = {}
    for section in UNWIND:
        m = re.search(r"KEEP\s*\(\s*\*\s*\(\s*" + re.escape(section) + r"\*\s*\)\s*\)", script)
        if m:
            keep_lines[section] = m
    first = kept_sections(map_path)
    tables = {section: names(first, section) for section in keep_lines}
    if not any(tables.values()):
        if wanted_map:
            os.replace(map_path, wanted_map)
        else:
            os.remove(map_path)
        return 0

    def last_table_file(sections):
        return next((f for n, f in reversed(sections) if n.startswith(".eh_frame")), None)

    last_file = last_table_file(first)
    functions = set()
    while True:
        text = script
        for section in sorted(keep_lines, key=lambda s: keep_lines[s].start(), reverse=True):
            m = keep_lines[section]
            kept = " ".join(section + "$" + name for name in sorted(functions & tables[section]))
            # Every input section the default pattern took, but those of single functions.
            text = text[:m.start()] + f"KEEP(*({section} {section}[!$]* {kept}))" + text[m.end():]
        with open(script_path, "w") as f:
            f.write(text)
        run(plain + ["-Wl,-T," + script_path, "-Wl,-Map=" + map_path])
        sections = kept_sections(map_path)
        now = names(sections, ".text")
        if now <= functions:
            break
        functions |= now

    for section in keep_lines:
        missing = (functions & tables[section]) - names(sections, section)
        if missing:
            sys.exit(f"gc_unwind_link: {section} lost for kept functions: {', '.join(sorted(missing)[:5])}")
        orphans = names(sections, section) - names(sections, ".text")
        if orphans:
            sys.exit(f"gc_unwind_link: {section} kept without its function: {', '.join(sorted(orphans)[:5])}")
    if last_table_file(sections) != last_file:
        sys.exit(f"gc_unwind_link: .eh_frame no longer ends with {last_file}")
    os.remove(script_path)
    if wanted_map:
        os.replace(map_path, wanted_map)
    else:
        os.remove(map_path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
