#!/usr/bin/env python3
"""Draws the skin and standard images of the "default" style into assets/styles/default/.

The images are plain shapes (rounded boxes, gradients, arrows, glyph-like strokes) rendered
with 4 x 4 supersampling, so the package needs nothing but this script to be rebuilt:

    python3 assets/styles/make_default_style.py

Skins hold their state frames side by side in this order: normal, hovered, pressed,
disabled, checked (or "default"); the XML descriptions beside the images give the frame
sizes and 3 x 3 grids.

The application's own images are not drawn here: they are SVG in assets/images/, rendered by
the build into its copy of this package and appended to its skins.xml.
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "default")
SS = 4  # supersampling per axis


def write_png(path, width, height, pixels):
    """pixels: list of rows of (r, g, b, a) tuples, straight alpha."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


class Image:
    """A straight-alpha RGBA picture with source-over painting of shapes."""

    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def blend(self, x, y, color, coverage):
        if coverage <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b, a = color
        sa = a / 255.0 * min(coverage, 1.0)
        dr, dg, db, da = self.px[y][x]
        da /= 255.0
        oa = sa + da * (1 - sa)
        if oa <= 0:
            self.px[y][x] = (0, 0, 0, 0)
            return
        mix = lambda s, d: int(round((s * sa + d * da * (1 - sa)) / oa))
        self.px[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), int(round(oa * 255)))

    def shape(self, inside, color, box=None):
        """Paints where inside(x, y) holds for sub-pixel samples; color may be a function of y."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            hits += 1
                if hits:
                    c = color(y) if callable(color) else color
                    self.blend(x, y, c, hits / (SS * SS))

    def save(self, path):
        write_png(path, self.w, self.h, self.px)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def ring(outer, inner):
    return lambda x, y: outer(x, y) and not inner(x, y)


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy or 1)
        t = min(max(t, 0.0), 1.0)
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result
    return inside


def arc(cx, cy, r, width, start, end):
    """A stroke along a circle from angle start to end (degrees, clockwise from 12 o'clock)."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > width / 2:
            return False
        ang = math.degrees(math.atan2(x - cx, -(y - cy))) % 360
        return start <= ang <= end if start <= end else (ang >= start or ang <= end)
    return inside


def lerp(c0, c1, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))


def vgradient(top, bottom, y0, y1):
    return lambda y: lerp(top, bottom, min(max((y - y0) / float(max(y1 - y0 - 1, 1)), 0), 1))


# --- palette ---
BORDER = (112, 112, 112, 255)
BORDER_HOT = (60, 127, 177, 255)
BORDER_DOWN = (44, 98, 139, 255)
BORDER_OFF = (173, 178, 181, 255)
FACE = ((250, 250, 250, 255), (226, 226, 226, 255))
FACE_HOT = ((234, 246, 253, 255), (190, 230, 253, 255))
FACE_DOWN = ((196, 229, 246, 255), (152, 209, 239, 255))
FACE_OFF = ((244, 244, 244, 255), (244, 244, 244, 255))
FACE_CHECKED = ((220, 236, 252, 255), (196, 224, 250, 255))
ACCENT = (51, 153, 255, 255)
TEXT = (32, 32, 32, 255)
TEXT_OFF = (150, 150, 150, 255)

BUTTON_STATES = [(BORDER, FACE), (BORDER_HOT, FACE_HOT), (BORDER_DOWN, FACE_DOWN),
                 (BORDER_OFF, FACE_OFF), (BORDER_HOT, FACE_CHECKED)]


def box_frames(w, h, states, radius=3, inset=0):
    """A rounded, bordered box per state, side by side."""
    img = Image(w * len(states), h)
    for i, (border, face) in enumerate(states):
        x0 = i * w + inset
        if border is not None:
            img.shape(rounded(x0, inset, x0 + w - 2 * inset, h - inset, radius), border)
        if face is not None:
            grad = vgradient(face[0], face[1], 1, h - 1)
            img.shape(rounded(x0 + 1, inset + 1, x0 + w - 2 * inset - 1, h - inset - 1, max(radius - 1, 0)), grad)
    return img


SKINS = []  # (name, count, width, height, orientation, columns, rows)


