#!/usr/bin/python3
"""Writes the SVG sources of the 22 card faces and the two card backs.

  cards.py OUTDIR      writes OUTDIR/face-00.svg .. face-21.svg, back.svg, back-selected.svg

The faces are drawn at their real size (80 x 130) in pixel units, so every
frame line sits on a half-pixel and stays one crisp pixel wide; the pictures
are flat shapes in a small shared palette because JPEG smears fine detail.
"""
import math
import os
import sys

W, H = 80, 130

# one palette for faces, backs, banner and icon
NIGHT = "#0c0f2c"
MIDNIGHT = "#181c48"
DEEP = "#2a2468"
VIOLET = "#6b4fb8"
LAVENDER = "#b8a6ec"
GOLD = "#f0c75e"
GOLD_DARK = "#b8892f"
PALE = "#fff3c8"
CREAM = "#f6ebcf"
STONE = "#8d90b8"
STONE_DARK = "#565a8a"
RED = "#d8464f"
ROSE = "#c2507a"
BLUE = "#4f8fe0"
GREEN = "#5e9e62"
ORANGE = "#ff8a3c"
BROWN = "#8a5a2e"

SANS_NARROW = "font-family=\"DejaVu Sans Condensed\" font-weight=\"bold\""
SERIF = "font-family=\"DejaVu Serif\" font-weight=\"bold\""


def pts(points):
    return " ".join(f"{x:.2f},{y:.2f}" for x, y in points)


def star(cx, cy, r_out, r_in, n, fill, turn=-90.0, extra=""):
    points = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(turn + i * 180.0 / n)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return f'<polygon points="{pts(points)}" fill="{fill}" {extra}/>'


def crescent(cx, cy, r, fill, cut=0.45):
    """A crescent opening to the right: a disc minus a disc shifted right."""
    # the inner arc is an ellipse through the horns, which reads as a bite at small sizes
    return (f'<path d="M{cx},{cy - r} A{r},{r} 0 1 0 {cx},{cy + r} '
            f'A{r * cut:.2f},{r} 0 1 1 {cx},{cy - r} Z" fill="{fill}"/>')


def infinity(cx, cy, w, h, stroke, width=2.0):
    hw, hh = w / 2, h / 2
    return (f'<path d="M{cx},{cy} C{cx + hw * 0.35},{cy - hh} {cx + hw},{cy - hh} {cx + hw},{cy} '
            f'C{cx + hw},{cy + hh} {cx + hw * 0.35},{cy + hh} {cx},{cy} '
            f'C{cx - hw * 0.35},{cy - hh} {cx - hw},{cy - hh} {cx - hw},{cy} '
            f'C{cx - hw},{cy + hh} {cx - hw * 0.35},{cy + hh} {cx},{cy} Z" '
            f'fill="none" stroke="{stroke}" stroke-width="{width}"/>')


def heart(cx, cy, s, fill):
    return (f'<path d="M{cx},{cy + s * 0.9} C{cx - s * 1.4},{cy - s * 0.1} {cx - s * 0.7},{cy - s * 1.1} {cx},{cy - s * 0.35} '
            f'C{cx + s * 0.7},{cy - s * 1.1} {cx + s * 1.4},{cy - s * 0.1} {cx},{cy + s * 0.9} Z" fill="{fill}"/>')


def crown(cx, base, w, h, fill, jewels=RED):
    x0, x1 = cx - w / 2, cx + w / 2
    p = [(x0, base), (x0, base - h * 0.55), (x0 + w * 0.2, base - h * 0.25), (cx - w * 0.12, base - h),
         (cx, base - h * 0.4), (cx + w * 0.12, base - h), (x1 - w * 0.2, base - h * 0.25),
         (x1, base - h * 0.55), (x1, base)]
    return (f'<polygon points="{pts(p)}" fill="{fill}"/>'
            f'<rect x="{x0}" y="{base - 2}" width="{w}" height="2" fill="{GOLD_DARK}"/>'
            f'<circle cx="{cx}" cy="{base - h * 0.2:.1f}" r="1.4" fill="{jewels}"/>')


def person(cx, head_y, robe, size=1.0, arms=None):
    """A robed figure: head, a bell-shaped robe, optional arm strokes."""
    s = size
    body = (f'<path d="M{cx - 3 * s},{head_y + 5 * s} L{cx + 3 * s},{head_y + 5 * s} '
            f'L{cx + 8 * s},{head_y + 30 * s} L{cx - 8 * s},{head_y + 30 * s} Z" fill="{robe}"/>')
    arm = ""
    for (x, y) in arms or []:
        arm += (f'<path d="M{cx},{head_y + 8 * s} L{x},{y}" stroke="{robe}" stroke-width="{2.6 * s}" '
                f'stroke-linecap="round"/><circle cx="{x}" cy="{y}" r="{1.4 * s}" fill="{CREAM}"/>')
    return body + arm + f'<circle cx="{cx}" cy="{head_y}" r="{4.2 * s}" fill="{CREAM}"/>'


def goblet(cx, top, fill, turn=0.0):
    return (f'<g transform="rotate({turn} {cx} {top + 6})">'
            f'<path d="M{cx - 6},{top} L{cx + 6},{top} Q{cx + 6},{top + 8} {cx},{top + 9} Q{cx - 6},{top + 8} {cx - 6},{top} Z" fill="{fill}"/>'
            f'<rect x="{cx - 1}" y="{top + 8}" width="2" height="5" fill="{fill}"/>'
            f'<rect x="{cx - 4.5}" y="{top + 12.5}" width="9" height="2" fill="{fill}"/></g>')


