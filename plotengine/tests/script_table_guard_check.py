#!/usr/bin/env python3
"""The script table compiler refuses, naming the script, every script that would break the
plot page's inline script element, and a jQuery that is not the pinned build.

    script_table_guard_check.py COMPILER JQUERY_PACKAGE PINNED_SHA256
"""
import os
import subprocess
import sys
import tempfile

compiler, package, pinned = sys.argv[1:4]

BAD = [
    ("ends.js", b"var a = '</script>';\n", '"</script"'),
    ("upper.js", b"x = 1; // </SCRIPT  >\n", '"</script"'),
    ("mixed.js", b"x = '</sCrIpT';\n", '"</script"'),
    ("comment.js", b"x = '<!--';\n", '"<!--"'),
    ("latin.js", "x = 'caf\u00e9';\n".encode("utf-8"), "ASCII"),
    ("nul.js", b"x = 1;\0\n", "ASCII"),
]


def run(scripts, sha=pinned):
    with tempfile.TemporaryDirectory() as folder:
        paths = []
        for name, text in scripts:
            path = os.path.join(folder, name)
            with open(path, "wb") as f:
                f.write(text)
            paths.append(path)
        out = os.path.join(folder, "table.cpp")
        result = subprocess.run([sys.executable, compiler, "--output", out,
                                 "--jquery-package", package, "--jquery-sha256", sha] + paths,
                                capture_output=True, text=True)
        return result.returncode, result.stderr, os.path.exists(out)


failures = []
code, error, written = run([("good.js", b"var ok = '<\\/script>' + '<!' + '--';\n")])
if code != 0 or not written:
    failures.append(f"a good script was refused: {error}")
for name, text, reason in BAD:
    code, error, written = run([("good.js", b"// fine\n"), (name, text)])
    if code == 0 or written or name not in error or reason not in error:
        failures.append(f"{name}: exit {code}, table written {written}, message {error!r}")
code, error, written = run([("good.js", b"// fine\n")], sha="0" * 64)
if code == 0 or written or "jquery.js" not in error or "pinned" not in error:
    failures.append(f"a jQuery with another digest was taken: {error!r}")

for failure in failures:
    print(failure)
print(f"{len(BAD) + 2 - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