def skin(name, img, count, w, h, columns=None, rows=None):
    img.save(os.path.join(ROOT, "skins", name + ".png"))
    SKINS.append((name, count, w, h, columns, rows))


def arrow(img, x0, y0, w, h, direction, color):
    cx, cy = x0 + w / 2.0, y0 + h / 2.0
    s = min(w, h) / 2.0 - 0.5
    if direction == "down":
        pts = [(cx - s, cy - s / 2), (cx + s, cy - s / 2), (cx, cy + s / 2)]
    elif direction == "up":
        pts = [(cx - s, cy + s / 2), (cx + s, cy + s / 2), (cx, cy - s / 2)]
    elif direction == "left":
        pts = [(cx + s / 2, cy - s), (cx + s / 2, cy + s), (cx - s / 2, cy)]
    else:
        pts = [(cx - s / 2, cy - s), (cx - s / 2, cy + s), (cx + s / 2, cy)]
    img.shape(polygon(pts), color, (int(x0), int(y0), int(x0 + w), int(y0 + h)))


def arrow_frames(name, w, h, direction, count=4):
    colors = [TEXT, (0, 84, 153, 255), (0, 60, 116, 255), TEXT_OFF, TEXT][:count]
    img = Image(w * count, h)
    for i, c in enumerate(colors):
        arrow(img, i * w, 0, w, h, direction, c)
    skin(name, img, count, w, h)


def make_basic_skins():
    """Buttons, tool buttons, check boxes, spin boxes, groups, progress bars, the status bar,
    the size grip and the separator line."""
    skin("UIButton_Background", box_frames(16, 22, BUTTON_STATES), 5, 16, 22, "3,10,3", "3,16,3")
    # Tool buttons are flat at rest and take the button's face when hovered, pressed or checked.
    tool = [(None, None), (BORDER_HOT, FACE_HOT), (BORDER_DOWN, FACE_DOWN), (None, None),
            (BORDER_HOT, FACE_CHECKED)]
    skin("UIToolButton_Background", box_frames(16, 16, tool), 5, 16, 16, "3,10,3", "3,10,3")
    arrow_frames("UIToolButton_Arrow", 7, 7, "down")
    skin("UISpinBox_Button", box_frames(12, 10, BUTTON_STATES, radius=2), 5, 12, 10, "2,8,2", "2,6,2")
    arrow_frames("UISpinBox_ArrowUp", 7, 5, "up")
    arrow_frames("UISpinBox_ArrowDown", 7, 5, "down")

    # Check box indicator: normal, hovered, pressed, disabled, then the same four checked.
    ind = Image(13 * 8, 13)
    for i in range(8):
        border, face = BUTTON_STATES[i % 4]
        x0 = i * 13
        ind.shape(rounded(x0, 0, x0 + 13, 13, 2), border)
        inner = (255, 255, 255, 255) if i % 4 != 3 else (244, 244, 244, 255)
        ind.shape(rounded(x0 + 1, 1, x0 + 12, 12, 1), face[0] if i % 4 in (1, 2) else inner)
        if i >= 4:
            mark = TEXT_OFF if i == 7 else (30, 90, 160, 255)
            ind.shape(capsule(x0 + 3.2, 6.6, x0 + 5.5, 9.0, 1.1), mark)
            ind.shape(capsule(x0 + 5.5, 9.0, x0 + 9.8, 3.6, 1.1), mark)
    skin("UICheckBox_Indicator", ind, 8, 13, 13)

    # Group frame, and its fold indicator: four states open (pointing down), four folded.
    grp = Image(12, 12)
    grp.shape(ring(rounded(0, 0, 12, 12, 3), rounded(1, 1, 11, 11, 2)), (200, 200, 200, 255))
    skin("UIGroup_Background", grp, 1, 12, 12, "4,4,4", "4,4,4")
    colors = [TEXT, (0, 84, 153, 255), (0, 60, 116, 255), TEXT_OFF]
    fold = Image(9 * 8, 9)
    for i in range(8):
        arrow(fold, i * 9, 0, 9, 9, "down" if i < 4 else "right", colors[i % 4])
    skin("UIGroup_Indicator", fold, 8, 9, 9)

    # Progress bars: background, chunk and border per orientation; the chunk runs along the
    # bar, so the vertical one shades from left to right.
    for orient, (w, h) in (("Horizontal", (12, 16)), ("Vertical", (16, 12))):
        bg = Image(w, h)
        bg.shape(rounded(0, 0, w, h, 2), vgradient((230, 230, 230, 255), (244, 244, 244, 255), 0, h))
        skin("UIProgress_%sBackground" % orient, bg, 1, w, h, "3,%d,3" % (w - 6), "3,%d,3" % (h - 6))
        chunk = Image(w, h)
        light, dark = (120, 214, 120, 255), (38, 160, 52, 255)
        if orient == "Horizontal":
            shade = vgradient(light, dark, 1, h - 1)
            chunk.shape(rounded(1, 1, w - 1, h - 1, 1), shade)
        else:
            for x in range(1, w - 1):
                c = lerp(light, dark, (x - 1) / float(w - 3))
                chunk.shape(lambda px, py, x=x: x <= px < x + 1 and 1 <= py < h - 1, c)
        skin("UIProgress_%sChunk" % orient, chunk, 1, w, h, "3,%d,3" % (w - 6), "3,%d,3" % (h - 6))
        border = Image(w, h)
        border.shape(ring(rounded(0, 0, w, h, 2), rounded(1, 1, w - 1, h - 1, 1)), (160, 160, 160, 255))
        skin("UIProgress_%sBorder" % orient, border, 1, w, h, "3,%d,3" % (w - 6), "3,%d,3" % (h - 6))

    sb = Image(4, 22)
    sb.shape(lambda x, y: True, (240, 240, 240, 255))
    sb.shape(lambda x, y: y < 1, (215, 215, 215, 255))
    skin("UIStatusBar_Background", sb, 1, 4, 22, "1,2,1", "1,20,1")
    grip = Image(12, 12)
    for gx, gy in ((9, 9), (6, 9), (9, 6), (3, 9), (6, 6), (9, 3)):
        grip.shape(lambda x, y, gx=gx, gy=gy: gx <= x < gx + 2 and gy <= y < gy + 2, (150, 150, 150, 255))
    skin("UISizeGrip_Background", grip, 1, 12, 12)
    line = Image(4, 2)
    line.shape(lambda x, y: y < 1, (213, 213, 213, 255))
    line.shape(lambda x, y: y >= 1, (255, 255, 255, 255))
    skin("UILine_Background", line, 1, 4, 2)


