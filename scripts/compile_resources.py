#!/usr/bin/env python3
"""Compiles a module's resource manifest into a C++ resource table.

Manifest lines (blank lines and lines starting with '#' are ignored):
    strings  FILE                      a string table file (see below)
    resource TYPE NAME FILE [LANG]     the bytes of FILE as resource NAME of TYPE
    version A.B.C.D "Key=text" ...     the version resource (type VERSION, name 1): the fixed
                                       file version and its texts (FileVersion and so on)

TYPE and NAME are numbers (decimal or 0x hex) or names; the usual numeric types may be
given by name: CURSOR BITMAP ICON MENU DIALOG STRING ACCELERATOR RCDATA HTML.
LANG is a language id (default 0, neutral). Paths are relative to the manifest.
DIALOG, MENU and ACCELERATOR resources are compiled from the text formats below into the
layouts the loaders read (dialog templates, menu templates, accelerator tables).

Dialog files (sizes in dialog units; STYLE words are numbers):
    dialog X Y WIDTH HEIGHT "caption" [STYLE]
    font POINTS "face"
    control ID CLASS "text" X Y WIDTH HEIGHT [STYLE]
CLASS is Button, Edit, Static, ListBox, ScrollBar or ComboBox (stored as their atoms) or any
other window class name.

Menu files (indentation nests items under the popup above them):
    popup "&File"
        item ID "&Open..." [grayed] [checked]
        separator

Accelerator files:
    KEY ID [VIRTKEY] [SHIFT] [CONTROL] [ALT]
KEY is a quoted character ("A") or, with VIRTKEY, a key number or VK_F1 to VK_F24, VK_DELETE,
VK_INSERT, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_TAB, VK_BACK, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN,
VK_HOME, VK_END, VK_PRIOR, VK_NEXT.

String table files:
    language 0x0409                    the language of the entries that follow (default 0)
    ID "text"                          one entry; C escapes \\n \\t \\r \\" \\\\ \\uXXXX
        "more text"                    an indented literal continues the previous entry
Entries are laid out in blocks of sixteen counted UTF-16 strings, block number ID / 16 + 1.
"""
import argparse
import os
import re
import sys

NUMERIC_TYPES = {
    "CURSOR": 1, "BITMAP": 2, "ICON": 3, "MENU": 4, "DIALOG": 5, "STRING": 6,
    "ACCELERATOR": 9, "RCDATA": 10, "GROUP_CURSOR": 12, "GROUP_ICON": 14, "VERSION": 16,
    "HTML": 23,
}


class ManifestError(Exception):
    pass


def parse_number(text):
    return int(text, 0)


def parse_id(text, allow_type_names=False):
    if allow_type_names and text.upper() in NUMERIC_TYPES:
        return NUMERIC_TYPES[text.upper()]
    if re.fullmatch(r"(0[xX][0-9a-fA-F]+|\d+)", text):
        value = parse_number(text)
        if not 0 <= value <= 0xFFFF:
            raise ManifestError(f"id {text} is outside 0..65535")
        return value
    if text.startswith('"') and text.endswith('"'):
        text = text[1:-1]
    return text


def unescape(literal, where):
    out = []
    i = 0
    while i < len(literal):
        c = literal[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(literal):
            raise ManifestError(f"{where}: dangling backslash")
        e = literal[i + 1]
        if e == "u":
            out.append(chr(int(literal[i + 2:i + 6], 16)))
            i += 6
            continue
        mapping = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "0": "\0"}
        if e not in mapping:
            raise ManifestError(f"{where}: unknown escape \\{e}")
        out.append(mapping[e])
        i += 2
    return "".join(out)


LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def read_string_table(path):
    """Returns {language: {id: text}}."""
    tables = {}
    language = 0
    last = None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            where = f"{path}:{number}"
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            if line[0] in " \t" and stripped.startswith('"'):
                if last is None:
                    raise ManifestError(f"{where}: continuation without an entry")
                m = LITERAL.fullmatch(stripped)
                if not m:
                    raise ManifestError(f"{where}: bad continuation")
                lang, sid = last
                tables[lang][sid] += unescape(m.group(1), where)
                continue
            words = stripped.split(None, 1)
            if words[0] == "language":
                language = parse_number(words[1])
                last = None
                continue
            sid = parse_number(words[0])
            m = LITERAL.fullmatch(words[1].strip()) if len(words) > 1 else None
            if not m:
                raise ManifestError(f"{where}: expected ID \"text\"")
            table = tables.setdefault(language, {})
            if sid in table:
                raise ManifestError(f"{where}: string {sid:#x} defined twice")
            table[sid] = unescape(m.group(1), where)
            last = (language, sid)
    return tables


