#!/usr/bin/env python3
"""Packs a folder into a zip whose member names are GBK bytes.

  gbk_zip.py ZIPFILE FOLDER
      Every file under FOLDER, by its path relative to FOLDER ("wav/等于"),
      sorted, with a fixed time stamp so that the same folder gives the same zip.
  gbk_zip.py --check ZIPFILE FOLDER
      The zip holds exactly the files of FOLDER, under GBK names, with the same
      bytes.
  gbk_zip.py --roundtrip ZIPFILE FOLDER
      Both of the above, for the build's test.

The calculator opens its recordings by GBK names through the ANSI file
functions. On this machine the files carry UTF-8 names (Wine maps the program's
GBK names to them); a zip for Windows must instead store the GBK bytes, without
the UTF-8 flag, which Windows reads in the system's OEM code page (936 on a
Chinese system). Python's zipfile writes every non-ASCII name as UTF-8, so the
names are encoded here.
"""
import os
import sys
import zipfile

UTF8_FLAG = 0x800
STAMP = (1980, 1, 1, 0, 0, 0)


class GbkZipInfo(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode("gbk"), self.flag_bits & ~UTF8_FLAG


def folder_files(folder):
    """Relative paths ("wav/五") of every file under folder, sorted."""
    found = []
    for root, _, files in os.walk(folder):
        for f in files:
            rel = os.path.relpath(os.path.join(root, f), folder)
            found.append(rel.replace(os.sep, "/"))
    return sorted(found)


def pack(zip_path, folder):
    with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as z:
        for rel in folder_files(folder):
            info = GbkZipInfo(rel, STAMP)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(folder, rel), "rb") as f:
                z.writestr(info, f.read())


def check(zip_path, folder):
    problems = []
    with zipfile.ZipFile(zip_path, metadata_encoding="gbk") as z:
        infos = z.infolist()
        for info in infos:
            if info.flag_bits & UTF8_FLAG:
                problems.append(f"{info.filename}: stored with the UTF-8 flag")
        names = sorted(i.filename for i in infos)
        expected = folder_files(folder)
        if names != expected:
            problems.append(f"names {names} differ from the folder's {expected}")
        for rel in set(names) & set(expected):
            with open(os.path.join(folder, rel), "rb") as f:
                if z.read(rel) != f.read():
                    problems.append(f"{rel}: content differs")
    # The raw central directory must hold the GBK bytes themselves.
    with open(zip_path, "rb") as f:
        raw = f.read()
    for rel in folder_files(folder):
        if rel.encode("gbk") not in raw:
            problems.append(f"{rel}: GBK bytes not found in the archive")
    for p in problems:
        print("FAIL", p)
    print(f"{zip_path}: {len(problems)} problem(s)")
    return 1 if problems else 0


def main(argv):
    if len(argv) == 3:
        pack(argv[1], argv[2])
        return 0
    if len(argv) == 4 and argv[1] == "--check":
        return check(argv[2], argv[3])
    if len(argv) == 4 and argv[1] == "--roundtrip":
        pack(argv[2], argv[3])
        return check(argv[2], argv[3])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
