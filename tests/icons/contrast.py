#!/usr/bin/env python3
"""Checks that the digits of every committed day icon stand out on light and dark panels: at
16, 22, 24 and 32 pixels, on #FFFFFF, #DCDAD5, #808080, #2B2B2B and #000000, what borders the
digits within two pixels (their halo, or the panel itself) contrasts with them at least 3:1
along nearly all of their edge. Prints "N passed, N failed" and exits 1 on a failure.

usage: contrast.py ASSETS_DIR
"""
import os
import subprocess
import sys

SIZES = {16: 0, 22: 2, 24: 3, 32: 4}  # size -> image index in the .ico
PANELS = ["#FFFFFF", "#DCDAD5", "#808080", "#2B2B2B", "#000000"]
DIGITS = {"Black": (0, 0, 0), "White": (255, 255, 255)}


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def pixels(path, index, size):
    raw = subprocess.run(["convert", f"{path}[{index}]", "-depth", "8", "rgba:-"],
                         check=True, capture_output=True).stdout
    assert len(raw) == size * size * 4, (path, size, len(raw))
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def edge_contrasts(px, size, digit, panel):
    """For each digit pixel on the digits' edge, the best contrast with what surrounds it within
    two pixels (the halo, or the panel): what an eye uses to tell the digit's outline."""
    def on(c, a):
        return tuple(round(a / 255 * x + (1 - a / 255) * p) for x, p in zip(c, panel))

    def is_digit(x, y):
        if not (0 <= x < size and 0 <= y < size):
            return False
        r, g, b, a = px[y * size + x]
        return a >= 200 and all(abs(c - d) <= 60 for c, d in zip((r, g, b), digit))

    def colour(x, y):
        if not (0 <= x < size and 0 <= y < size):
            return panel
        r, g, b, a = px[y * size + x]
        return on((r, g, b), a)

    ratios = []
    for y in range(size):
        for x in range(size):
            if not is_digit(x, y):
                continue
            near = [(x + dx, y + dy) for dx in range(-2, 3) for dy in range(-2, 3)]
            if all(is_digit(*p) for p in near if abs(p[0] - x) + abs(p[1] - y) == 1):
                continue  # inside the digit, not on its edge
            own = colour(x, y)
            ratios.append(max(contrast(own, colour(*p)) for p in near if not is_digit(*p)))
    return ratios


def main():
    assets = sys.argv[1]
    passed = failed = 0
    for folder, digit in DIGITS.items():
        for day in range(1, 32):
            path = os.path.join(assets, folder, f"{day}.ico")
            for size, index in SIZES.items():
                px = pixels(path, index, size)
                for colour in PANELS:
                    panel = tuple(int(colour[k:k + 2], 16) for k in (1, 3, 5))
                    ratios = edge_contrasts(px, size, digit, panel)
                    good = sum(r >= 3 for r in ratios)
                    if ratios and good >= 0.95 * len(ratios):
                        passed += 1
                    else:
                        failed += 1
                        print(f"{folder}/{day}.ico at {size} px on {colour}: "
                              f"{good} of {len(ratios)} edge pixels at 3:1")
    print(f"icons: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
