#!/usr/bin/env python3
"""Reads the Windows package back with pefile, a PE reader that is not ours, and checks it
against the records the package must carry: its name in the export directory, its imports
and exports, and every resource by type, name and language, byte for byte the records the
package's own tables hold (as the build wrote them for the resource compiler), with the
values of the description, package information, version information and bitmaps.

    check_package_resources.py PACKAGE.bpl RECORDS_DIR [PE32|PE32+]

The third argument names the format the module must have: PE32 for 32-bit Windows (the
package's own), PE32+ for 64-bit Windows.

Exits 0 when everything matches, 1 with a line per fault, 77 when pefile is missing.
"""
import os
import struct
import sys

try:
    import pefile
except ImportError:
    print("skipped: Python's pefile is not installed (python3-pefile)")
    sys.exit(77)

RT_BITMAP, RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_VERSION = 2, 3, 10, 14, 16
NEUTRAL, US_ENGLISH = 0, 1033
PALETTE = ["TSCROLLINGAREA", "TTILEBITMAP", "TQELGRADIENT", "TQELBMPLIST", "TQELRADIOLIST",
           "TQELCHECKLIST", "TORDEREDGROUPBOX", "TORDEREDLISTBOX", "TORDEREDTABSET"]
GLYPHS = {"QELBMPON": 14, "QELBMPOFF": 14, "QELRADON": 13, "QELRADOFF": 13}

faults = []


def check(ok, what):
    if not ok:
        faults.append(what)


def resources(pe):
    """(type, name, language) -> bytes; names of numbered resources as '#n'."""
    out = {}
    for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for n in t.directory.entries:
            name = str(n.name) if n.name is not None else "#%d" % n.id
            for lang in n.directory.entries:
                d = lang.data.struct
                out[(t.id, name, lang.id)] = pe.get_data(d.OffsetToData, d.Size)
    return out


def expected_records(records_dir):
    """The records as the package's tables hold them: res-TYPE-NAME-LANGUAGE.bin."""
    out = {}
    for f in sorted(os.listdir(records_dir)):
        if not (f.startswith("res-") and f.endswith(".bin")):
            continue
        kind, rest = f[4:-4].split("-", 1)
        name, language = rest.rsplit("-", 1)
        name = "#" + name if name.isdigit() else name
        with open(os.path.join(records_dir, f), "rb") as data:
            out[(int(kind), name, int(language))] = data.read()
    return out


def check_dib(data, name, size, important):
    header = struct.unpack_from("<IiiHHIIiiII", data, 0)
    check(header[0] == 40 and header[1] == size and header[2] == size,
          "%s: not a %d x %d DIB with a 40-byte header" % (name, size, size))
    check(header[4] == 4 and header[5] == 0, "%s: not 4 bits a pixel, uncompressed" % name)
    row = (size * 4 + 31) // 32 * 4
    check(header[6] == row * size and header[10] == important,
          "%s: image size %d, important colours %d" % (name, header[6], header[10]))


