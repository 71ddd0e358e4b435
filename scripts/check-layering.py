#!/usr/bin/env python3
"""Checks the include layering of the source tree.

The core libraries know nothing of widgets or of the layers above them:
  image    may include none of imaging, document, codecs, config, canvas, app, cli
  imaging  may include image only (not document, codecs, config, canvas, app, cli)
  document may include image and imaging (not codecs, config, canvas, app, cli)
  codecs   may include image and imaging (not document, config, canvas, app, cli)
  config   may include no other folder and QtCore only
and none of them may include a QtWidgets header, with or without the module prefix (the names
are taken from the QtWidgets header directory when it is given).

  check-layering.py SRC [--widgets-headers DIR]
      Lists every violation as "path:line: message" and exits 1 when there is one.
  check-layering.py --self-test FIXTURE [--widgets-headers DIR]
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
# Qt modules a core folder must not reach; config holds to QtCore.
FORBIDDEN_QT = {
    "image": {"QtWidgets"},
    "imaging": {"QtWidgets"},
    "document": {"QtWidgets"},
    "codecs": {"QtWidgets"},
    "config": {"QtWidgets", "QtGui"},
}
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def widget_header_names(directory):
    if not directory or not os.path.isdir(directory):
        return set()
    return {name for name in os.listdir(directory) if name.startswith("Q") and "." not in name}


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


def violation(src, layer, path, quote, target, widgets):
    qt_module = target.split("/")[0]
    if qt_module in FORBIDDEN_QT[layer] and qt_module.startswith("Qt"):
        return f"{layer} must not include the {qt_module} header <{target}>"
    if quote == "<" and "QtWidgets" in FORBIDDEN_QT[layer] and target in widgets:
        return f"{layer} must not include the QtWidgets header <{target}>"
    if quote == '"':
        to = target_layer(src, path, quote, target)
        if to in FORBIDDEN[layer]:
            return f"{layer} must not include {to}: \"{target}\""
    return None


def check(src, widgets):
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
                        message = violation(src, layer, path, m.group(1), m.group(2), widgets)
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
    parser.add_argument("--widgets-headers")
    parser.add_argument("--self-test", metavar="FIXTURE")
    args = parser.parse_args()
    widgets = widget_header_names(args.widgets_headers)
    src = os.path.abspath(args.self_test or args.src or parser.error("SRC or --self-test is required"))
    found = list(check(src, widgets))
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
