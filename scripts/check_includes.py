#!/usr/bin/env python3
"""Checks how the project's own sources include each other.

Each tree (src/, testbed/, tools/, tests/, bench/) is an include root, and a
library exports the root of its own tree only. So every quoted include names
a header from the root of the tree that holds it ("host/game.h",
"game/game_world.h", "common/files.h", "support/plugin_world.h",
"bench_server.h"), and that name must find exactly one header among the
roots: a folder name is never used under two of them.

The plug-in's layers include one way only:
host <- engine <- population <- commands <- plugin.

Prints one line per finding as FILE:LINE: message; exits 1 when there is any.
"""

import pathlib
import re
import sys

ROOTS = ("src", "testbed", "tools", "tests", "bench")
# What each folder of src/ may include from src/: its own layer and those below.
LAYERS = ("host", "engine", "population", "commands", "plugin")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".cpp"}


def main() -> int:
    top = pathlib.Path(__file__).resolve().parent.parent
    findings = []

    folders = {}
    for root in ROOTS:
        for entry in sorted((top / root).iterdir()):
            if entry.is_dir() and any(p.is_file() for p in entry.rglob("*")):
                folders.setdefault(entry.name, []).append(root)
    for name, roots in sorted(folders.items()):
        if len(roots) > 1:
            findings.append(f"{' and '.join(r + '/' + name for r in roots)}: "
                            "one folder name under two include roots")

    for root in ROOTS:
        for path in sorted((top / root).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            relative = path.relative_to(top)
            lines = path.read_text(encoding="utf-8").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                name = match.group(1)
                where = f"{relative}:{number}"
                found = [r for r in ROOTS if (top / r / name).is_file()]
                if ".." in pathlib.PurePosixPath(name).parts or len(found) != 1:
                    findings.append(f'{where}: "{name}" is not named from its tree\'s root '
                                    f"({', '.join(r + '/' for r in ROOTS)})")
                    continue
                if root == "src":
                    layer = relative.parts[1]
                    if found[0] != "src":
                        findings.append(f'{where}: the plug-in includes "{name}" from {found[0]}/')
                    elif layer in LAYERS and name.split("/")[0] in LAYERS and (
                            LAYERS.index(name.split("/")[0]) > LAYERS.index(layer)):
                        findings.append(f'{where}: src/{layer} includes "{name}" of a layer above')

    for finding in findings:
        print(finding)
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
