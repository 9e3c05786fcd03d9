#!/usr/bin/env python3
"""Reads a compiled Vantrel.chm with chmlib's own tool (extract_chmLib, from
Debian's libchm-bin), not with our compiler, and checks what the program
relies on:

* every page the program opens is in the file, and the window types it
  names ("mainwin", "topic") are defined in the file's window table;
* every pop-up number the program can ask for has a text in the file's
  cshelp.txt, through the numbers of its cshelp.h;
* every link, picture and style sheet of every page, and every entry of the
  contents and the index, points at a file inside the help file.

    test_chm.py SOURCE_DIR HELP_FILE
"""

import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import helpproject  # noqa: E402


def window_types(extracted):
    """Names of the window types in #WINDOWS (their names live in #STRINGS)."""
    with open(os.path.join(extracted, "#WINDOWS"), "rb") as f:
        windows = f.read()
    with open(os.path.join(extracted, "#STRINGS"), "rb") as f:
        strings = f.read()
    count, size = struct.unpack_from("<II", windows, 0)
    names = []
    for i in range(count):
        # HH_WINTYPE: cbStruct, fUniCodeStrings, then pszType as an offset
        # into #STRINGS.
        offset = struct.unpack_from("<I", windows, 8 + i * size + 8)[0]
        names.append(strings[offset:strings.index(b"\0", offset)].decode("ascii"))
    return names


def main():
    source_dir, chm = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as extracted:
        subprocess.run(["extract_chmLib", chm, extracted], check=True, stdout=subprocess.DEVNULL)
        inside = set()
        for root, _, names in os.walk(extracted):
            for name in names:
                inside.add(os.path.relpath(os.path.join(root, name), extracted).replace(os.sep, "/"))

        def read(path):
            with open(os.path.join(extracted, path), encoding="utf-8") as f:
                return f.read()

        pages, windows, popups = helpproject.program_references(source_dir)
        if not pages or not popups:
            failures.append("found no pages or no pop-up numbers in the program's sources")

        for page in sorted(pages):
            if "html/" + page not in inside:
                failures.append("the program opens html/%s; the help file lacks it" % page)
        defined = window_types(extracted)
        for window in sorted(windows):
            if window not in defined:
                failures.append("the program uses window type %r; the help file defines %s"
                                % (window, defined))

        table = helpproject.popup_table(read, ["cshelp.h", "cshelp.txt"])
        for number in sorted(popups):
            name, text = table.get(number, (None, ""))
            if not text:
                failures.append("pop-up %d (asked for at %s) has no text in the help file"
                                % (number, popups[number][0]))

        html_pages = sorted(p for p in inside if p.endswith(".htm"))
        for page in html_pages:
            parsed = helpproject.parse_html(read(page))
            for _, link in parsed.links:
                target = helpproject.resolve(page, link)
                if target is None or target[0] not in inside:
                    failures.append("%s: link %s leads nowhere in the help file" % (page, link))
        for sitemap in ("Vantrel.hhc", "Vantrel.hhk"):
            if sitemap not in inside:
                failures.append("the help file has no %s" % sitemap)
                continue
            for key, value in helpproject.parse_html(read(sitemap)).params:
                if key == "local" and value not in inside:
                    failures.append("%s: entry %s leads nowhere in the help file" % (sitemap, value))

        print("%d pages, %d window types, %d pop-up texts in %s; the program uses %d pages and "
              "%d pop-up numbers" % (len(html_pages), len(defined), len(table), chm, len(pages),
                                     len(popups)))
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
