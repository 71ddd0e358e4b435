#!/usr/bin/env python3
"""Checks the include layering of the source tree.

The core libraries know nothing of widgets or of the layers above them:
  image    may include none of imaging, document, codecs, config, canvas, app, cli
  imaging  may include image only (not document, codecs, config, canvas, app, cli)
  document may include image and imaging (not codecs, config, canvas, app, cli)
  codecs   may include image and imaging (not document, config, canvas, app, cli)
  config   may include no other folder and QtCore only
and none of them may include a QtGui or QtWidgets header, with or without the module prefix (the
bare names are taken from the module's header directory under Qt's include directory when it is
given), so that the programs built on the core alone load no graphical library.

  check-layering.py SRC [--qt-headers DIR]
      Lists every violation as "path:line: message" and exits 1 when there is one.
  check-layering.py --self-test FIXTURE [--qt-headers DIR]
      Runs the check on FIXTURE (a tree shaped like src/) whose bad includes carry the comment
      "expected violation"; exits 0 only when exactly those lines are reported.
"""
import argparse
import os
import re
import sys

LAYERS = ("image", "imaging", "document", "codecs", "config", "canvas", "app", "cli")
FORBIDDEN = {
    "image": {"imaging", "document", "codecs", "config", "canvas", "app", "cli"},
    "imaging": {"document", "codecs", "config", "canvas", "app", "cli"},
    "document": {"codecs", "config", "canvas", "app", "cli"},
    "codecs": {"document", "config", "canvas", "app", "cli"},
    "config": {"image", "imaging", "document", "codecs", "canvas", "app", "cli"},
}
# Qt modules no core folder may reach: the core holds to QtCore.
FORBIDDEN_QT = ("QtGui", "QtWidgets")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def module_header_names(qt_headers):
    """Maps each bare class header name of the forbidden modules to its module."""
    names = {}
    for module in FORBIDDEN_QT:
        directory = os.path.join(qt_headers or "", module)
        if qt_headers and os.path.isdir(directory):
            for name in os.listdir(directory):
                if name.startswith("Q") and "." not in name:
                    names[name] = module
    return names


def target_layer(src, including_file, quote, target):
    """The folder of src that a quoted include names, or None for anything outside src."""
    candidates = []
    if quote == '"':
        candidates.append(os.path.join(os.path.dirname(including_file), target))
    candidates.append(os.path.join(src, target))
    for path in candidates:
        rel = os.path.relpath(os.path.normpath(path), src)
        if rel.startswith(".."):
            continue
        first = rel.split(os.sep)[0]
        if first in LAYERS and (os.path.exists(path) or path == candidates[-1]):
            return first
    return None


def violation(src, layer, path, quote, target, qt_names):
    qt_module = target.split("/")[0]
    if qt_module in FORBIDDEN_QT:
        return f"{layer} must not include the {qt_module} header <{target}>"
    if quote == "<" and target in qt_names:
        return f"{layer} must not include the {qt_names[target]} header <{target}>"
    if quote == '"':
        to = target_layer(src, path, quote, target)
        if to in FORBIDDEN[layer]:
            return f"{layer} must not include {to}: \"{target}\""
    return None


def check(src, qt_names):
    """Yields (path, line number, message) for every forbidden include under src."""
    for layer in FORBIDDEN:
        root = os.path.join(src, layer)
        for dirpath, _, files in os.walk(root):
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        message = violation(src, layer, path, m.group(1), m.group(2), qt_names)
                        if message:
                            yield path, number, message


def expected_lines(src):
    marked = set()
    for dirpath, _, files in os.walk(src):
        for name in files:
            path = os.path.join(dirpath, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    if "expected violation" in line:
                        marked.add((path, number))
    return marked


def main():
    parser = argparse.ArgumentParser(description="Checks the include layering of the source tree.")
    parser.add_argument("src", nargs="?")
    parser.add_argument("--qt-headers", help="Qt's include directory (holding QtGui/, QtWidgets/)")
    parser.add_argument("--self-test", metavar="FIXTURE")
    args = parser.parse_args()
    qt_names = module_header_names(args.qt_headers)
    src = os.path.abspath(args.self_test or args.src or parser.error("SRC or --self-test is required"))
    found = list(check(src, qt_names))
    for path, number, message in found:
        print(f"{os.path.relpath(path)}:{number}: {message}")
    if args.self_test:
        reported = {(path, number) for path, number, _ in found}
        expected = expected_lines(src)
        missed = sorted(expected - reported)
        extra = sorted(reported - expected)
        for path, number in missed:
            print(f"{os.path.relpath(path)}:{number}: not reported")
        for path, number in extra:
            print(f"{os.path.relpath(path)}:{number}: reported but allowed")
        ok = expected and not missed and not extra
        print(f"layering self-test: {len(expected)} stray includes, {len(reported)} reported: "
              + ("ok" if ok else "FAILED"))
        return 0 if ok else 1
    if found:
        print(f"layering: {len(found)} forbidden includes")
        return 1
    print("layering: no forbidden includes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
