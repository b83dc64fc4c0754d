#!/usr/bin/env python3
"""Reads the version resource and the manifest out of built programs on the host, for the
32-bit programs that cannot run here (the 64-bit ones are read in-process under Wine by
tests/program_resources_test.cpp, which holds the same expectations).

    check_resources.py <version> <program.exe>...
"""
import os
import re
import struct
import sys
import xml.etree.ElementTree as ET

LEVELS = {"setup": "requireAdministrator", "lotefinal": "requireAdministrator",
          "updstart": "asInvoker", "unstart": "asInvoker", "loterun": "asInvoker",
          "traceview": "asInvoker", "themeview": "asInvoker"}
ASM1, ASM3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
WIN10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def resources(data):
    """The header's time stamp and {(type id, name id): bytes} of the .rsrc section."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    sections, stamp = struct.unpack_from("<HI", data, pe + 6)
    table = pe + 24 + struct.unpack_from("<H", data, pe + 20)[0]
    for i in range(sections):
        name, _, va, _, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            break
    else:
        raise AssertionError("no .rsrc section")

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, raw + offset + 12)
        for k in range(named + ids):
            yield struct.unpack_from("<II", data, raw + offset + 16 + 8 * k)

    found = {}
    for kind, level1 in entries(0):
        for name, level2 in entries(level1 & 0x7FFFFFFF):
            for _, leaf in entries(level2 & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, raw + leaf)
                found[(kind, name)] = data[rva - va + raw:rva - va + raw + size]
    return stamp, found


def check(path, version):
    name = os.path.splitext(os.path.basename(path))[0]
    stamp, found = resources(open(path, "rb").read())
    assert stamp == 0, "link time stamp %#x" % stamp
    assert [key for key in found if key[0] == 24] == [(24, 1)], "one manifest, id 1"
    info = found[(16, 1)]
    fixed = info.find(struct.pack("<I", 0xFEEF04BD))
    major, minor, patch = (int(n) for n in version.split("."))
    assert struct.unpack_from("<II", info, fixed + 8) == ((major << 16) | minor, patch << 16), \
        "fixed file version is not %s.0" % version
    text = info.decode("utf-16-le", "replace")
    # Each string entry: length, value length, type 1 (text), then key, padding and value.
    strings = dict(re.findall(r"\x01([A-Za-z]+)\0+([^\0]*)\0", text[text.find("040904B0"):]))
    expected = {"CompanyName": "Orvane", "ProductName": "Vantora maintenance suite",
                "FileVersion": version, "ProductVersion": version, "InternalName": name,
                "OriginalFilename": name + ".exe"}
    for key, value in expected.items():
        assert strings.get(key) == value, "%s is %r" % (key, strings.get(key))
    assert strings.get("FileDescription", "").startswith("Vantora ")

    root = ET.fromstring(found[(24, 1)])
    assert root.tag == ASM1 + "assembly"
    level = root.find("%strustInfo/%ssecurity/%srequestedPrivileges/%srequestedExecutionLevel"
                      % ((ASM3,) * 4))
    assert level.get("level") == LEVELS[name] and level.get("uiAccess") == "false"
    assert not list(root.iter(ASM1 + "dependency")), "no side-by-side dependency"
    ids = {e.get("Id") for e in root.iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS")}
    assert len(ids) == 5 and WIN10 in ids, ids
    dpi = [e.text for e in root.iter("{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware")]
    assert dpi == ["false"], dpi
    return "%s: %s, %s" % (os.path.basename(path), strings["FileVersion"], LEVELS[name])


def main():
    version, programs = sys.argv[1], sys.argv[2:]
    status = 0
    missing = set(LEVELS) - {os.path.splitext(os.path.basename(p))[0] for p in programs}
    if missing:
        print("FAIL missing programs: %s" % " ".join(sorted(missing)))
        status = 1
    for path in programs:
        try:
            print(check(path, version))
        except Exception as error:  # one line per program, whatever went wrong
            print("FAIL %s: %s" % (path, error or type(error).__name__))
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