def main():
    package, records_dir = sys.argv[1], sys.argv[2]
    pe = pefile.PE(package)
    check(pe.FILE_HEADER.Characteristics & 0x2000, "not a library module (DLL)")
    if len(sys.argv) > 3:
        # Optional header magic and machine of each format.
        expected = {"PE32": (0x10B, 0x14C), "PE32+": (0x20B, 0x8664)}[sys.argv[3]]
        found_format = (pe.OPTIONAL_HEADER.Magic, pe.FILE_HEADER.Machine)
        check(found_format == expected, "not a %s module: magic %#x, machine %#x" %
              ((sys.argv[3],) + found_format))
    export_name = pe.get_string_at_rva(pe.DIRECTORY_ENTRY_EXPORT.struct.Name).decode()
    check(export_name == "QuillmereAll.bpl", "the export directory names it %r" % export_name)
    exports = {e.name.decode() for e in pe.DIRECTORY_ENTRY_EXPORT.symbols if e.name}
    for name in ["Initialize", "Finalize", "@GetPackageInfoTable", "Quillmereall_initialization",
                 "Quillmereall_PackageLoad", "Quillmereall_PackageUnload",
                 "Quillmereall_GetPackageInfoTable"] + [
                     "%s_%s" % (u, p) for u in ("Qelpanel", "Qellist", "Qelgroup")
                     for p in ("Register", "initialization", "Finalization")]:
        check(name in exports, "no export %s" % name)
    check(any("TQELGradient" in e for e in exports), "the classes are not exported")
    imports = {i.dll.decode().lower() for i in pe.DIRECTORY_ENTRY_IMPORT}
    check({"vcl50.bpl", "vclx50.bpl"} <= imports,
          "it does not import the framework's packages vcl50 and vclx50: %s" % sorted(imports))

    found = resources(pe)
    records = expected_records(records_dir)
    expected_keys = ({(RT_BITMAP, g, US_ENGLISH) for g in GLYPHS} |
                     {(RT_BITMAP, p, NEUTRAL) for p in PALETTE} |
                     {(RT_RCDATA, r, NEUTRAL) for r in ("DESCRIPTION", "PACKAGEINFO", "PACKAGEOPTIONS")} |
                     {(RT_GROUP_ICON, "MAINICON", US_ENGLISH), (RT_ICON, "#1", US_ENGLISH),
                      (RT_VERSION, "#1", US_ENGLISH)})
    check(set(found) == expected_keys,
          "resources differ: missing %s, extra %s" % (sorted(expected_keys - set(found)),
                                                      sorted(set(found) - expected_keys)))
    check(set(records) == expected_keys, "the package's tables hold %s" % sorted(records))
    for key in sorted(expected_keys & set(found) & set(records)):
        check(found[key] == records[key], "%s differs from the package's record" % (key,))

    for g, size in GLYPHS.items():
        if (RT_BITMAP, g, US_ENGLISH) in found:
            check_dib(found[(RT_BITMAP, g, US_ENGLISH)], g, size, 0)
    for p in PALETTE:
        if (RT_BITMAP, p, NEUTRAL) in found:
            check_dib(found[(RT_BITMAP, p, NEUTRAL)], p, 24, 16)
            check(len(found[(RT_BITMAP, p, NEUTRAL)]) == 40 + 64 + 288, "%s: size" % p)

    description = found.get((RT_RCDATA, "DESCRIPTION", NEUTRAL), b"")
    text = "QEL Quillmere 1.5".encode("utf-16-le") + b"\0\0"
    check(description == text + b"\0" * (-len(text) % 4), "DESCRIPTION is %r" % description)

    info = found.get((RT_RCDATA, "PACKAGEINFO", NEUTRAL), b"\0" * 8)
    flags, required = struct.unpack_from("<II", info, 0)
    check(flags == 0x4C000001, "PACKAGEINFO flags %#x" % flags)
    at, names = 8, []
    for _ in range(required):
        end = info.index(b"\0", at + 1)
        names.append((info[at], info[at + 1:end].decode()))
        at = end + 1
    check(names == [(0xC1, "VCLX50"), (0x71, "vcl50")], "PACKAGEINFO requires %s" % names)
    units, = struct.unpack_from("<I", info, at)
    at += 4
    contained = []
    for _ in range(units):
        end = info.index(b"\0", at + 2)
        contained.append((info[at], info[at + 2:end].decode()))
        at = end + 1
    check(contained == [(3, "QuillmereAll"), (0, "Qelgroup"), (0, "SysInit"), (0, "Qellist"),
                        (0, "Qelpanel")], "PACKAGEINFO contains %s" % contained)
    check(len(info) % 4 == 0 and not any(info[at:]), "PACKAGEINFO ends in %r" % info[at:])
    # The import table and the package information agree on the required packages.
    check({n.lower() + ".bpl" for _, n in names} <= imports,
          "the imports %s are not the required packages %s" % (sorted(imports), names))

    options = found.get((RT_RCDATA, "PACKAGEOPTIONS", NEUTRAL), b"")
    for s in (b"WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE;",
              b"QEL Quillmere 1.5"):
        check(bytes([len(s)]) + s in options, "PACKAGEOPTIONS lacks %r" % s)

    group = found.get((RT_GROUP_ICON, "MAINICON", US_ENGLISH), b"\0" * 20)
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    width, height, colours, _, planes, bits, size, icon = struct.unpack_from("<BBBBHHIH", group, 6)
    check((kind, count, width, height, colours, bits, icon) == (1, 1, 32, 32, 16, 4, 1),
          "MAINICON is %s" % ((kind, count, width, height, colours, bits, icon),))
    check(size == len(found.get((RT_ICON, "#1", US_ENGLISH), b"")), "icon 1's size")

    # The version information, as pefile reads it.
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    check(fixed is not None, "no version information")
    if fixed:
        check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
               fixed.ProductVersionLS) == (0x00010005, 0, 0x00010005, 0), "version numbers")
        check((fixed.FileFlagsMask, fixed.FileFlags, fixed.FileOS, fixed.FileType,
               fixed.FileSubtype) == (0x3F, 0, 4, 1, 0), "version flags, system and type")
        tables = [t for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
                  for t in info.StringTable]
        check([t.LangID for t in tables] == [b"040904E4"], "string tables %s" %
              [t.LangID for t in tables])
        if tables:
            entries = [(k.decode(), v.decode()) for k, v in tables[0].entries.items()]
            keys = ["CompanyName", "FileDescription", "FileVersion", "InternalName",
                    "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName",
                    "ProductVersion", "Comments"]
            check([k for k, _ in entries] == keys, "version keys %s" % [k for k, _ in entries])
            check(all(v == ("1.5.0.0" if k in ("FileVersion", "ProductVersion") else "")
                      for k, v in entries), "version strings %s" % entries)
        translations = [v for info in pe.FileInfo[0] if info.Key == b"VarFileInfo"
                        for v in info.Var]
        check(any(v.entry.get(b"Translation") == "0x0409 0x04e4" for v in translations),
              "translation %s" % [v.entry for v in translations])

    for f in faults:
        print("FAIL:", f)
    if not faults:
        print("%s: %sexports, imports and %d resources as they must be" %
              (package, sys.argv[3] + ", " if len(sys.argv) > 3 else "", len(found)))
    return 1 if faults else 0


sys.exit(main())
