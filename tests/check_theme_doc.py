#!/usr/bin/env python3
"""Keeps docs/theme-format.md true where that is cheap: every MAINWINDOW key, type keyword,
property name and language key the sample product uses stands in one of the reference's tables,
and the reference's table of finding kinds is exactly the set the theme check reports.
    check_theme_doc.py <source folder>"""
import re
import sys

root = sys.argv[1]
doc = open(f"{root}/docs/theme-format.md", encoding="utf-8").read()
table_cells = set(re.findall(r"`([^`]+)`", "\n".join(l for l in doc.splitlines() if l.startswith("|"))))


def sections(path):
    result, current = {}, None
    for line in open(path, encoding="cp1252").read().splitlines():
        line = line.strip()
        if line.startswith("[") and "]" in line:
            current = result.setdefault(line[1:line.index("]")], [])
        elif "=" in line and not line.startswith(";") and current is not None:
            key, value = line.split("=", 1)
            current.append((key.strip(), value.strip()))
    return result


theme = sections(f"{root}/samples/scrivex/theme/uninstall.lcd")
language = sections(f"{root}/samples/scrivex/language.lan")
wanted = {key for key, _ in theme["MAINWINDOW"]}
wanted |= {value.split(",")[5] for key, value in theme["INFO"] if key != "TOTAL"}
wanted |= {value.split("|")[0] for key, value in theme["DADOS"] if not key.endswith(",t")}
wanted |= set(language)
missing = sorted(w for w in wanted if w not in table_cells)
for section, keys in language.items():
    for key, _ in keys:
        if not any(f"`{section}`" in l and f"`{key}`" in l for l in doc.splitlines() if l.startswith("|")):
            missing.append(f"[{section}] {key}")

source = "".join(open(f"{root}/setup/theme/lint/{name}", encoding="utf-8").read()
                 for name in ("theme_lint.cpp", "theme_lint_layout.cpp"))
reported = set(re.findall(r'Add\([^;]*?"([a-z-]+)",', source, re.S))
kinds_table = doc[doc.index("| Kind |"):]
kinds_table = kinds_table[:kinds_table.index("\n\n")]
documented = set(re.findall(r"^\| `([a-z-]+)` \|", kinds_table, re.M))
status = 0
if missing:
    print("not in the reference's tables:", ", ".join(missing))
    status = 1
if reported != documented:
    print("finding kinds reported but not documented:", sorted(reported - documented))
    print("finding kinds documented but never reported:", sorted(documented - reported))
    status = 1
print(f"{len(wanted)} names of the sample and {len(reported)} finding kinds checked")
sys.exit(status)