def waves(y0, y1, fill=BLUE, crest="#9cc6f4"):
    out = f'<rect x="7" y="{y0}" width="66" height="{y1 - y0}" fill="{fill}"/>'
    for row, y in enumerate(range(int(y0) + 3, int(y1), 5)):
        shift = 4 if row % 2 else 0
        d = " ".join(f"M{x + shift},{y} q3,-2 6,0" for x in range(8, 70, 12))
        out += f'<path d="{d}" stroke="{crest}" stroke-width="1" fill="none"/>'
    return out


def sparkles(points, fill=PALE):
    return "".join(star(x, y, r, r * 0.3, 4, fill) for x, y, r in points)


# --- the 22 pictures, drawn inside the panel x 7..73, y 20..108 ---------------------------

def magician():
    return (infinity(40, 31, 24, 9, GOLD, 2.2)
            + sparkles([(40, 44, 4)])
            + '<path d="M40,48 L40,84" stroke="#fffaf0" stroke-width="3" stroke-linecap="round"/>'
            + f'<circle cx="40" cy="48" r="2.4" fill="{PALE}"/>'
            + f'<rect x="12" y="88" width="56" height="5" fill="{GOLD_DARK}"/>'
            + f'<rect x="16" y="93" width="3" height="12" fill="{GOLD_DARK}"/><rect x="61" y="93" width="3" height="12" fill="{GOLD_DARK}"/>'
            + goblet(22, 73, LAVENDER)
            + f'<circle cx="58" cy="82" r="5.5" fill="{GOLD}"/>' + star(58, 82, 3.5, 1.4, 5, BROWN)
            + f'<path d="M29,87 L33,70" stroke="{STONE}" stroke-width="2"/><path d="M27.5,79 L34,80.5" stroke="{GOLD}" stroke-width="1.6"/>'
            + f'<path d="M47,86 L53,74" stroke="{BROWN}" stroke-width="2.4" stroke-linecap="round"/>')


def high_priestess():
    out = f'<rect x="20" y="30" width="40" height="78" fill="{DEEP}"/>'
    # pomegranates on the veil
    for x, y in ((27, 38), (53, 38), (27, 88), (53, 88), (40, 96)):
        out += f'<circle cx="{x}" cy="{y}" r="2.2" fill="{ROSE}"/>'
    out += (f'<rect x="10.5" y="26.5" width="10" height="84" fill="{NIGHT}" stroke="{GOLD}" stroke-width="1"/>'
            f'<rect x="59.5" y="26.5" width="10" height="84" fill="{CREAM}" stroke="{GOLD_DARK}" stroke-width="1"/>'
            f'<rect x="8.5" y="24.5" width="14" height="4" fill="{GOLD_DARK}"/><rect x="57.5" y="24.5" width="14" height="4" fill="{GOLD_DARK}"/>'
            f'<text x="15.5" y="44" {SERIF} font-size="8" fill="{GOLD}" text-anchor="middle">B</text>'
            f'<text x="64.5" y="44" {SERIF} font-size="8" fill="{NIGHT}" text-anchor="middle">J</text>')
    out += crescent(38, 64, 14, PALE, 0.5)
    out += f'<circle cx="40" cy="33" r="3.5" fill="{PALE}"/>' + crescent(33, 33, 4, PALE, 0.4)
    out += f'<g transform="translate(80,0) scale(-1,1)">{crescent(33, 33, 4, PALE, 0.4)}</g>'
    return out


def wheat(x, base, lean):
    out = f'<path d="M{x},{base} Q{x + lean * 0.3},{base - 10} {x + lean},{base - 20}" stroke="{GOLD_DARK}" stroke-width="1.4" fill="none"/>'
    for i in range(4):
        t = 0.55 + i * 0.15
        gx, gy = x + lean * t, base - 20 * t
        out += f'<ellipse cx="{gx - 1.6:.1f}" cy="{gy:.1f}" rx="1.6" ry="2.6" fill="{GOLD}" transform="rotate(-25 {gx - 1.6:.1f} {gy:.1f})"/>'
        out += f'<ellipse cx="{gx + 1.6:.1f}" cy="{gy:.1f}" rx="1.6" ry="2.6" fill="{GOLD}" transform="rotate(25 {gx + 1.6:.1f} {gy:.1f})"/>'
    return out


def empress():
    out = crown(40, 38, 26, 14, GOLD)
    out += sparkles([(18, 28, 3), (62, 28, 3), (14, 40, 2), (66, 40, 2)])
    out += heart(40, 62, 15, ROSE)
    out += (f'<circle cx="40" cy="56" r="6.5" fill="none" stroke="{CREAM}" stroke-width="2.6"/>'
            f'<path d="M40,62.5 L40,74 M35,68.5 L45,68.5" stroke="{CREAM}" stroke-width="2.6"/>')
    for x, lean in ((14, 2), (19, 4), (24, 6), (66, -2), (61, -4), (56, -6)):
        out += wheat(x, 105, lean)
    return out


