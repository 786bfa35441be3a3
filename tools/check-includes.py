#!/usr/bin/env python3
"""Checks the layers of the source tree against its #include lines.

    tools/check-includes.py QT_HEADERS_DIR

Each source folder is one library of one layer. A folder's files may include headers of the
folders its row of LAYERS names, and of no other, by their path from the top of the tree
("media/mediainfo.h"; headers of their own folder by name alone); the folders marked WITHOUT_WIDGETS include
no header of Qt's widget modules (QT_HEADERS_DIR is Qt's include folder, the one holding
QtWidgets/). A header name lives in one folder only, so that an include names one file.
Prints every breach as FILE:LINE: text and exits 1 when there is one, else prints the table.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# folder -> the folders it may include from. Lower layers first; docs/architecture.md draws
# this table.
LAYERS = {
    "media": [],
    "resource": [],
    "translations": [],
    "report": ["resource"],
    "playlist": ["media"],
    "video": ["media"],
    "telemetry": ["media", "resource"],
    "ui": ["media", "video", "telemetry", "resource"],
    "map": ["media", "telemetry", "ui", "resource"],
    "app": ["media", "video", "playlist", "telemetry", "ui", "map", "report", "resource",
            "translations"],
    "tools/framecode": [],
    "tools/makerecording": ["media", "tools/framecode"],
    "tools/make-assets": ["translations"],
    "tools/cli": ["media", "video", "playlist", "telemetry", "ui", "map", "report", "resource",
                  "app", "tools/framecode"],
}

# The engine and what runs without a window: no Qt widget header.
WITHOUT_WIDGETS = ["media", "resource", "report", "tools/framecode", "tools/makerecording"]
WIDGET_MODULES = ["QtWidgets", "QtOpenGL", "QtPrintSupport", "QtWebEngineWidgets",
                  "QtMultimediaWidgets", "QtQuickWidgets"]

SOURCE = re.compile(r"\.(h|cpp|h\.in)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def sources(folder):
    base = os.path.join(ROOT, folder)
    for parent, dirs, files in os.walk(base):
        # A folder of the table inside another one (tools/cli in tools/) is its own row.
        dirs[:] = [d for d in dirs
                   if os.path.relpath(os.path.join(parent, d), ROOT) not in LAYERS]
        for name in sorted(files):
            if SOURCE.search(name):
                yield os.path.join(parent, name)


def header_name(path):
    name = os.path.basename(path)
    return name[:-3] if name.endswith(".in") else name


def widget_headers(qt_headers):
    names = set()
    for module in WIDGET_MODULES:
        folder = os.path.join(qt_headers, module)
        if os.path.isdir(folder):
            names.update(os.listdir(folder))
            names.update(module + "/" + n for n in os.listdir(folder))
            names.add(module)
    return names


def main():
    if len(sys.argv) != 2 or not os.path.isdir(os.path.join(sys.argv[1], "QtWidgets")):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    widgets = widget_headers(sys.argv[1])
    breaches = []

    owner = {}  # header name -> folder
    generated = set()  # made by the build (NAME.h.in) into a folder of its own
    for folder in LAYERS:
        for path in sources(folder):
            if not path.endswith(".cpp"):
                name = header_name(path)
                if path.endswith(".in"):
                    generated.add(name)
                if name in owner and owner[name] != folder:
                    breaches.append("%s: header name also in %s/" %
                                    (os.path.relpath(path, ROOT), owner[name]))
                owner.setdefault(name, folder)

    for folder, allowed in LAYERS.items():
        for path in sources(folder):
            with open(path, encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    where = "%s:%d: %s" % (os.path.relpath(path, ROOT), number, line.strip())
                    quoted, name = match.group(1) == '"', match.group(2)
                    if quoted:
                        target = owner.get(os.path.basename(name))
                        if not target or target == folder:
                            continue
                        if "/" not in name and name not in generated:
                            breaches.append("%s (write it as \"%s/%s\")" % (where, target, name))
                        elif "/" in name and name != target + "/" + os.path.basename(name):
                            breaches.append("%s (the header is %s/%s)" %
                                            (where, target, os.path.basename(name)))
                        if target not in allowed:
                            breaches.append("%s (%s/ may not use %s/)" % (where, folder, target))
                    elif folder in WITHOUT_WIDGETS and name in widgets:
                        breaches.append("%s (%s/ uses no widgets)" % (where, folder))

    for breach in breaches:
        print(breach)
    if breaches:
        print("check-includes: %d breach(es)" % len(breaches), file=sys.stderr)
        return 1
    for folder, allowed in LAYERS.items():
        mark = " (no widgets)" if folder in WITHOUT_WIDGETS else ""
        print("%-20s -> %s%s" % (folder, ", ".join(allowed) or "-", mark))
    return 0


if __name__ == "__main__":
    sys.exit(main())