def string_blocks(tables):
    """Yields (language, block id, bytes) in the sixteen-entry layout."""
    for language, table in sorted(tables.items()):
        blocks = {}
        for sid, text in table.items():
            blocks.setdefault(sid // 16 + 1, {})[sid % 16] = text
        for block, entries in sorted(blocks.items()):
            data = bytearray()
            for slot in range(16):
                units = entries.get(slot, "").encode("utf-16-le")
                data += (len(units) // 2).to_bytes(2, "little") + units
            yield language, block, bytes(data)


def version_block(numbers, texts, where):
    """The fixed file information (52 bytes), then counted UTF-16 key/value pairs (values
    NUL-terminated), then a zero key length."""
    parts = [int(n) for n in numbers.split(".")]
    if len(parts) != 4 or any(not 0 <= n <= 0xFFFF for n in parts):
        raise ManifestError(f"{where}: version must be A.B.C.D")
    ms = (parts[0] << 16) | parts[1]
    ls = (parts[2] << 16) | parts[3]
    fixed = [0xFEEF04BD, 0x10000, ms, ls, ms, ls, 0x3F, 0, 0x40004, 2, 0, 0, 0]
    data = b"".join(v.to_bytes(4, "little") for v in fixed)
    for text in texts:
        key, sep, value = unescape(text, where).partition("=")
        if not sep:
            raise ManifestError(f"{where}: version text must be \"Key=value\"")
        for part, terminator in ((key, b""), (value, b"\0\0")):
            units = part.encode("utf-16-le")
            data += (len(units) // 2).to_bytes(2, "little") + units + terminator
    return data + b"\0\0"


def words_and_literals(line, where):
    """Splits a line into bare words and quoted texts (unescaped), keeping their order."""
    parts = []
    for m in re.finditer(r'"((?:[^"\\]|\\.)*)"|(\S+)', line):
        parts.append(unescape(m.group(1), where) if m.group(1) is not None else m.group(2))
    return parts


def text_lines(path):
    """Yields (where, indentation, parts) for each line that is not blank or a comment."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            where = f"{path}:{number}"
            indent = len(line) - len(line.lstrip(" \t"))
            yield where, indent, words_and_literals(stripped, where)


def sz(text):
    return text.encode("utf-16-le") + b"\0\0"


def word(value):
    return (value & 0xFFFF).to_bytes(2, "little")


def dword(value):
    return (value & 0xFFFFFFFF).to_bytes(4, "little")


CONTROL_ATOMS = {"button": 0x80, "edit": 0x81, "static": 0x82, "listbox": 0x83,
                 "scrollbar": 0x84, "combobox": 0x85}
# WS_CHILD | WS_VISIBLE; the dialog: DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION |
# WS_SYSMENU.
DEFAULT_CONTROL_STYLE = 0x50000000
DEFAULT_DIALOG_STYLE = 0x80C800C0
DS_SETFONT = 0x40


def compile_dialog(path):
    """A dialog template: the header with menu, class, caption and font, then each control
    aligned to four bytes."""
    header = None
    font = (8, "MS Shell Dlg")
    controls = []
    for where, _, parts in text_lines(path):
        keyword, args = parts[0], parts[1:]
        try:
            if keyword == "dialog" and len(args) in (5, 6):
                x, y, cx, cy = (int(a, 0) for a in args[:4])
                style = int(args[5], 0) if len(args) == 6 else DEFAULT_DIALOG_STYLE
                header = (style | DS_SETFONT, x, y, cx, cy, args[4])
            elif keyword == "font" and len(args) == 2:
                font = (int(args[0], 0), args[1])
            elif keyword == "control" and len(args) in (7, 8):
                ident = int(args[0], 0)
                x, y, cx, cy = (int(a, 0) for a in args[3:7])
                style = int(args[7], 0) if len(args) == 8 else DEFAULT_CONTROL_STYLE
                controls.append((style, x, y, cx, cy, ident, args[1], args[2]))
            else:
                raise ManifestError(f"{where}: unknown dialog line: {' '.join(parts)}")
        except ValueError:
            raise ManifestError(f"{where}: expected numbers in: {' '.join(parts)}")
    if header is None:
        raise ManifestError(f"{path}: no dialog line")
    style, x, y, cx, cy, caption = header
    data = dword(style) + dword(0) + word(len(controls))
    data += b"".join(word(v) for v in (x, y, cx, cy)) + word(0) + word(0) + sz(caption)
    data += word(font[0]) + sz(font[1])
    for style, x, y, cx, cy, ident, cls, text in controls:
        data += b"\0" * (-len(data) % 4)
        data += dword(style) + dword(0) + b"".join(word(v) for v in (x, y, cx, cy, ident))
        atom = CONTROL_ATOMS.get(cls.lower())
        data += (word(0xFFFF) + word(atom)) if atom else sz(cls)
        data += sz(text) + word(0)
    return data


MF_GRAYED, MF_CHECKED, MF_POPUP, MF_END = 0x1, 0x8, 0x10, 0x80


def compile_menu(path):
    """A menu template: a header of two zero words, then items; a popup's items follow it, and
    the last item of each level carries MF_END."""
    root = []
    stack = [(-1, root)]
    for where, indent, parts in text_lines(path):
        while indent <= stack[-1][0]:
            stack.pop()
        siblings = stack[-1][1]
        keyword, args = parts[0], parts[1:]
        if keyword == "popup" and len(args) == 1:
            children = []
            siblings.append(("popup", args[0], 0, 0, children))
            stack.append((indent, children))
        elif keyword == "item" and len(args) >= 2:
            flags = 0
            for option in args[2:]:
                if option not in ("grayed", "checked"):
                    raise ManifestError(f"{where}: unknown menu item option {option}")
                flags |= MF_GRAYED if option == "grayed" else MF_CHECKED
            try:
                siblings.append(("item", args[1], int(args[0], 0), flags, None))
            except ValueError:
                raise ManifestError(f"{where}: menu item id must be a number")
        elif keyword == "separator" and not args:
            siblings.append(("item", "", 0, 0, None))
        else:
            raise ManifestError(f"{where}: unknown menu line: {' '.join(parts)}")

    def items(level, where):
        if not level:
            raise ManifestError(f"{where}: a menu or popup without items")
        data = b""
        for index, (kind, text, ident, flags, children) in enumerate(level):
            if index == len(level) - 1:
                flags |= MF_END
            if kind == "popup":
                data += word(flags | MF_POPUP) + sz(text) + items(children, f"{path}: popup {text}")
            else:
                data += word(flags) + word(ident) + sz(text)
        return data

    return word(0) + word(0) + items(root, path)


FVIRTKEY, FSHIFT, FCONTROL, FALT, ACCEL_LAST = 0x1, 0x4, 0x8, 0x10, 0x80
VIRTUAL_KEYS = {"VK_BACK": 0x08, "VK_TAB": 0x09, "VK_RETURN": 0x0D, "VK_ESCAPE": 0x1B,
                "VK_SPACE": 0x20, "VK_PRIOR": 0x21, "VK_NEXT": 0x22, "VK_END": 0x23,
                "VK_HOME": 0x24, "VK_LEFT": 0x25, "VK_UP": 0x26, "VK_RIGHT": 0x27,
                "VK_DOWN": 0x28, "VK_INSERT": 0x2D, "VK_DELETE": 0x2E}
VIRTUAL_KEYS.update({f"VK_F{n}": 0x6F + n for n in range(1, 25)})


def compile_accelerators(path):
    """An accelerator table: eight bytes an entry (flags, key, command, padding), the last
    entry's flags marked."""
    entries = []
    for where, _, parts in text_lines(path):
        if len(parts) < 2:
            raise ManifestError(f"{where}: expected KEY ID [VIRTKEY] [SHIFT] [CONTROL] [ALT]")
        flags = 0
        for option in parts[2:]:
            bit = {"VIRTKEY": FVIRTKEY, "SHIFT": FSHIFT, "CONTROL": FCONTROL, "ALT": FALT}.get(option)
            if bit is None:
                raise ManifestError(f"{where}: unknown accelerator option {option}")
            flags |= bit
        key = parts[0]
        if key in VIRTUAL_KEYS:
            code = VIRTUAL_KEYS[key]
        elif re.fullmatch(r"(0[xX][0-9a-fA-F]+|\d+)", key):
            code = int(key, 0)
        elif len(key) == 1:
            # A letter with a modifier is its upper-case key.
            code = ord(key.upper()) if flags & FVIRTKEY else ord(key)
        else:
            raise ManifestError(f"{where}: unknown key {key}")
        try:
            entries.append([flags, code, int(parts[1], 0)])
        except ValueError:
            raise ManifestError(f"{where}: accelerator id must be a number")
    if not entries:
        raise ManifestError(f"{path}: no accelerators")
    entries[-1][0] |= ACCEL_LAST
    return b"".join(word(f) + word(k) + word(i) + word(0) for f, k, i in entries)


TEXT_COMPILERS = {NUMERIC_TYPES["DIALOG"]: compile_dialog, NUMERIC_TYPES["MENU"]: compile_menu,
                  NUMERIC_TYPES["ACCELERATOR"]: compile_accelerators}


def read_manifest(path):
    """Returns a list of (type, name, language, source path or bytes)."""
    base = os.path.dirname(os.path.abspath(path))
    items = []
    string_files = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            words = stripped.split()
            where = f"{path}:{number}"
            if words[0] == "strings" and len(words) == 2:
                string_files.append(os.path.join(base, words[1]))
            elif words[0] == "version" and len(words) >= 2:
                texts = LITERAL.findall(stripped)
                items.append((NUMERIC_TYPES["VERSION"], 1, 0, version_block(words[1], texts, where)))
            elif words[0] == "resource" and len(words) in (4, 5):
                rtype = parse_id(words[1], allow_type_names=True)
                name = parse_id(words[2])
                language = parse_number(words[4]) if len(words) == 5 else 0
                items.append((rtype, name, language, os.path.join(base, words[3])))
            else:
                raise ManifestError(f"{where}: unknown line: {stripped}")
    return items, string_files


def cpp_id(value):
    if isinstance(value, int):
        return f"{{{value}, nullptr}}"
    escaped = value.replace("\\", "\\\\").replace('"', '\\"')
    return f'{{0, u"{escaped}"}}'


def generate(module, accessor, items):
    lines = [
        "// Generated by scripts/compile_resources.py; do not edit.",
        '#include "platform/win32/resources.h"',
        "#include <iterator>",
        "",
        "namespace {",
    ]
    for index, (_, _, _, data) in enumerate(items):
        body = ",".join(str(b) for b in data) if data else "0"
        lines.append(f"alignas(4) const unsigned char data{index}[] = {{{body}}};")
    lines.append("const win32::ResourceEntry entries[] = {")
    for index, (rtype, name, language, data) in enumerate(items):
        lines.append(f"    {{{cpp_id(rtype)}, {cpp_id(name)}, {language:#06x}, data{index}, {len(data)}}},")
    if not items:
        lines.append("    {{0, nullptr}, {0, nullptr}, 0, nullptr, 0},")
    lines += [
        "};",
        "}  // namespace",
        "",
        f"HMODULE {accessor}() {{",
        f'  static const HMODULE module = win32::RegisterResourceModule(u"{module}", entries, {len(items)});',
        "  return module;",
        "}",
        "",
    ]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("manifest")
    parser.add_argument("--module")
    parser.add_argument("--accessor")
    parser.add_argument("--output")
    parser.add_argument("--list-inputs", action="store_true")
    args = parser.parse_args()
    try:
        items, string_files = read_manifest(args.manifest)
        if args.list_inputs:
            print(";".join([i[3] for i in items if isinstance(i[3], str)] + string_files))
            return 0
        resolved = []
        for rtype, name, language, source in items:
            if isinstance(source, bytes):
                resolved.append((rtype, name, language, source))
                continue
            if rtype in TEXT_COMPILERS:
                resolved.append((rtype, name, language, TEXT_COMPILERS[rtype](source)))
                continue
            with open(source, "rb") as f:
                resolved.append((rtype, name, language, f.read()))
        tables = {}
        for path in string_files:
            for language, table in read_string_table(path).items():
                merged = tables.setdefault(language, {})
                for sid, text in table.items():
                    if sid in merged:
                        raise ManifestError(f"{path}: string {sid:#x} defined twice")
                    merged[sid] = text
        for language, block, data in string_blocks(tables):
            resolved.append((NUMERIC_TYPES["STRING"], block, language, data))
        text = generate(args.module, args.accessor, resolved)
    except (ManifestError, OSError, ValueError) as error:
        print(f"compile_resources: {error}", file=sys.stderr)
        return 1
    with open(args.output + ".tmp", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(args.output + ".tmp", args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