def emperor():
    return (f'<rect x="24" y="34" width="32" height="46" fill="{STONE_DARK}" stroke="{GOLD}" stroke-width="1"/>'
            f'<circle cx="24" cy="35" r="6" fill="{GOLD}"/><circle cx="24" cy="35" r="2.5" fill="{BROWN}"/>'
            f'<circle cx="56" cy="35" r="6" fill="{GOLD}"/><circle cx="56" cy="35" r="2.5" fill="{BROWN}"/>'
            + crown(40, 56, 20, 12, GOLD)
            + f'<path d="M40,62 L40,74 M35,66 L45,66" stroke="{GOLD}" stroke-width="2"/><circle cx="40" cy="62" r="2.5" fill="none" stroke="{GOLD}" stroke-width="1.6"/>'
            f'<rect x="18" y="78" width="44" height="7" fill="{RED}" stroke="{GOLD_DARK}" stroke-width="1"/>'
            f'<rect x="21" y="85" width="38" height="18" fill="{STONE}"/>'
            f'<path d="M21,92 L59,92 M21,98 L59,98 M33,85 L33,92 M47,85 L47,92 M40,92 L40,98 M28,98 L28,103 M52,98 L52,103" stroke="{STONE_DARK}" stroke-width="1"/>')


def key(colour):
    # drawn pointing down from the origin, turned by the caller
    return (f'<circle cx="0" cy="-22" r="5" fill="none" stroke="{colour}" stroke-width="2.6"/>'
            f'<rect x="-1.3" y="-17" width="2.6" height="36" fill="{colour}"/>'
            f'<rect x="1" y="10" width="6" height="3" fill="{colour}"/><rect x="1" y="15" width="5" height="3" fill="{colour}"/>')


def high_priest():
    out = ""
    # a three-tiered crown
    for i, (w, y) in enumerate(((22, 42), (17, 36), (12, 30))):
        out += f'<rect x="{40 - w / 2}" y="{y - 5}" width="{w}" height="5" rx="1.5" fill="{GOLD if i % 2 == 0 else GOLD_DARK}"/>'
    out += f'<path d="M40,20.5 L40,26 M37.5,22.5 L42.5,22.5" stroke="{GOLD}" stroke-width="1.6"/>'
    out += f'<g transform="translate(40,76) rotate(-35)">{key(GOLD)}</g>'
    out += f'<g transform="translate(40,76) rotate(35) scale(-1,1)">{key("#dfe3f5")}</g>'
    return out


def lovers():
    out = ""
    for i in range(12):
        a = math.radians(i * 30)
        out += (f'<path d="M{40 + 11 * math.cos(a):.1f},{36 + 11 * math.sin(a):.1f} '
                f'L{40 + 16 * math.cos(a):.1f},{36 + 16 * math.sin(a):.1f}" stroke="{GOLD_DARK}" stroke-width="1.6"/>')
    out += heart(40, 37, 10, RED)
    out += person(23, 60, LAVENDER, 1.2, [(38, 76)])
    out += person(57, 60, VIOLET, 1.2, [(42, 76)])
    out += f'<rect x="7" y="100" width="66" height="8" fill="{GREEN}"/>'
    return out


def chariot():
    out = (f'<path d="M16,40 Q40,22 64,40 Z" fill="{BLUE}"/>'
           + sparkles([(30, 35, 2.2), (40, 32, 2.2), (50, 35, 2.2)])
           + f'<path d="M20,40 L20,54 M60,40 L60,54" stroke="{GOLD}" stroke-width="2"/>'
           f'<rect x="18" y="52" width="44" height="24" fill="{STONE_DARK}" stroke="{GOLD}" stroke-width="1"/>'
           # winged disc on the front of the car
           f'<path d="M28,62 Q34,56 40,64 Q46,56 52,62 Q46,60 40,66 Q34,60 28,62 Z" fill="{GOLD}"/>'
           f'<circle cx="40" cy="64" r="2.8" fill="{RED}"/>')
    for cx in (20, 60):
        out += (f'<circle cx="{cx}" cy="80" r="7" fill="{NIGHT}" stroke="{GOLD}" stroke-width="2"/>'
                f'<path d="M{cx - 6},80 L{cx + 6},80 M{cx},74 L{cx},86" stroke="{GOLD}" stroke-width="1.2"/>')
    # the black and the white sphinx
    for cx, body, eye in ((27, NIGHT, GOLD), (53, CREAM, NIGHT)):
        out += (f'<path d="M{cx - 9},104 L{cx - 9},98 Q{cx - 4},95 {cx + 3},96 L{cx + 3},90 Q{cx + 6},88 {cx + 9},90 L{cx + 9},104 Z" fill="{body}" stroke="{STONE}" stroke-width="1"/>'
                f'<circle cx="{cx + 6}" cy="93" r="1" fill="{eye}"/>')
    return out


def justice():
    out = (f'<path d="M40,24 L43,32 L43,80 L37,80 L37,32 Z" fill="#dfe3f5" stroke="{STONE}" stroke-width="0.8"/>'
           f'<rect x="31" y="80" width="18" height="3.5" fill="{GOLD}"/><rect x="38.5" y="83.5" width="3" height="10" fill="{BROWN}"/>'
           f'<circle cx="40" cy="96" r="3" fill="{GOLD}"/>'
           f'<path d="M14,46 L66,46" stroke="{GOLD}" stroke-width="2.2" stroke-linecap="round"/>'
           f'<circle cx="40" cy="46" r="3" fill="{GOLD}"/>')
    for cx in (16, 64):
        out += (f'<path d="M{cx},46 L{cx - 7},64 M{cx},46 L{cx + 7},64" stroke="{GOLD_DARK}" stroke-width="1"/>'
                f'<path d="M{cx - 9},64 L{cx + 9},64 Q{cx},73 {cx - 9},64 Z" fill="{GOLD}"/>')
    return out


