"""What the standard tools say about a built Windows program file, asked in
one place for the program's checks (check_program_file.py) and its byte
budget (bench/program_budget.py):

  objdump -p             the headers: file format (and with it the machine),
                         subsystem, DLL characteristics, imported DLLs
  objdump -h             the sections: size, address, place in the file
  windres -O rc          the version information, as a resource script
  wrestool | icotool -l  the images of the program's icon

Debian's objdump reads 32- and 64-bit program files alike; windres is the
one of the toolchain that made the file."""
import re
import subprocess

# objdump's name of each file format, and the toolchain that makes it.
TRIPLETS = {"pei-i386": "i686-w64-mingw32", "pei-x86-64": "x86_64-w64-mingw32"}


def tool(*command, stdin=None):
    """The standard output of a tool, which must succeed."""
    return subprocess.run(command, input=stdin, stdout=subprocess.PIPE, check=True).stdout


class Section:
    def __init__(self, name, address, size, file_offset):
        self.name = name        # as the section table holds it: at most 8 characters
        self.address = address  # relative to the image base
        self.size = size        # the bytes of the section that are in the file
        self.file_offset = file_offset


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
