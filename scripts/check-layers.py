#!/usr/bin/env python3
"""Checks that every include in setup/ points down its layers (and that common/ reads none of
them), so that the order of setup's folders lasts. Prints each include that points up or
sideways and exits 1 when there is one. Usage: check-layers.py [repository root]."""
import pathlib
import re
import sys

# Each layer with the setup folders its files may include besides their own and common/.
# The arrows: program -> shell -> skin, removal; skin -> theme -> core; removal -> core.
MAY_INCLUDE = {
    "core": set(),
    "theme": {"core"},
    "removal": {"core"},
    "skin": {"core", "theme"},
    "shell": {"core", "theme", "skin", "removal"},
    "program": {"core", "theme", "skin", "removal", "shell"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"setup/([^/"]+)/[^"]*"', re.MULTILINE)
SOURCES = ("*.h", "*.cpp", "*.rc")


def sources(folder):
    for pattern in SOURCES:
        yield from folder.rglob(pattern)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    setup = root / "setup"
    faults = []
    for folder in sorted(p for p in setup.iterdir() if p.is_dir()):
        if folder.name not in MAY_INCLUDE:
            faults.append(f"setup/{folder.name}: a folder of no known layer; add it to {__file__}")
            continue
        allowed = MAY_INCLUDE[folder.name] | {folder.name}
        for path in sorted(sources(folder)):
            text = path.read_text(encoding="utf-8", errors="replace")
            for match in INCLUDE.finditer(text):
                if match.group(1) not in allowed:
                    line = text.count("\n", 0, match.start()) + 1
                    faults.append(f"{path.relative_to(root)}:{line}: setup/{folder.name} includes "
                                  f"setup/{match.group(1)}, a layer it may not read")
    for path in sorted(sources(root / "common")):
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            faults.append(f"{path.relative_to(root)}:{line}: common/ includes setup/{match.group(1)}")
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print("setup's includes point down its layers: " + ", ".join(
        f"{layer} -> {' '.join(sorted(MAY_INCLUDE[layer])) or 'common'}" for layer in MAY_INCLUDE))
    return 0


if __name__ == "__main__":
    sys.exit(main())