def hermit():
    out = (f'<polygon points="7,108 7,96 22,82 34,94 46,80 73,100 73,108" fill="{STONE_DARK}"/>'
           f'<polygon points="22,82 26,86 22,87 18,86" fill="{CREAM}"/><polygon points="46,80 51,84 46,86 42,84" fill="{CREAM}"/>'
           f'<circle cx="44" cy="52" r="20" fill="{GOLD}" opacity="0.18"/><circle cx="44" cy="52" r="13" fill="{GOLD}" opacity="0.25"/>'
           f'<path d="M22,26 L26,104" stroke="{BROWN}" stroke-width="3" stroke-linecap="round"/>'
           f'<path d="M23.5,36 Q34,30 44,36 L44,40" stroke="{GOLD_DARK}" stroke-width="1.4" fill="none"/>'
           f'<polygon points="37,42 51,42 44,36" fill="{GOLD_DARK}"/>'
           f'<rect x="36" y="42" width="16" height="22" fill="{PALE}" stroke="{GOLD_DARK}" stroke-width="2"/>'
           + star(44, 53, 6, 3.4, 6, GOLD)
           + f'<rect x="35" y="63" width="18" height="3" fill="{GOLD_DARK}"/>')
    return out


def wheel():
    out = f'<circle cx="40" cy="64" r="26" fill="{DEEP}" stroke="{GOLD}" stroke-width="3"/>'
    for i in range(8):
        a = math.radians(i * 45 + 22.5)
        out += (f'<path d="M{40 + 4 * math.cos(a):.2f},{64 + 4 * math.sin(a):.2f} L{40 + 25 * math.cos(a):.2f},{64 + 25 * math.sin(a):.2f}" '
                f'stroke="{GOLD}" stroke-width="1.5"/>')
        b = math.radians(i * 45)
        out += f'<circle cx="{40 + 20 * math.cos(b):.2f}" cy="{64 + 20 * math.sin(b):.2f}" r="2" fill="{CREAM if i % 2 else LAVENDER}"/>'
    out += (f'<circle cx="40" cy="64" r="14" fill="none" stroke="{GOLD_DARK}" stroke-width="1.5"/>'
            f'<circle cx="40" cy="64" r="5" fill="{GOLD}"/><circle cx="40" cy="64" r="2" fill="{RED}"/>')
    # clouds in the corners, as on the traditional card
    for cx, cy in ((13, 25), (67, 25), (13, 103), (67, 103)):
        out += f'<circle cx="{cx}" cy="{cy}" r="4" fill="{LAVENDER}"/><circle cx="{cx + (4 if cx < 40 else -4)}" cy="{cy}" r="3" fill="{LAVENDER}"/>'
    return out


def strength():
    out = infinity(40, 29, 20, 8, GOLD, 2)
    out += star(40, 68, 27, 19, 18, ORANGE)
    out += f'<circle cx="30" cy="52" r="4" fill="{GOLD}"/><circle cx="50" cy="52" r="4" fill="{GOLD}"/>'
    out += f'<circle cx="30" cy="52" r="2" fill="{BROWN}"/><circle cx="50" cy="52" r="2" fill="{BROWN}"/>'
    out += f'<ellipse cx="40" cy="68" rx="15" ry="16" fill="{GOLD}"/>'
    out += f'<ellipse cx="40" cy="76" rx="8" ry="6" fill="{PALE}"/>'
    out += (f'<ellipse cx="34" cy="64" rx="2" ry="2.4" fill="{NIGHT}"/><ellipse cx="46" cy="64" rx="2" ry="2.4" fill="{NIGHT}"/>'
            f'<polygon points="36.5,71 43.5,71 40,75" fill="{BROWN}"/>'
            f'<path d="M40,75 L40,78 M35,79 Q40,82 45,79" stroke="{BROWN}" stroke-width="1.3" fill="none"/>')
    return out


def hanged_man():
    out = (f'<path d="M12,27 L68,27" stroke="{BROWN}" stroke-width="5" stroke-linecap="round"/>'
           f'<path d="M16,27 L16,106 M64,27 L64,106" stroke="{BROWN}" stroke-width="4"/>'
           f'<ellipse cx="20" cy="22" rx="3.2" ry="2" fill="{GREEN}"/><ellipse cx="60" cy="22" rx="3.2" ry="2" fill="{GREEN}"/>'
           f'<ellipse cx="12" cy="40" rx="2" ry="3.2" fill="{GREEN}"/><ellipse cx="68" cy="40" rx="2" ry="3.2" fill="{GREEN}"/>'
           f'<path d="M40,29 L40,34" stroke="{CREAM}" stroke-width="1.2"/>'
           # the free leg crossed behind the bound one makes the figure 4
           f'<path d="M40,55 L50,46 L41,42" stroke="{RED}" stroke-width="3.4" fill="none" stroke-linejoin="round" stroke-linecap="round"/>'
           f'<path d="M40,34 L40,56" stroke="{RED}" stroke-width="3.6" stroke-linecap="round"/>'
           f'<path d="M33,72 L28,64 L34,56 M47,72 L52,64 L46,56" stroke="{BLUE}" stroke-width="2.6" fill="none" stroke-linejoin="round"/>'
           f'<path d="M34,54 L46,54 L45,74 L35,74 Z" fill="{BLUE}"/>'
           + star(40, 81, 15, 10, 12, GOLD, extra='opacity="0.45"')
           + f'<circle cx="40" cy="81" r="10" fill="{GOLD}" opacity="0.35"/>'
           f'<circle cx="40" cy="81" r="9" fill="none" stroke="{GOLD}" stroke-width="2"/>'
           f'<circle cx="40" cy="80" r="5" fill="{CREAM}"/>')
    return out


