#!/usr/bin/python3
"""Reads "HTML Format" clipboard text as a pasting application does and holds it against the page.

The four header fields name byte offsets: StartHTML and EndHTML the HTML document, StartFragment
and EndFragment the fragment, which must be the fragment comment, the page and a line end.

Usage: check_html_clipboard.py CLIPBOARD_FILE PAGE_FILE
Prints "StartHTML EndHTML StartFragment EndFragment"; the status is 1 when the text does not
hold the page.
"""
import re
import sys


def main():
    data = open(sys.argv[1], "rb").read()
    page = open(sys.argv[2], "rb").read()
    problems = []
    if not data.endswith(b"\0"):
        problems.append("no closing NUL")
    text = data[:-1]
    fields = {}
    for name in ("StartHTML", "EndHTML", "StartFragment", "EndFragment"):
        found = re.search(rb"^" + name.encode() + rb":(\d{8})\r$", text, re.M)
        if not found:
            problems.append(f"no {name}")
            continue
        fields[name] = int(found.group(1))
    if len(fields) == 4:
        print(fields["StartHTML"], fields["EndHTML"], fields["StartFragment"], fields["EndFragment"])
        document = text[fields["StartHTML"]:fields["EndHTML"]]
        if not (document.startswith(b"<html>") and document.endswith(b"</html>")):
            problems.append("the HTML offsets do not name the document")
        if fields["EndHTML"] != len(text):
            problems.append("EndHTML is not the end of the text")
        fragment = text[fields["StartFragment"]:fields["EndFragment"]]
        if fragment != b"<!--StartFragment -->\r\n" + page + b"\r\n":
            problems.append("the fragment offsets do not name the page")
        if not text[fields["EndFragment"]:].startswith(b"<!--EndFragment-->"):
            problems.append("EndFragment does not name the end comment")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
