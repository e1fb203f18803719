#!/usr/bin/env python3
"""Writes one damaged settings file, chosen by its number, and prints the lines of it that the
program must keep as they are: values under keys it never writes at Quit, and other sections.

usage: damaged_settings.py NUMBER FILE
"""
import random
import sys

GEOMETRY = ["abc", "1e40", "-1e40", "-0", "NaN", "inf", "99999999999999999999", "", "1,5", " 12"]
OPTIONS = ["-1", "3", "65536", "32768", "abc", "", "1.5"]


def kept(number):
    # Titles are written only when the user renames a note; other sections never.
    return [f"Title2=Kept {number} \u2713".encode(), f"Title3=@99:99 {number}".encode()]


def structured(rng, number, eol=b"\n"):
    lines = [b"[Settings]"]
    lines += [f"{k}={rng.choice(GEOMETRY)}".encode() for k in ("xPos", "yPos", "wPos", "hPos")]
    lines += [f"{k}={rng.choice(OPTIONS)}".encode() for k in ("Black", "Indicator")]
    lines.append(b"Note=" + rng.choice([b"plain", b"\xff\xfe broken \xc3", b"a\\r\\nb", b"\\x41"]))
    lines += kept(number)
    other = [b"", b"[Other]", f"colour=teal {number}".encode()]
    return eol.join(lines + other) + eol


def damaged(number):
    rng = random.Random(number)
    kind = number % 8
    if kind == 0:  # random bytes, sometimes behind a valid header
        head = b"[Settings]\n" if rng.random() < 0.5 else b""
        return head + bytes(rng.randrange(256) for _ in range(rng.randrange(1, 3000))), []
    if kind == 1:  # a whole file cut short, mid-line or mid-character
        whole = structured(rng, number)
        return whole[: rng.randrange(1, len(whole))], []
    if kind == 2:  # keys repeated with different values
        return structured(rng, number) + b"[Settings]\nNote=second\nxPos=abc\nNote=third\n", []
    if kind == 3:  # line breaks of one kind only
        return structured(rng, number, rng.choice([b"\r", b"\n", b"\r\n"])), kept(number)
    if kind == 4 and number % 16 == 4:  # a 10 MB note
        return structured(rng, number).replace(b"Note=plain", b"Note=" + b"x" * (10 << 20)), kept(number)
    return structured(rng, number), kept(number)


if __name__ == "__main__":
    content, keep = damaged(int(sys.argv[1]))
    with open(sys.argv[2], "wb") as out:
        out.write(content)
    for line in keep:
        sys.stdout.buffer.write(line + b"\n")
