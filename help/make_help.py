#!/usr/bin/env python3
"""Checks the help project against the program and compiles Vantrel.chm.

    make_help.py --source SOURCE_DIR --output OUT.chm [--work DIR] [--chmcmd PATH]
    make_help.py --source SOURCE_DIR --check-only

The check fails (and no help file is made) when the program opens a page or a
window type the project lacks, asks for a pop-up number that has no text,
when a page links to something the help file does not hold, or when the
project names a file that is missing. The help file is compiled by chmcmd
in a copy of the project inside the build tree, because chmcmd writes beside
its project."""

import argparse
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import helpproject  # noqa: E402


def check(source_dir, help_dir):
    """Returns the list of problems found (empty when all is well)."""
    problems = []
    try:
        pages, windows, popups = helpproject.program_references(source_dir)
        project = helpproject.HelpProject(help_dir)
        table = helpproject.popup_table(project.read, project.text_popups)
    except (helpproject.CheckError, OSError, KeyError) as e:
        return [str(e)]
    files = set(project.files)

    # Every file the project names is there, and every page and picture of
    # the help folder is named.
    for name in project.files:
        if not os.path.isfile(os.path.join(help_dir, name)):
            problems.append("[FILES] names %s, which does not exist" % name)
    for folder in ("html", "images"):
        for name in sorted(os.listdir(os.path.join(help_dir, folder))):
            if "%s/%s" % (folder, name) not in files:
                problems.append("%s/%s is not in [FILES] of the project" % (folder, name))
    for name in project.text_popups:
        if name not in files:
            problems.append("[TEXT POPUPS] names %s, which is not in [FILES]" % name)

    # The program's pages, window types and pop-up numbers.
    for page, places in sorted(pages.items()):
        if "html/" + page not in files:
            problems.append("%s: the program opens html/%s, which the help lacks" % (places[0], page))
    for window, places in sorted(windows.items()):
        if window not in project.windows:
            problems.append("%s: the program uses the window type %r, which the help lacks"
                            % (places[0], window))
    for number, places in sorted(popups.items()):
        name, text = table.get(number, (None, ""))
        if name is None:
            problems.append("%s: the program asks for pop-up %d, which cshelp.h lacks"
                            % (places[0], number))
        elif not text:
            problems.append("%s: pop-up %d (%s) has no text in cshelp.txt" % (places[0], number, name))
    for required in ("mainwin", "topic"):
        if required not in project.windows:
            problems.append("[WINDOWS] lacks the window type %r" % required)

    # Window types, contents and index point into the help file.
    contents = project.options.get("Contents file", "")
    index = project.options.get("Index file", "")
    for name, fields in project.windows.items():
        for field in fields[1:5]:
            if field and field not in files and field not in (contents, index):
                problems.append("window type %s names %s, which is not in the help" % (name, field))
    in_contents = set()
    for sitemap in (contents, index):
        if not sitemap or not os.path.isfile(os.path.join(help_dir, sitemap)):
            problems.append("the project's contents or index file %r is missing" % sitemap)
            continue
        parsed = helpproject.parse_html(project.read(sitemap))
        for key, value in parsed.params:
            if key == "local":
                if value not in files:
                    problems.append("%s points at %s, which is not in the help" % (sitemap, value))
                if sitemap == contents:
                    in_contents.add(value)

    # Every page has a title, is in the contents, and links only to pages,
    # anchors and pictures of the help file.
    anchors = {}
    parsed_pages = {}
    for name in project.files:
        if name.endswith(".htm") and os.path.isfile(os.path.join(help_dir, name)):
            parsed_pages[name] = helpproject.parse_html(project.read(name))
            anchors[name] = parsed_pages[name].anchors
    for name, parsed in sorted(parsed_pages.items()):
        if not (parsed.title or "").strip():
            problems.append("%s has no title" % name)
        if name not in in_contents:
            problems.append("%s is not in the contents" % name)
        for attribute, link in parsed.links:
            target = helpproject.resolve(name, link)
            if target is None:
                problems.append("%s links out of the help file: %s" % (name, link))
                continue
            path, anchor = target
            if path not in files:
                problems.append("%s links to %s, which is not in the help" % (name, link))
            elif anchor and anchor not in anchors.get(path, set()):
                problems.append("%s links to the missing anchor %s" % (name, link))
    return problems


def compile_chm(help_dir, work_dir, output, chmcmd):
    project = helpproject.HelpProject(help_dir)
    if os.path.isdir(work_dir):
        shutil.rmtree(work_dir)
    os.makedirs(work_dir)
    names = set(project.files) | {"Vantrel.hhp", project.options["Contents file"],
                                  project.options["Index file"]}
    for name in names:
        target = os.path.join(work_dir, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(os.path.join(help_dir, name), target)
    result = subprocess.run([chmcmd, "Vantrel.hhp"], cwd=work_dir, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, universal_newlines=True)
    complaints = [line for line in result.stdout.splitlines()
                  if line.startswith(("Error", "Warning")) or "corrupt" in line]
    compiled = os.path.join(work_dir, project.options["Compiled file"])
    if result.returncode != 0 or complaints or not os.path.isfile(compiled):
        sys.stderr.write(result.stdout)
        sys.stderr.write("make_help: chmcmd did not compile the help cleanly\n")
        return False
    os.replace(compiled, output)
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True, help="top of the source tree")
    parser.add_argument("--output", help="the help file to write")
    parser.add_argument("--work", help="folder for chmcmd's copy of the project")
    parser.add_argument("--chmcmd", default="chmcmd")
    parser.add_argument("--check-only", action="store_true")
    args = parser.parse_args()
    help_dir = os.path.join(args.source, "help")

    problems = check(args.source, help_dir)
    for problem in problems:
        sys.stderr.write("help: %s\n" % problem)
    if problems:
        return 1
    if args.check_only:
        return 0
    if not args.output:
        parser.error("--output is needed unless --check-only")
    work = args.work or os.path.join(os.path.dirname(os.path.abspath(args.output)), "help-project")
    return 0 if compile_chm(help_dir, work, args.output, args.chmcmd) else 1


if __name__ == "__main__":
    sys.exit(main())