def death():
    return (f'<path d="M62,24 L22,106" stroke="{BROWN}" stroke-width="3" stroke-linecap="round"/>'
            f'<path d="M61,27 Q40,16 14,36 Q38,26 58,34 Z" fill="#dfe3f5" stroke="{STONE}" stroke-width="0.8"/>'
            f'<circle cx="40" cy="64" r="14" fill="{CREAM}"/>'
            f'<rect x="32" y="70" width="16" height="14" rx="3" fill="{CREAM}"/>'
            f'<ellipse cx="34.5" cy="64" rx="4" ry="4.5" fill="{NIGHT}"/><ellipse cx="45.5" cy="64" rx="4" ry="4.5" fill="{NIGHT}"/>'
            f'<polygon points="40,70 37.5,75 42.5,75" fill="{NIGHT}"/>'
            f'<path d="M34,79 L46,79 M36.5,77 L36.5,83 M40,77 L40,83 M43.5,77 L43.5,83" stroke="{NIGHT}" stroke-width="1"/>'
            f'<path d="M22,92 L58,104 M58,92 L22,104" stroke="{CREAM}" stroke-width="3.2" stroke-linecap="round"/>')


def temperance():
    out = (f'<circle cx="60" cy="30" r="7" fill="{GOLD}"/>'
           + star(60, 30, 11, 7, 12, GOLD, extra='opacity="0.6"')
           + f'<path d="M30,47 C40,52 50,62 50,80" stroke="{BLUE}" stroke-width="4" fill="none" stroke-linecap="round"/>'
           f'<path d="M31,46 C40,51 48,60 49,76" stroke="#bfe0ff" stroke-width="1" fill="none"/>'
           + goblet(24, 38, GOLD, 40)
           + goblet(52, 82, GOLD, -10)
           + f'<path d="M7,100 Q20,94 40,100 T73,98 L73,108 L7,108 Z" fill="{BLUE}"/>'
           f'<path d="M12,103 q4,-2 8,0 M30,104 q4,-2 8,0 M52,103 q4,-2 8,0" stroke="#bfe0ff" stroke-width="1" fill="none"/>')
    return out


def devil():
    out = (f'<path d="M33,50 Q14,46 14,22 Q22,38 37,42 Z" fill="{GOLD}"/>'
           f'<path d="M47,50 Q66,46 66,22 Q58,38 43,42 Z" fill="{GOLD}"/>'
           f'<circle cx="40" cy="58" r="15" fill="{RED}"/>')
    p = []
    for i in range(5):
        a = math.radians(90 + i * 144)  # pointing down: the reversed star
        p.append((40 + 12 * math.cos(a), 58 + 12 * math.sin(a)))
    out += f'<polygon points="{pts(p)}" fill="none" stroke="{NIGHT}" stroke-width="1.8" stroke-linejoin="round"/>'
    out += (f'<rect x="31" y="80" width="18" height="28" fill="{NIGHT}" stroke="{STONE_DARK}" stroke-width="1"/>'
            f'<circle cx="40" cy="86" r="2.6" fill="none" stroke="{STONE}" stroke-width="1.4"/>'
            f'<path d="M38,87 Q28,92 20,86 M42,87 Q52,92 60,86" stroke="{STONE}" stroke-width="1.2" stroke-dasharray="2 1" fill="none"/>')
    for cx in (18, 62):
        out += person(cx, 82, ROSE, 0.75)
        out += f'<path d="M{cx - 3},80 L{cx - 4},76 L{cx - 1.5},79 M{cx + 3},80 L{cx + 4},76 L{cx + 1.5},79" stroke="{GOLD}" stroke-width="1" fill="none"/>'
    return out


def tower():
    out = (f'<polygon points="7,108 7,100 24,94 56,94 73,100 73,108" fill="{STONE_DARK}"/>'
           f'<rect x="28" y="42" width="24" height="54" fill="{STONE}"/>'
           f'<path d="M28,42 L28,37 L32,37 L32,40 L36,40 L36,37 L44,37 L44,40 L48,40 L48,37 L52,37 L52,42 Z" fill="{STONE}"/>'
           f'<path d="M28,56 L52,56 M28,70 L52,70 M28,84 L52,84" stroke="{STONE_DARK}" stroke-width="1"/>')
    for x, y in ((34, 48), (43, 62), (34, 76)):
        out += f'<rect x="{x}" y="{y}" width="4" height="6" fill="{ORANGE}"/>'
    out += (f'<polygon points="30,37 33,30 36,35 40,27 43,34 47,29 50,37" fill="{ORANGE}"/>'
            f'<polygon points="12,20 26,20 22,28 30,28 18,44 21,32 13,32" fill="{PALE}"/>'
            f'<g transform="rotate(28 58 30)">{crown(58, 34, 14, 9, GOLD)}</g>')
    for x, y in ((14, 56), (66, 52), (18, 74), (64, 72), (12, 90)):
        out += f'<path d="M{x},{y - 3} L{x + 1.6},{y + 1} A1.8,1.8 0 1 1 {x - 1.6},{y + 1} Z" fill="{GOLD}"/>'
    return out