def make_lists_skins():
    """Lists, tables and scrolling: the combo box field, list frames, scroll bars, the table
    header and the selection of lists."""
    grid = ("3,10,3", "3,16,3")
    skin("UIComboBox_Background", box_frames(16, 22, BUTTON_STATES), 5, 16, 22, *grid)
    arrow_frames("UIComboBox_Arrow", 9, 9, "down")

    # List frames: normal and disabled.
    frame = [(BORDER_OFF, ((255, 255, 255, 255),) * 2), (BORDER_OFF, ((244, 244, 244, 255),) * 2)]
    skin("UIList_Background", box_frames(12, 12, frame, radius=0), 2, 12, 12, "1,10,1", "1,10,1")

    # Scroll bars: a track a shade darker than the window, flat arrow buttons, rounded thumbs
    # (normal, hovered, pressed, disabled) with a light gripper.
    track_color = (232, 232, 232, 255)
    thumb_states = [(194, 194, 194, 255), (166, 166, 166, 255), (128, 128, 128, 255),
                    (222, 222, 222, 255)]
    for orient in ("Horizontal", "Vertical"):
        track = Image(8, 8)
        track.shape(lambda x, y: True, track_color)
        skin("UIScrollBar_%sBackground" % orient, track, 1, 8, 8)
        th = Image(17 * 4, 17)
        for i, c in enumerate(thumb_states):
            x0 = i * 17
            if orient == "Horizontal":
                th.shape(rounded(x0 + 1, 4, x0 + 16, 13, 3), c)
            else:
                th.shape(rounded(x0 + 4, 1, x0 + 13, 16, 3), c)
        skin("UIScrollBar_%sThumbBackground" % orient, th, 4, 17, 17, "5,7,5", "5,7,5")
        grip = Image(8, 8)
        for k in range(3):
            if orient == "Horizontal":
                grip.shape(lambda x, y, k=k: 1.5 + 2.5 * k <= x < 2.5 + 2.5 * k and 2 <= y < 6, (255, 255, 255, 170))
            else:
                grip.shape(lambda x, y, k=k: 1.5 + 2.5 * k <= y < 2.5 + 2.5 * k and 2 <= x < 6, (255, 255, 255, 170))
        skin("UIScrollBar_%sThumbGripper" % orient, grip, 1, 8, 8)
    flat = [(None, None), (None, ((214, 214, 214, 255),) * 2), (None, ((190, 190, 190, 255),) * 2),
            (None, None)]
    for side in ("Left", "Right", "Top", "Bottom"):
        skin("UIScrollBar_%sArrowBackground" % side, box_frames(17, 17, flat, radius=0), 4, 17, 17)
    arrow_frames("UIScrollBar_ArrowLeft", 7, 7, "left")
    arrow_frames("UIScrollBar_ArrowRight", 7, 7, "right")
    arrow_frames("UIScrollBar_ArrowUp", 7, 7, "up")
    arrow_frames("UIScrollBar_ArrowDown", 7, 7, "down")

    # Table header.
    hb = Image(4, 24)
    hb.shape(lambda x, y: True, vgradient((255, 255, 255, 255), (242, 242, 242, 255), 0, 24))
    hb.shape(lambda x, y: y >= 23, (213, 213, 213, 255))
    skin("UIHeader_Background", hb, 1, 4, 24, "1,2,1", "1,22,1")
    hi = box_frames(8, 24, [(None, None), (None, ((217, 235, 249, 255), (188, 220, 244, 255))),
                            (None, ((188, 220, 244, 255), (160, 200, 235, 255))), (None, None)], radius=0)
    skin("UIHeader_ItemBackground", hi, 4, 8, 24, "1,6,1", "1,22,1")
    sep = Image(1, 24)
    sep.shape(lambda x, y: 3 <= y < 21, (213, 213, 213, 255))
    skin("UIHeader_ItemSeparator", sep, 1, 1, 24)
    for name, direction in (("Asc", "up"), ("Desc", "down"), ("Up", "up"), ("Down", "down")):
        ind = Image(9, 5)
        arrow(ind, 0, 0, 9, 5, direction, (96, 96, 96, 255))
        skin("UIHeader_SortIndicator" + name, ind, 1, 9, 5)

    # Selection of lists: focused and unfocused.
    sel = Image(16, 16)
    sel.shape(rounded(0, 0, 8, 16, 2), (38, 160, 218, 255))
    sel.shape(rounded(1, 1, 7, 15, 1), vgradient((220, 240, 252, 255), (196, 228, 248, 255), 1, 15))
    sel.shape(rounded(8, 0, 16, 16, 2), (218, 218, 218, 255))
    sel.shape(rounded(9, 1, 15, 15, 1), (240, 240, 240, 255))
    skin("UIList_Selection", sel, 2, 8, 16, "2,4,2", "2,12,2")


