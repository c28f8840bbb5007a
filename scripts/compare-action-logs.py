#!/usr/bin/env python3
"""Compares two action logs line by line: the word and every field, with the
paths of the machine (a drive letter, a colon and a backslash onwards) left
out, since the two runs install into different folders. The reason a
program was skipped or not started is the launcher's own and differs by
platform.
Exit status 0 when they agree; the differences on standard error."""
import re
import sys

PATH = re.compile(r"[A-Za-z]:\\[^\t]*")
NOT_STARTED = re.compile(r"^not started: .*")


def fields(line):
    parts = [PATH.sub("<path>", field) for field in line.rstrip("\r\n").split("\t")]
    if parts and parts[0] == "SKIP" and len(parts) > 3:
        parts[3] = "<reason>"
    return [NOT_STARTED.sub("not started: <reason>", part) for part in parts]


def main(first, second):
    with open(first, encoding="utf-8") as a, open(second, encoding="utf-8") as b:
        left = [fields(line) for line in a]
        right = [fields(line) for line in b]
    differences = 0
    for number in range(max(len(left), len(right))):
        x = left[number] if number < len(left) else ["(missing)"]
        y = right[number] if number < len(right) else ["(missing)"]
        if x != y:
            differences += 1
            print(f"line {number + 1}:\n  {x}\n  {y}", file=sys.stderr)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