def star_card():
    out = (f'<circle cx="40" cy="44" r="18" fill="{GOLD}" opacity="0.2"/>'
           + star(40, 44, 17, 6, 8, GOLD)
           + star(40, 44, 9, 3.5, 8, PALE, turn=-67.5))
    for x, y in ((15, 26), (65, 26), (12, 48), (68, 48), (22, 66), (58, 66), (40, 74)):
        out += star(x, y, 4.5, 1.8, 8, PALE)
    out += waves(88, 108)
    # a jar pouring into the pool
    out += (f'<path d="M60,76 C58,86 56,90 54,94" stroke="#bfe0ff" stroke-width="2" fill="none"/>'
            f'<g transform="rotate(-40 62 74)"><path d="M57,70 L67,70 L66,80 Q62,83 58,80 Z" fill="{ROSE}"/></g>')
    return out


def moon():
    out = ""
    for i in range(16):
        a = math.radians(i * 22.5)
        r2 = 19 if i % 2 == 0 else 16.5
        out += (f'<path d="M{40 + 13 * math.cos(a):.2f},{38 + 13 * math.sin(a):.2f} '
                f'L{40 + r2 * math.cos(a):.2f},{38 + r2 * math.sin(a):.2f}" stroke="{GOLD_DARK}" stroke-width="1.5"/>')
    out += '<circle cx="40" cy="38" r="12" fill="#e6e0ff"/>'
    out += f'<g transform="translate(80,0) scale(-1,1)">{crescent(38, 38, 12, GOLD, 0.55)}</g>'
    for x, y in ((30, 60), (50, 62), (40, 64)):
        out += f'<path d="M{x},{y - 3} L{x + 1.5},{y + 1} A1.7,1.7 0 1 1 {x - 1.5},{y + 1} Z" fill="{GOLD}"/>'
    for x0 in (9, 61):
        out += (f'<rect x="{x0}" y="58" width="10" height="38" fill="{STONE_DARK}"/>'
                f'<path d="M{x0},58 L{x0},54 L{x0 + 3},54 L{x0 + 3},56 L{x0 + 7},56 L{x0 + 7},54 L{x0 + 10},54 L{x0 + 10},58 Z" fill="{STONE_DARK}"/>'
                f'<rect x="{x0 + 4}" y="64" width="2" height="4" fill="{GOLD}"/>')
    out += (f'<path d="M7,96 L73,96 L73,108 L7,108 Z" fill="{GREEN}" opacity="0.8"/>'
            f'<path d="M38,74 Q46,80 36,86 Q26,92 40,100 L48,100 Q36,92 44,86 Q54,80 42,74 Z" fill="{CREAM}" opacity="0.9"/>'
            f'<path d="M7,100 L73,100 L73,108 L7,108 Z" fill="{BLUE}"/>'
            f'<ellipse cx="40" cy="104" rx="4" ry="2.2" fill="{RED}"/>')
    return out


def sun():
    out = ""
    for i in range(16):
        a = math.radians(i * 22.5)
        r, w = (27, 5) if i % 2 == 0 else (22, 4)
        b1, b2 = a - math.radians(w), a + math.radians(w)
        out += (f'<polygon points="{pts([(40 + 14 * math.cos(b1), 50 + 14 * math.sin(b1)), (40 + r * math.cos(a), 50 + r * math.sin(a)), (40 + 14 * math.cos(b2), 50 + 14 * math.sin(b2))])}" '
                f'fill="{GOLD if i % 2 == 0 else ORANGE}"/>')
    out += (f'<circle cx="40" cy="50" r="15" fill="#ffd24a"/>'
            f'<circle cx="35" cy="47" r="1.8" fill="{BROWN}"/><circle cx="45" cy="47" r="1.8" fill="{BROWN}"/>'
            f'<path d="M34,54 Q40,59 46,54" stroke="{BROWN}" stroke-width="1.6" fill="none" stroke-linecap="round"/>'
            f'<rect x="7" y="92" width="66" height="16" fill="{STONE}"/>'
            f'<path d="M7,97.5 L73,97.5 M7,102.5 L73,102.5" stroke="{STONE_DARK}" stroke-width="1"/>')
    for i, x in enumerate(range(11, 73, 8)):
        dx = 4 if i % 2 else 0
        out += f'<path d="M{x + dx},92 L{x + dx},97 M{x + 4 - dx},97 L{x + 4 - dx},102 M{x + dx},102 L{x + dx},108" stroke="{STONE_DARK}" stroke-width="1"/>'
    for x in (18, 40, 62):
        out += (f'<path d="M{x},92 L{x},84" stroke="{GREEN}" stroke-width="1.6"/>'
                f'<circle cx="{x}" cy="82" r="4.5" fill="{GOLD}"/><circle cx="{x}" cy="82" r="2" fill="{BROWN}"/>')
    return out