def make_text_skins():
    """The text family: line edit and text edit fields in four frames (normal, hovered,
    focused, disabled); the widgets keep their text two pixels inside the frame."""
    white = ((255, 255, 255, 255),) * 2
    field = [(BORDER_OFF, white), (BORDER_HOT, white), (ACCENT, white),
             (BORDER_OFF, ((244, 244, 244, 255),) * 2)]
    for name in ("UILineEdit_Background", "UITextEdit_Background"):
        skin(name, box_frames(12, 12, field, radius=1), 4, 12, 12, "2,8,2", "2,8,2")


def make_menus_skins():
    """Menus, tool bars, tool tips and balloon tips."""
    arrow_frames("UIMenu_ItemArrow", 5, 9, "right")
    # Check and radio marks in the four item states: normal, hovered, pressed, disabled.
    marks = (TEXT, (0, 0, 0, 255), (0, 0, 0, 255), TEXT_OFF)
    check = Image(16 * 4, 16)
    for i, c in enumerate(marks):
        check.shape(capsule(i * 16 + 4, 8.5, i * 16 + 6.8, 11, 1.2), c)
        check.shape(capsule(i * 16 + 6.8, 11, i * 16 + 12, 5, 1.2), c)
    skin("UIMenu_ItemCheckIndicator", check, 4, 16, 16)
    radio = Image(16 * 4, 16)
    for i, c in enumerate(marks):
        radio.shape(disc(i * 16 + 8, 8, 3), c)
    skin("UIMenu_ItemRadioIndicator", radio, 4, 16, 16)
    ms = Image(4, 3)
    ms.shape(lambda x, y: 1 <= y < 2, (215, 215, 215, 255))
    skin("UIMenu_ItemSeparator", ms, 1, 4, 3, "1,2,1", "1,1,1")
    vl = Image(2, 4)
    vl.shape(lambda x, y: x < 1, (226, 226, 226, 255))
    vl.shape(lambda x, y: x >= 1, (255, 255, 255, 255))
    skin("UIMenu_VerticalLine", vl, 1, 2, 4)
    hov = Image(12, 12)
    hov.shape(rounded(0, 0, 12, 12, 3), (168, 210, 253, 255))
    hov.shape(rounded(1, 1, 11, 11, 2), vgradient((238, 247, 255, 255), (214, 234, 255, 255), 1, 11))
    skin("UIMenu_HoveredItemBackground", hov, 1, 12, 12, "4,4,4", "4,4,4")

    tb = Image(4, 32)
    tb.shape(lambda x, y: True, vgradient((252, 252, 252, 255), (232, 236, 242, 255), 0, 32))
    tb.shape(lambda x, y: y >= 31, (200, 205, 212, 255))
    skin("UIToolBar_Background", tb, 1, 4, 32, "1,2,1", "1,30,1")
    # In the four states of the button it marks, as large as the tool button's own arrow.
    arrow_frames("UIToolBar_MenuIndicator", 7, 7, "down")

    # Tips: drawn over the tip's own background, so the corners outside the curve stay clear.
    for name, top, bottom in (("UIToolTip_Background", (255, 255, 255, 255), (228, 229, 240, 255)),
                              ("UIBalloonTip_Background", (255, 255, 250, 255), (250, 246, 222, 255))):
        tt = Image(12, 12)
        tt.shape(rounded(0, 0, 12, 12, 3), (118, 118, 118, 255))
        tt.shape(rounded(1, 1, 11, 11, 2), vgradient(top, bottom, 1, 11))
        skin(name, tt, 1, 12, 12, "4,4,4", "4,4,4")


