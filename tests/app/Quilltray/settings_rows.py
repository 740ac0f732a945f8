#!/usr/bin/env python3
r"""What a person sees of a settings description file, read with plistlib.

  settings_rows.py FOLDER FILE.plist

prints one line per section, row and child page, tab-separated:
  section <heading title> <footer> <number of rows>
  row <Type> <Key> <title>
  child <File> found|missing
with backslash, line feed and tab written as \\, \n and \t. Texts are
translated through the strings table named after the file (without ".inApp"
and the "~iphone"/"~ipad" suffix), or "Root" when the folder has no such
table, looked up at the top of the folder and then in its preferred language
folder (en, else the first in name order). Something absent prints
as (nil); a heading without a title or footer text shows an empty text.
"""
import os
import plistlib
import re
import sys

NIL = "(nil)"
TOKEN = re.compile(r'\s+|/\*.*?\*/|//[^\n]*|"((?:[^"\\]|\\.)*)"|=|;', re.S)
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "'": "'"}


def read_strings(path):
    data = open(path, "rb").read()
    if data.startswith(b"\xff\xfe") or data.startswith(b"\xfe\xff"):
        text = data.decode("utf-16")
    else:
        text = data.decode("utf-8-sig")
    texts, table, pos = [], {}, 0
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:
            raise ValueError("bad strings file %s at %d" % (path, pos))
        pos = m.end()
        if m.group(1) is not None:
            texts.append(re.sub(r"\\(.)", lambda e: ESCAPES.get(e.group(1), e.group(1)), m.group(1)))
        elif m.group(0) == ";":
            table[texts[0]] = texts[-1]
            texts = []
    return table


def shown(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")


def language_folder(folder):
    found = sorted(n[:-6] for n in os.listdir(folder) if n.endswith(".lproj"))
    if "en" in found:
        return "en.lproj"
    found = [n for n in found if n != "Base"]
    return found[0] + ".lproj" if found else None


def strings_table(folder, name):
    places = [folder]
    language = language_folder(folder)
    if language:
        places.append(os.path.join(folder, language))
    for place in places:
        path = os.path.join(place, name + ".strings")
        if os.path.exists(path):
            return read_strings(path)
    return None


def main():
    folder, file = sys.argv[1], sys.argv[2]
    try:
        root = plistlib.load(open(os.path.join(folder, file), "rb"))
    except Exception:
        return
    name = re.sub(r"~(iphone|ipad)", "", file[: -len(".plist")].replace(".inApp", ""))
    table = strings_table(folder, name)
    if table is None:
        table = strings_table(folder, "Root") or {}

    def tr(text):
        return table.get(text, text)

    entries = root.get("PreferenceSpecifiers") if isinstance(root, dict) else None
    sections = []
    for entry in entries if isinstance(entries, list) else []:
        if not isinstance(entry, dict):
            continue
        if entry.get("Type") == "PSGroupSpecifier":
            title, footer = entry.get("Title"), entry.get("FooterText")
            sections.append([tr(title) if isinstance(title, str) else "",
                             tr(footer) if isinstance(footer, str) else "", []])
            continue
        if not sections:
            sections.append([NIL, NIL, []])
        sections[-1][2].append(entry)
    for title, footer, rows in sections:
        print("section\t%s\t%s\t%d" % (shown(title), shown(footer), len(rows)))
        for row in rows:
            title = row.get("Title")
            print("row\t%s\t%s\t%s" % (shown(row.get("Type", NIL)), shown(row.get("Key", NIL)),
                                      shown(tr(title)) if isinstance(title, str) else NIL))
    for title, footer, rows in sections:
        for row in rows:
            if row.get("Type") == "PSChildPaneSpecifier" and isinstance(row.get("File"), str):
                found = os.path.exists(os.path.join(folder, row["File"] + ".plist"))
                print("child\t%s\t%s" % (row["File"], "found" if found else "missing"))


sys.stdout.reconfigure(encoding="utf-8")
main()
