"""Reads the built Varvik141.exe back with a PE reader and checks what
Windows shows of it: a GUI program that needs no run-time DLLs beside the
system's own, its version information field by field, and its icon, hand
cursors and background pictures (PNG) at both sizes, its manifest, and its
size."""

import os
import struct
import sys

import pefile

EXPECTED_STRINGS = {
    "CompanyName": "Varvik Spel",
    "FileDescription": "Varvik v1.4.1",
    "FileVersion": "1.04.0001",
    "InternalName": "Varvik141",
    "LegalCopyright": "\u00a9 2026 Varvik Spel",
    "OriginalFilename": "Varvik141.exe",
    "ProductName": "Varvik v1.4.1",
    "ProductVersion": "1.04.0001",
}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll"}

failures = []


def check(what, actual, expected):
    if actual == expected:
        print(f"ok: {what}")
    else:
        print(f"FAIL: {what}: got {actual!r}, expected {expected!r}")
        failures.append(what)


pe = pefile.PE(sys.argv[1])
check("machine", pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"])
check("subsystem", pe.OPTIONAL_HEADER.Subsystem, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])

imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
check("only system DLLs imported", sorted(imports - SYSTEM_DLLS), [])

fixed = pe.VS_FIXEDFILEINFO[0]
check("file version", (fixed.FileVersionMS, fixed.FileVersionLS), (0x00010004, 0x00000001))
check("product version", (fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010004, 0x00000001))

strings = {}
translations = []
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    elif info.Key == b"VarFileInfo":
        for var in info.Var:
            translations.extend(var.entry.values())
check("version strings", strings, EXPECTED_STRINGS)
check("translation", translations, ["0x041d 0x04e4"])

resources = {}
languages = set()
for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
    for entry in kind.directory.entries:
        language = entry.directory.entries[0]
        data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
        resources[(kind.id, entry.id)] = data
        languages.update(language.id for language in entry.directory.entries)
# Swedish (Sweden), 0x041D, for every resource.
check("resource languages", sorted(languages), [0x041D])

RT_CURSOR, RT_ICON, RT_RCDATA, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_MANIFEST = 1, 3, 10, 12, 14, 24
group_icon = resources.get((RT_GROUP_ICON, 1), b"")
count = struct.unpack_from("<H", group_icon, 4)[0] if len(group_icon) >= 6 else 0
# Each entry: width, height (0 for 256), colours, reserved, planes, bits a pixel.
check("icon sizes", [struct.unpack_from("<BBBBHH", group_icon, 6 + 14 * i) for i in range(count)],
      [(32, 32, 0, 0, 1, 8), (16, 16, 0, 0, 1, 8), (24, 24, 0, 0, 1, 8), (48, 48, 0, 0, 1, 8), (0, 0, 0, 0, 1, 32)])
large = resources.get((RT_ICON, struct.unpack_from("<H", group_icon, 6 + 14 * 4 + 12)[0]), b"") if count == 5 else b""
check("256-pixel icon is a PNG", large[:8], b"\x89PNG\r\n\x1a\n")


def cursor_hot_spot(group_id):
    group = resources.get((RT_GROUP_CURSOR, group_id), b"")
    cursor_id = struct.unpack_from("<H", group, 18)[0] if len(group) >= 20 else None
    cursor = resources.get((RT_CURSOR, cursor_id), b"")
    return struct.unpack_from("<HH", cursor) if len(cursor) >= 4 else None


def png_size(picture_id):
    png = resources.get((RT_RCDATA, picture_id), b"")
    return struct.unpack_from(">II", png, 16) if png[:8] == b"\x89PNG\r\n\x1a\n" and png[12:16] == b"IHDR" else None


check("hand cursor hot spot", cursor_hot_spot(2), (5, 0))
check("hand cursor at twice the size, hot spot", cursor_hot_spot(5), (10, 0))
check("background as PNG", png_size(3), (480, 360))
check("background at twice the size as PNG", png_size(4), (960, 720))
# The pictures stored compressed keep the program under a megabyte.
check("executable under 1 MB", os.path.getsize(sys.argv[1]) < 1 << 20, True)
manifest = resources.get((RT_MANIFEST, 1), b"").decode("utf-8", "replace")
check("per-monitor resolution declared",
      ("<dpiAwareness" in manifest and "PerMonitorV2" in manifest, "true/pm</dpiAware>" in manifest), (True, True))

sys.exit(1 if failures else 0)