def badge(size, color, mark):
    """A round or triangular message icon with a white mark."""
    img = Image(size, size)
    s = size / 32.0
    if mark == "warning":
        img.shape(polygon([(16 * s, 1.5 * s), (30.5 * s, 29 * s), (1.5 * s, 29 * s)]), (214, 160, 0, 255))
        img.shape(polygon([(16 * s, 4.5 * s), (28 * s, 27.5 * s), (4 * s, 27.5 * s)]), color)
        ink = (60, 40, 0, 255)
        img.shape(capsule(16 * s, 11 * s, 16 * s, 19.5 * s, 1.8 * s), ink)
        img.shape(disc(16 * s, 24 * s, 1.9 * s), ink)
        return img
    img.shape(disc(16 * s, 16 * s, 15 * s), lerp(color, (0, 0, 0, 255), 0.25))
    img.shape(disc(16 * s, 16 * s, 14 * s), vgradient(lerp(color, (255, 255, 255, 255), 0.25), color, 0, size))
    white = (255, 255, 255, 255)
    if mark == "information":
        img.shape(disc(16 * s, 9.5 * s, 2.2 * s), white)
        img.shape(capsule(16 * s, 14.5 * s, 16 * s, 23.5 * s, 2.0 * s), white)
    elif mark == "question":
        img.shape(arc(16 * s, 11.5 * s, 5 * s, 3.2 * s, 280, 150), white)
        img.shape(capsule(19.4 * s, 15.2 * s, 16 * s, 18.5 * s, 1.6 * s), white)
        img.shape(capsule(16 * s, 18.5 * s, 16 * s, 19.5 * s, 1.6 * s), white)
        img.shape(disc(16 * s, 24 * s, 2.0 * s), white)
    elif mark == "critical":
        img.shape(capsule(10.5 * s, 10.5 * s, 21.5 * s, 21.5 * s, 2.1 * s), white)
        img.shape(capsule(21.5 * s, 10.5 * s, 10.5 * s, 21.5 * s, 2.1 * s), white)
    return img


