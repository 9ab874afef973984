#!/usr/bin/env python3
"""Draws Tallyforge's icons and banner into res/art as XPM (16-colour icons, 256-colour banner),
and the icons once more as Windows .ico files for the Windows build's resources.

The icons are drawn shape by shape here; the banner's lettering is set with ImageMagick
(`convert`), then reduced to 256 colours. Run from the repository's root after changing a shape.
"""
import math
import re
import os
import struct
import subprocess
import sys

ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "art")
SIZE = 32

PALETTE = {  # at most 16 colours per icon
    " ": None,  # transparent
    "k": "#101020", "w": "#FFFFFF", "g": "#2E9E3E", "G": "#7BD389", "r": "#C0282D",
    "R": "#F0787C", "b": "#1F3F8F", "B": "#6F9FEF", "y": "#F5C518", "o": "#E8731C",
    "s": "#8C94A4", "d": "#3A4254",
}


def blank():
    return [[" "] * SIZE for _ in range(SIZE)]


def inside_polygon(x, y, points):
    hit = False
    for i in range(len(points)):
        (x1, y1), (x2, y2) = points[i], points[i - 1]
        if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
            hit = not hit
    return hit


def fill(img, colour, test):
    for y in range(SIZE):
        for x in range(SIZE):
            if test(x + 0.5, y + 0.5):
                img[y][x] = colour


def disc(img, colour, cx, cy, r):
    fill(img, colour, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r)


def ring(img, colour, cx, cy, r_out, r_in):
    fill(img, colour, lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out)


def polygon(img, colour, points):
    fill(img, colour, lambda x, y: inside_polygon(x, y, points))


def rect(img, colour, x0, y0, x1, y1):
    fill(img, colour, lambda x, y: x0 <= x < x1 and y0 <= y < y1)


def regular(cx, cy, r, n, phase):
    return [(cx + r * math.cos(phase + 2 * math.pi * i / n), cy + r * math.sin(phase + 2 * math.pi * i / n))
            for i in range(n)]


def icon_app():
    img = blank()
    polygon(img, "k", regular(16, 16, 16.5, 4, math.pi / 4))  # a dark tile
    rect(img, "b", 2, 2, 30, 30)
    bars = [(4, 8), (8, 12), (12, 10), (16, 18), (20, 14), (24, 22)]
    for x, h in bars:
        rect(img, "y", x, 28 - h, x + 3, 28)
    for n in range(2, 30):  # the primes below 30 as white dots along the top
        if all(n % d for d in range(2, n)):
            img[4][n] = "w"
    return img


def icon_start():
    img = blank()
    disc(img, "d", 16, 16, 15.5)
    disc(img, "g", 16, 16, 14)
    disc(img, "G", 13, 12, 6)
    disc(img, "g", 15, 14, 6.5)
    polygon(img, "w", [(11, 8), (11, 24), (24, 16)])
    return img


def icon_stop():
    img = blank()
    polygon(img, "d", regular(16, 16, 16.8, 8, math.pi / 8))
    polygon(img, "r", regular(16, 16, 15, 8, math.pi / 8))
    rect(img, "w", 10, 10, 22, 22)
    rect(img, "R", 10, 10, 22, 11)
    return img


def icon_end():
    img = blank()
    disc(img, "d", 16, 16, 15.5)
    disc(img, "b", 16, 16, 14)
    ring(img, "w", 16, 17, 9, 6.5)
    rect(img, "b", 12, 4, 20, 14)  # the ring's opening at the top
    rect(img, "w", 14.5, 5, 17.5, 17)
    return img


def icon_stress():
    img = blank()
    disc(img, "d", 16, 16, 15.5)
    disc(img, "o", 16, 16, 14)
    polygon(img, "y", [(18, 3), (8, 18), (15, 18), (12, 29), (24, 13), (17, 13), (21, 3)])
    polygon(img, "w", [(18, 5), (11, 16), (14, 16), (19, 7)])
    return img


def write_xpm(name, img):
    used = sorted({c for row in img for c in row})
    lines = [f'"{SIZE} {SIZE} {len(used)} 1",']
    for c in used:
        lines.append(f'"{c} c {PALETTE[c] or "None"}",')
    lines += [f'"{"".join(row)}",' for row in img]
    lines[-1] = lines[-1].rstrip(",")
    body = "\n".join(lines)
    with open(os.path.join(ART, name + ".xpm"), "w") as out:
        out.write(f"/* XPM */\n/* Tallyforge artwork, drawn by tools/draw-artwork.py */\n"
                  f"static const char* {name}_xpm[] = {{\n{body}\n}};\n")


def write_ico(name, img):
    """One 32 x 32 image, 4 bits per pixel over the shared palette, transparency in the AND mask."""
    colours = [c for c in PALETTE if PALETTE[c]]
    index = {c: i + 1 for i, c in enumerate(colours)}  # 0 is black, shown where the mask is set
    palette = b"\0\0\0\0" + b"".join(bytes.fromhex(PALETTE[c][1:])[::-1] + b"\0" for c in colours)
    palette += b"\0" * (16 * 4 - len(palette))
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):  # bottom-up, as in every device-independent bitmap
        for x in range(0, SIZE, 2):
            xor.append(index.get(row[x], 0) << 4 | index.get(row[x + 1], 0))
        bits = 0
        for c in row:
            bits = bits << 1 | (c == " ")
        mask += bits.to_bytes(SIZE // 8, "big")  # 4 bytes: every row is already 32-bit aligned
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4,
                                                             len(image), 6 + 16)
    with open(os.path.join(ART, name + ".ico"), "wb") as out:
        out.write(directory + image)


def write_banner():
    png = os.path.join(ART, "banner.png")
    primes = [n for n in range(2, 480) if all(n % d for d in range(2, int(n ** 0.5) + 1))]
    dots = " ".join(f"point {p},44 point {p},45" for p in primes)
    subprocess.run([
        "convert", "-size", "480x48", "gradient:#0B1640-#1F3F8F",
        "-fill", "#F5C518", "-draw", dots,
        "-font", "DejaVu-Sans-Bold", "-pointsize", "30", "-fill", "#FFFFFF",
        "-annotate", "+12+33", "TALLYFORGE",
        "-font", "DejaVu-Sans", "-pointsize", "13", "-fill", "#F5C518",
        "-annotate", "+246+22", "prime numbers, CPU and memory",
        "-annotate", "+246+37", "benchmark and stress test",
        "-colors", "256", "+dither", png], check=True)
    xpm = os.path.join(ART, "banner.xpm")
    subprocess.run(["convert", png, xpm], check=True)
    os.remove(png)
    text = re.sub(r"static (const )?char \*banner\[\]", "static const char* banner_xpm[]", open(xpm).read())
    text = text.replace("/* XPM */", "/* XPM */\n/* Tallyforge artwork, drawn by tools/draw-artwork.py */", 1)
    open(xpm, "w").write(text)


def main():
    os.makedirs(ART, exist_ok=True)
    for name, draw in (("icon_app", icon_app), ("icon_start", icon_start), ("icon_stop", icon_stop),
                       ("icon_end", icon_end), ("icon_stress", icon_stress)):
        img = draw()
        write_xpm(name, img)
        write_ico(name, img)
    write_banner()
    return 0


if __name__ == "__main__":
    sys.exit(main())