def judgement():
    out = ""
    for cx, cy, r in ((12, 30, 6), (20, 26, 7), (29, 29, 6), (22, 34, 6), (12, 38, 4)):
        out += f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{LAVENDER}"/>'
    for cx, cy, r in ((68, 26, 6), (60, 24, 5), (66, 33, 4)):
        out += f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{LAVENDER}"/>'
    out += (f'<g transform="rotate(32 28 34)">'
            f'<rect x="28" y="32.5" width="26" height="3" fill="{GOLD}"/>'
            f'<polygon points="54,34 64,27 64,41" fill="{GOLD}"/>'
            f'<rect x="36" y="35.5" width="12" height="12" fill="#fffaf0"/>'
            f'<path d="M42,36 L42,47 M36.5,41.5 L47.5,41.5" stroke="{RED}" stroke-width="2.2"/></g>')
    out += waves(96, 108)
    for cx, robe in ((20, LAVENDER), (40, CREAM), (60, LAVENDER)):
        out += (f'<rect x="{cx - 8}" y="92" width="16" height="7" fill="{BROWN}"/>'
                f'<path d="M{cx - 4},92 L{cx - 3},80 L{cx + 3},80 L{cx + 4},92 Z" fill="{robe}"/>'
                f'<path d="M{cx - 3},82 L{cx - 7},72 M{cx + 3},82 L{cx + 7},72" stroke="{robe}" stroke-width="2" stroke-linecap="round"/>'
                f'<circle cx="{cx}" cy="76.5" r="3.2" fill="{CREAM}"/>')
    return out


def world():
    out = (f'<ellipse cx="40" cy="64" rx="19" ry="30" fill="none" stroke="{GREEN}" stroke-width="6"/>'
           f'<ellipse cx="40" cy="64" rx="19" ry="30" fill="none" stroke="#9fd3a0" stroke-width="2" stroke-dasharray="2 3"/>')
    for cy in (34, 94):
        out += (f'<path d="M34,{cy - 4} L46,{cy + 4} M34,{cy + 4} L46,{cy - 4}" stroke="{RED}" stroke-width="2.6"/>'
                f'<circle cx="40" cy="{cy}" r="2.5" fill="{RED}"/>')
    # the dancer, with a sash across her
    out += (f'<path d="M40,58 L44,76 L47,88 M43,76 L36,82 L40,86" stroke="{CREAM}" stroke-width="2.4" fill="none" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="M37,55 L43,55 L45,72 L36,72 Z" fill="{CREAM}"/>'
            f'<path d="M31,48 Q38,56 44,62 Q48,68 50,78" stroke="{VIOLET}" stroke-width="3" fill="none"/>'
            f'<path d="M38,57 L31,50 M42,57 L49,52" stroke="{CREAM}" stroke-width="2" stroke-linecap="round"/>'
            f'<path d="M30,51 L30,42 M50,53 L50,44" stroke="{GOLD}" stroke-width="1.4"/>'
            f'<circle cx="40" cy="50" r="3.8" fill="{CREAM}"/>')
    for cx, cy in ((12, 25), (68, 25), (12, 103), (68, 103)):
        out += f'<circle cx="{cx}" cy="{cy}" r="3.5" fill="{GOLD}"/>'
    return out


def fool():
    out = ('<circle cx="62" cy="30" r="6" fill="#ffe38a"/>'
           + star(62, 30, 11, 6.5, 10, GOLD, extra='opacity="0.55"')
           + f'<polygon points="7,70 18,56 28,66 38,54 52,68 62,60 73,72 73,80 7,80" fill="{STONE_DARK}" opacity="0.8"/>'
           f'<polygon points="7,108 7,92 30,90 50,94 50,108" fill="{STONE}"/>'
           f'<polygon points="7,92 30,90 50,94 44,96 20,95 7,96" fill="{GREEN}"/>'
           f'<path d="M50,94 L50,108" stroke="{NIGHT}" stroke-width="1"/>'
           # the traveller steps toward the edge, bundle on a stick over his shoulder
           f'<path d="M36,76 L32,91 M38,76 L45,88" stroke="{CREAM}" stroke-width="2.4" stroke-linecap="round"/>'
           f'<path d="M33,60 L41,60 L44,78 L30,78 Z" fill="{ORANGE}"/>'
           f'<path d="M33,60 L41,60 L40,67 L34,67 Z" fill="{GOLD}"/>'
           f'<path d="M35,62 L22,46" stroke="{BROWN}" stroke-width="1.8" stroke-linecap="round"/>'
           f'<circle cx="21" cy="47" r="4.5" fill="{RED}"/>'
           f'<path d="M41,63 L48,68" stroke="{CREAM}" stroke-width="2.2" stroke-linecap="round"/><circle cx="49" cy="68.5" r="1.8" fill="#ffffff"/>'
           f'<circle cx="37" cy="55" r="4.2" fill="{CREAM}"/>'
           f'<path d="M33,53 L41,52 L44,46 Z" fill="{RED}"/>'
           # a small white dog at his heels
           f'<ellipse cx="21" cy="84" rx="5" ry="2.6" fill="#ffffff"/><circle cx="26.5" cy="80.5" r="2.6" fill="#ffffff"/>'
           f'<path d="M17.5,85 L16.5,90 M24,85 L25,90 M16,83 L13,80" stroke="#ffffff" stroke-width="1.6" stroke-linecap="round"/>'
           f'<path d="M25.5,78.5 L24.5,81.5" stroke="{STONE_DARK}" stroke-width="1.2"/>')
    return out