def folder(size):
    img = Image(size, size)
    s = size / 32.0
    img.shape(rounded(2 * s, 5 * s, 14 * s, 12 * s, 1.5 * s), (214, 164, 50, 255))
    img.shape(rounded(2 * s, 8 * s, 30 * s, 27 * s, 2 * s), (214, 164, 50, 255))
    img.shape(rounded(3 * s, 11 * s, 29 * s, 26 * s, 1.5 * s),
              vgradient((255, 222, 130, 255), (240, 190, 70, 255), int(11 * s), int(26 * s)))
    return img


def window_button(kind):
    """12 x 12 glyphs in four frames: normal, hovered, pressed, disabled."""
    img = Image(12 * 4, 12)
    for i, c in enumerate((TEXT, (0, 84, 153, 255), (0, 60, 116, 255), TEXT_OFF)):
        x0 = i * 12
        if kind == "close":
            img.shape(capsule(x0 + 2.5, 2.5, x0 + 9.5, 9.5, 0.9), c)
            img.shape(capsule(x0 + 9.5, 2.5, x0 + 2.5, 9.5, 0.9), c)
        elif kind == "maximize":
            img.shape(ring(lambda x, y, x0=x0: x0 + 2 <= x < x0 + 10 and 2 <= y < 10,
                           lambda x, y, x0=x0: x0 + 3 <= x < x0 + 9 and 4 <= y < 9), c)
        else:
            img.shape(lambda x, y, x0=x0: x0 + 2 <= x < x0 + 10 and 8 <= y < 10, c)
    return img


def make_images():
    path = lambda name: os.path.join(ROOT, "images", name)
    help_button = Image(12 * 4, 12)
    for i, c in enumerate((TEXT, (0, 84, 153, 255), (0, 60, 116, 255), TEXT_OFF)):
        x0 = i * 12
        help_button.shape(arc(x0 + 6, 4.3, 2.6, 1.6, 280, 150), c)
        help_button.shape(capsule(x0 + 7.8, 6.2, x0 + 6, 7.6, 0.8), c)
        help_button.shape(disc(x0 + 6, 10, 1.0), c)
    help_button.save(path("DialogHelpButton.png"))
    folder(32).save(path("DirectoryBig.png"))
    folder(16).save(path("DirectorySmall.png"))
    colors = {"Information": (30, 110, 210, 255), "Question": (30, 110, 210, 255),
              "Warning": (255, 206, 40, 255), "Critical": (210, 40, 40, 255)}
    for size_name, size in (("Big", 32), ("Medium", 24), ("Small", 16)):
        for kind, color in colors.items():
            badge(size, color, kind.lower()).save(path("%s%s.png" % (kind, size_name)))
    window_button("close").save(path("WindowCloseButton.png"))
    window_button("maximize").save(path("WindowMaximizeButton.png"))
    window_button("minimize").save(path("WindowMinimizeButton.png"))
    focus = Image(3, 3)  # a dotted focus frame: grid 1,1,1 tiles the dots along the edges
    for x, y in ((0, 0), (2, 0), (1, 1), (0, 2), (2, 2)):
        focus.shape(lambda px, py, x=x, y=y: x <= px < x + 1 and y <= py < y + 1, (0, 0, 0, 160))
    focus.save(path("Focus.png"))


def write_skins_xml():
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<skins>"]
    for name, count, w, h, columns, rows in SKINS:
        attrs = 'name="%s" count="%d" width="%d" height="%d" orientation="h"' % (name, count, w, h)
        if columns and rows:
            attrs += ' columns="%s" rows="%s"' % (columns, rows)
        lines.append("    <skin %s />" % attrs)
    lines.append("</skins>")
    with open(os.path.join(ROOT, "xml", "skins.xml"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    make_basic_skins()
    make_lists_skins()
    make_text_skins()
    make_menus_skins()
    make_images()
    write_skins_xml()
