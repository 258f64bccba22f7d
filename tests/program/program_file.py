"""What the standard tools say about a built Windows program file, asked in
one place for the program's checks (check_program_file.py,
check_unwind_tables.py) and its byte budget (bench/program_budget.py):

  objdump -p             the headers: file format (and with it the machine),
                         subsystem, DLL characteristics, imported DLLs
  objdump -h             the sections: size, address, place in the file
  windres -O rc          the version information, as a resource script
  wrestool | icotool -l  the images of the program's icon

Debian's objdump reads 32- and 64-bit program files alike; windres is the
one of the toolchain that made the file. What went into the file, and from
where, is read from the link map that lld writes beside it (LinkMap)."""
import re
import subprocess

# objdump's name of each file format, and the toolchain that makes it.
TRIPLETS = {"pei-i386": "i686-w64-mingw32", "pei-x86-64": "x86_64-w64-mingw32"}
# An import library's members, as dlltool names them: the head, the tail and
# one member for each function (libuser32h.o, libuser32t.o, libuser32s00982.o).
IMPORT_MEMBER = re.compile(r"^lib\w+?(s\d+|h|t)\.o$")


def tool(*command, stdin=None):
    """The standard output of a tool, which must succeed."""
    return subprocess.run(command, input=stdin, stdout=subprocess.PIPE, check=True).stdout


class Section:
    def __init__(self, name, address, size, file_offset):
        self.name = name        # as the section table holds it: at most 8 characters
        self.address = address  # relative to the image base
        self.size = size        # the bytes of the section that are in the file
        self.file_offset = file_offset


class InputSection:
    def __init__(self, output, address, size, path, name):
        self.output = output    # the output section it went to
        self.address = address  # relative to the image base
        self.size = size
        self.path = path        # the object file, or the library member without its library
        self.name = name        # the section's name in that file
        self.symbols = []       # (address, name) of each symbol the map lists in it

    @property
    def file(self):
        return self.path.rsplit("/", 1)[-1]


class LinkMap:
    """lld's link map (-Wl,-Map=FILE), whose lines are: address, size,
    alignment, then the output section, or indented once an input section
    (FILE:(SECTION)), or indented twice a symbol. Addresses are relative to
    the image base."""

    def __init__(self, path):
        self.outputs = []  # (name, address, size)
        self.inputs = []   # InputSection, in the order of the map
        for line in open(path, encoding="utf-8", errors="replace"):
            m = re.match(r"^([0-9a-f]+) ([0-9a-f]+) +\d+ (?:(\S.*)|( {8}\S.*)|( {16}\S.*))$", line)
            if not m:
                continue
            address, size = int(m.group(1), 16), int(m.group(2), 16)
            if m.group(3):
                self.outputs.append((m.group(3), address, size))
            elif m.group(4) and self.outputs:
                section = re.match(r"^ *(.*):\((.*)\)$", m.group(4))
                if section:
                    self.inputs.append(InputSection(self.outputs[-1][0], address, size, *section.groups()))
            elif m.group(5) and self.inputs:
                self.inputs[-1].symbols.append((address, m.group(5).strip()))


class VersionInfo:
    def __init__(self, script):
        def numbers(key):
            m = re.search(rf"^\s*{key}\s+(\d+(?:,\s*\d+)*)\s*$", script, re.M)
            return tuple(int(n) for n in m.group(1).split(",")) if m else None

        self.file_version = numbers("FILEVERSION")
        self.product_version = numbers("PRODUCTVERSION")
        self.strings = {key: re.sub(r"\\x([0-9a-fA-F]{4})", lambda m: chr(int(m.group(1), 16)), value)
                        for key, value in re.findall(r'^\s*VALUE "(\w+)", L?"((?:[^"\\]|\\.)*)"', script, re.M)}


class ProgramFile:
    def __init__(self, path):
        self.path = path
        self.headers = tool("objdump", "-p", path).decode()
        self.format = re.search(r"file format (\S+)", self.headers).group(1)

    def field(self, name):
        """A header field as objdump writes it, e.g. field("SizeOfHeaders") == "00000400"."""
        m = re.search(rf"^{name}\s+(\S+)", self.headers, re.M)
        return m.group(1) if m else None

    @property
    def subsystem(self):
        m = re.search(r"^Subsystem\s+\S+\s+\((.*)\)", self.headers, re.M)
        return m.group(1) if m else None

    @property
    def dll_characteristics(self):
        """The names of the flags, e.g. ["DYNAMIC_BASE", "NX_COMPAT"]."""
        m = re.search(r"^DllCharacteristics\s+\S+\n((?:\t+\S+\n)*)", self.headers, re.M)
        return m.group(1).split() if m else []

    @property
    def imported_dlls(self):
        return re.findall(r"^\s*DLL Name: (\S+)", self.headers, re.M)

    @property
    def sections(self):
        image_base = int(self.field("ImageBase"), 16)
        table = tool("objdump", "-h", self.path).decode()
        return [Section(name, int(vma, 16) - image_base, int(size, 16), int(offset, 16))
                for name, size, vma, offset in
                re.findall(r"^\s*\d+ (\S+)\s+([0-9a-f]+)\s+([0-9a-f]+)\s+[0-9a-f]+\s+([0-9a-f]+)\s", table, re.M)]

    @property
    def version_info(self):
        windres = TRIPLETS[self.format] + "-windres"
        try:
            script = tool(windres, "-i", self.path, "-O", "rc")
        except subprocess.CalledProcessError:  # it has said why (no resources, say)
            script = b""
        return VersionInfo(script.decode("utf-8", "replace"))

    @property
    def icon_images(self):
        """(width, height, bits per pixel) of each image of the program's icons."""
        icons = tool("wrestool", "-x", "--type=group_icon", self.path)
        if not icons:
            return []
        listing = tool("icotool", "-l", "-", stdin=icons).decode()
        return [tuple(int(n) for n in m)
                for m in re.findall(r"--width=(\d+) --height=(\d+) --bit-depth=(\d+)", listing)]