# (numeral, name on the plate, letter spacing of the name, picture)
CARDS = [
    ("I", "MAGICIAN", 0, magician),
    ("II", "HIGH PRIESTESS", -0.5, high_priestess),
    ("III", "EMPRESS", 0, empress),
    ("IV", "EMPEROR", 0, emperor),
    ("V", "HIGH PRIEST", 0, high_priest),
    ("VI", "LOVERS", 0, lovers),
    ("VII", "CHARIOT", 0, chariot),
    ("VIII", "JUSTICE", 0, justice),
    ("IX", "HERMIT", 0, hermit),
    ("X", "FORTUNE", 0, wheel),
    ("XI", "STRENGTH", 0, strength),
    ("XII", "HANGED MAN", 0, hanged_man),
    ("XIII", "DEATH", 0, death),
    ("XIV", "TEMPERANCE", 0, temperance),
    ("XV", "DEVIL", 0, devil),
    ("XVI", "TOWER", 0, tower),
    ("XVII", "STAR", 0, star_card),
    ("XVIII", "MOON", 0, moon),
    ("XIX", "SUN", 0, sun),
    ("XX", "JUDGEMENT", 0, judgement),
    ("XXI", "WORLD", 0, world),
    ("0", "FOOL", 0, fool),
]


def face(numeral, name, spacing, picture):
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}">
<defs>
  <linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{MIDNIGHT}"/><stop offset="1" stop-color="{NIGHT}"/>
  </linearGradient>
  <radialGradient id="panel" cx="0.5" cy="0.45" r="0.65">
    <stop offset="0" stop-color="#3a2d80"/><stop offset="1" stop-color="#171a4a"/>
  </radialGradient>
  <clipPath id="inside"><rect x="7" y="20" width="66" height="88"/></clipPath>
</defs>
<rect width="{W}" height="{H}" fill="url(#bg)"/>
<rect x="1.5" y="1.5" width="77" height="127" fill="none" stroke="{GOLD}" stroke-width="1"/>
<circle cx="12" cy="11" r="1.5" fill="{GOLD_DARK}"/><circle cx="68" cy="11" r="1.5" fill="{GOLD_DARK}"/>
<text x="40" y="15" {SERIF} font-size="11" fill="{GOLD}" text-anchor="middle">{numeral}</text>
<rect x="7" y="20" width="66" height="88" fill="url(#panel)"/>
<g clip-path="url(#inside)">
{picture()}
</g>
<rect x="6.5" y="19.5" width="67" height="89" fill="none" stroke="{GOLD}" stroke-width="1"/>
<rect x="6.5" y="111.5" width="67" height="13" fill="{NIGHT}" stroke="{GOLD_DARK}" stroke-width="1"/>
<text x="40" y="121" {SANS_NARROW} font-size="8" letter-spacing="{spacing}" fill="{CREAM}" text-anchor="middle">{name}</text>
</svg>
'''


def back(selected):
    """The card back; the selected one swaps the night blue for warm gold so a pick shows at once."""
    if selected:
        top, bottom, line, motif, ring, glow = "#f3c960", "#c98a2a", "#fffbe8", NIGHT, "#7a1f3c", "#ffffff"
    else:
        top, bottom, line, motif, ring, glow = MIDNIGHT, NIGHT, GOLD, GOLD, VIOLET, GOLD_DARK
    lattice = ""
    for y in range(6, 80, 8):
        for x in range(4 + (y // 8 % 2) * 4, 40, 8):
            lattice += f'<circle cx="{x}" cy="{y}" r="0.9" fill="{ring}" opacity="0.7"/>'
    border = (f'<rect x="0.5" y="0.5" width="39" height="79" fill="none" stroke="{glow}" stroke-width="1"/>'
              f'<rect x="1.5" y="1.5" width="37" height="77" fill="none" stroke="{line}" stroke-width="1"/>')
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="40" height="80" viewBox="0 0 40 80">
<defs>
  <linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{top}"/><stop offset="0.5" stop-color="{bottom}"/><stop offset="1" stop-color="{top}"/>
  </linearGradient>
</defs>
<rect width="40" height="80" fill="url(#bg)"/>
{lattice}
{border}
<rect x="4.5" y="4.5" width="31" height="71" fill="none" stroke="{ring}" stroke-width="1"/>
<circle cx="20" cy="40" r="11" fill="{ring}"/>
<circle cx="20" cy="40" r="11" fill="none" stroke="{line}" stroke-width="1.2"/>
{star(20, 40, 9, 3.2, 8, motif)}
{star(20, 13, 4, 1.4, 4, motif)}
{star(20, 67, 4, 1.4, 4, motif)}
</svg>
'''


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for i, card in enumerate(CARDS):
        with open(os.path.join(out, f"face-{i:02d}.svg"), "w") as f:
            f.write(face(*card))
    for name, selected in (("back", False), ("back-selected", True)):
        with open(os.path.join(out, f"{name}.svg"), "w") as f:
            f.write(back(selected))


if __name__ == "__main__":
    main(sys.argv)
