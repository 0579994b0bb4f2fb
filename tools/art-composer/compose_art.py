#!/usr/bin/env python3
"""Draws the editor's pictures as SVG, from the art layout the skin generator writes.

    compose_art.py LAYOUT ART_FOLDER OUTPUT_FOLDER FILE.png...

The layout (tarsel-skin-generator's third output) lists the skin's colours,
the images its looks draw (a rectangle of a picture file each) and the places
of its controls. For every picture file named on the command line this writes
OUTPUT_FOLDER/<file>.svg, as large as the images placed in it, with each image
drawn in its rectangle: the keyboard from the places of the device view's
controls, the tiles' elements in their four states, and the logos from their
hand-drawn sources in ART_FOLDER. The build renders the SVGs to PNG with
rsvg-convert. A picture file the layout names and the command line does not
(or the other way round), or an image nobody draws, stops the build.
"""

import math
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

SVG_NAMESPACE = "http://www.w3.org/2000/svg"


class Layout:
    """The layout file: colours by name, images by name, controls by path."""

    def __init__(self, path):
        self.colours = {}
        self.images = {}
        self.controls = {}
        for number, line in enumerate(Path(path).read_text().splitlines(), 1):
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            try:
                self._add(words)
            except (IndexError, ValueError) as error:
                raise SystemExit(f"{path}:{number}: cannot read the line ({error})")

    def _add(self, words):
        kind = words[0]
        if kind == "colour":
            self.colours[words[1]] = int(words[2], 16)
        elif kind == "image":
            x, y, w, h = map(int, words[3:7])
            self.images[words[1]] = {"file": words[2], "x": x, "y": y, "w": w, "h": h}
        elif kind == "control":
            x, y, w, h = map(int, words[3:7])
            self.controls[words[1]] = {"class": words[2], "x": x, "y": y, "w": w, "h": h,
                                       "visible": words[7] == "True"}
        else:
            raise ValueError(f"unknown entry {kind}")

    def control(self, path):
        if path not in self.controls:
            raise SystemExit(f"compose_art: the layout has no control {path}")
        return self.controls[path]

    def below(self, prefix, last_name):
        """The controls under prefix whose name is last_name, in layout order."""
        return [c for path, c in self.controls.items()
                if path.startswith(prefix + "/") and path.rsplit("/", 1)[1] == last_name]


class Palette:
    """The skin's colours as SVG paint, lightened where asked."""

    def __init__(self, colours):
        self.colours = colours

    def argb(self, name):
        if name not in self.colours:
            raise SystemExit(f"compose_art: the palette has no colour {name}")
        return self.colours[name]

    def __call__(self, name, lift=0.0):
        return rgb_text(self.argb(name), lift)


def rgb_text(argb, lift=0.0):
    channels = [(argb >> shift) & 0xFF for shift in (16, 8, 0)]
    channels = [round(c + (255 - c) * lift) for c in channels]
    return "#%02X%02X%02X" % tuple(channels)


def mix(a, b, t):
    """The colour t of the way from text colour a to text colour b."""
    ca = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    cb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#%02X%02X%02X" % tuple(round(x + (y - x) * t) for x, y in zip(ca, cb))


def rect(x, y, w, h, rx=0, **attributes):
    return element("rect", x=x, y=y, width=w, height=h, rx=rx, **attributes)


def element(name, text=None, **attributes):
    parts = []
    for key, value in attributes.items():
        if value is None:
            continue
        if isinstance(value, float):
            value = f"{value:.2f}".rstrip("0").rstrip(".")
        parts.append(f'{key.rstrip("_").replace("_", "-")}="{value}"')
    head = f"<{name} {' '.join(parts)}"
    return f"{head}>{text}</{name}>" if text is not None else head + "/>"


class Gradients:
    """Linear gradients of a document, defined once each."""

    def __init__(self):
        self.definitions = {}

    def vertical(self, top, bottom, horizontal=False):
        key = ("h" if horizontal else "v") + top + bottom
        if key not in self.definitions:
            ident = f"g{len(self.definitions)}"
            x2, y2 = ("1", "0") if horizontal else ("0", "1")
            self.definitions[key] = (ident, f'<linearGradient id="{ident}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
                                            f'<stop offset="0" stop-color="{top}"/>'
                                            f'<stop offset="1" stop-color="{bottom}"/></linearGradient>')
        return f"url(#{self.definitions[key][0]})"

    def cylinder(self, edge, middle):
        """Dark edges, light middle, across: a wheel seen from above."""
        key = "c" + edge + middle
        if key not in self.definitions:
            ident = f"g{len(self.definitions)}"
            self.definitions[key] = (ident, f'<linearGradient id="{ident}" x1="0" y1="0" x2="0" y2="1">'
                                            f'<stop offset="0" stop-color="{edge}"/>'
                                            f'<stop offset="0.5" stop-color="{middle}"/>'
                                            f'<stop offset="1" stop-color="{edge}"/></linearGradient>')
        return f"url(#{self.definitions[key][0]})"

    def svg(self):
        return "<defs>" + "".join(d for _, d in self.definitions.values()) + "</defs>"


# --- The tiles' elements: (width, height, palette, gradients, selected, hover) -> SVG ---

class Element:
    def __init__(self, w, h, palette, gradients, selected, hover):
        self.w, self.h = w, h
        self.p, self.g = palette, gradients
        self.selected, self.hover = selected, hover
        self.lift = 0.15 if hover else 0.0

    def face(self, name):
        return self.p(name, self.lift)

    def accent_or(self, name):
        return self.p("Accent") if self.selected else self.face(name)


def draw_knob(e):
    c = e.w / 2
    parts = []
    if e.selected:  # the lit ring around the knob
        parts.append(element("circle", cx=c, cy=c, r=c - 2.5, fill="none", stroke=e.p("Accent"),
                             stroke_width=4, stroke_opacity=0.35))
        parts.append(element("circle", cx=c, cy=c, r=c - 2.5, fill="none", stroke=e.p("AccentHover"),
                             stroke_width=1.5))
    parts.append(element("circle", cx=c, cy=c, r=c - 5, fill=e.g.vertical(e.face("Thumb"), e.face("Element")),
                         stroke=e.p("Channel"), stroke_width=1))
    parts.append(element("circle", cx=c, cy=c, r=c - 10, fill=e.g.vertical(e.face("ElementHover"), e.face("Element")),
                         stroke=e.p("Channel"), stroke_opacity=0.6, stroke_width=1))
    pointer = e.p("AccentHover", 0.3) if e.selected else e.p("Mark", e.lift)
    angle = math.radians(-40)
    x1, y1 = c + math.sin(angle) * 4, c - math.cos(angle) * 4
    x2, y2 = c + math.sin(angle) * (c - 7), c - math.cos(angle) * (c - 7)
    parts.append(element("line", x1=x1, y1=y1, x2=x2, y2=y2, stroke=pointer, stroke_width=2.5,
                         stroke_linecap="round"))
    return "".join(parts)


def draw_fader(e):
    slot_w = 4
    sx = (e.w - slot_w) / 2
    cap_h = 18
    cap_y = (e.h - cap_h) / 2
    parts = [rect(sx, 2, slot_w, e.h - 4, rx=2, fill=e.p("Channel"), stroke=e.p("Window"), stroke_width=1)]
    if e.selected:  # the value shown lit below the cap
        parts.append(rect(sx + 0.5, cap_y + cap_h, slot_w - 1, e.h - 2.5 - cap_y - cap_h, rx=1.5, fill=e.p("Accent")))
    parts.append(rect(2, cap_y, e.w - 4, cap_h, rx=3, fill=e.g.vertical(e.face("ThumbHover"), e.face("Button")),
                      stroke=e.p("Channel"), stroke_width=1))
    for dy in (-4, 4):
        parts.append(element("line", x1=5, y1=cap_y + cap_h / 2 + dy, x2=e.w - 5, y2=cap_y + cap_h / 2 + dy,
                             stroke=e.p("Channel"), stroke_opacity=0.5, stroke_width=1))
    parts.append(element("line", x1=4, y1=cap_y + cap_h / 2, x2=e.w - 4, y2=cap_y + cap_h / 2,
                         stroke=e.p("AccentHover", 0.2) if e.selected else e.p("Mark", e.lift), stroke_width=2))
    return "".join(parts)


def draw_rubber(e, radius):
    """A rubber button or pad: a raised, rounded face; lit around its edge while selected."""
    parts = [rect(1, 1, e.w - 2, e.h - 2, rx=radius, fill=e.g.vertical(e.face("ButtonHover"), e.face("Element")),
                  stroke=e.p("Channel"), stroke_width=1)]
    parts.append(rect(3, 2.5, e.w - 6, e.h / 2 - 2, rx=radius - 1, fill="#FFFFFF", fill_opacity=0.05))
    if e.selected:
        parts.append(rect(2, 2, e.w - 4, e.h - 4, rx=radius - 1, fill=e.p("Accent"), fill_opacity=0.25,
                          stroke=e.p("AccentHover"), stroke_width=2))
    return "".join(parts)


def draw_push_button(e):
    return draw_rubber(e, 5)


def draw_pad(e):
    parts = [draw_rubber(e, 6)]
    # The pad's pressure area, a square inset in its face.
    parts.append(rect(8, 7, e.w - 16, e.h - 14, rx=4, fill="none", stroke=e.p("Channel"), stroke_opacity=0.45,
                      stroke_width=1))
    return "".join(parts)


def draw_wheel(e):
    slot_x, slot_w = 8, e.w - 16
    parts = [rect(slot_x, 1, slot_w, e.h - 2, rx=5, fill=e.p("Channel"),
                  stroke=e.p("AccentHover") if e.selected else e.p("Window"), stroke_width=1.5 if e.selected else 1)]
    wheel = e.g.cylinder(e.face("Channel"), e.face("Thumb"))
    parts.append(rect(slot_x + 4, 4, slot_w - 8, e.h - 8, rx=3, fill=wheel))
    for y in range(8, e.h - 7, 4):  # the wheel's grip
        parts.append(element("line", x1=slot_x + 5, y1=y, x2=slot_x + slot_w - 5, y2=y, stroke=e.p("Channel"),
                             stroke_opacity=0.45, stroke_width=1))
    parts.append(rect(slot_x + 4, e.h / 2 - 1.5, slot_w - 8, 3,
                      fill=e.p("AccentHover") if e.selected else e.p("Mark", e.lift)))
    return "".join(parts)


def socket(e, x, y):
    """A pedal's jack socket: its nut and hole."""
    return (element("circle", cx=x, cy=y, r=6, fill=e.face("Thumb"), stroke=e.p("Channel"), stroke_width=1) +
            element("circle", cx=x, cy=y, r=2.5, fill=e.p("Channel")))


def frame(e):
    """The raised plate every pedal and axis button sits on; lit while selected."""
    return rect(1, 1, e.w - 2, e.h - 2, rx=6, fill=e.g.vertical(e.p("Element", e.lift + 0.04), e.face("Group")),
                stroke=e.p("AccentHover") if e.selected else e.p("ElementEdge"), stroke_width=2 if e.selected else 1)


def draw_sustain_pedal(e):
    ink = e.p("AccentHover") if e.selected else e.p("Mark", e.lift)
    parts = [frame(e), socket(e, 12, 12)]
    # A foot switch: a rounded plate with its tread.
    parts.append(rect(e.w / 2 - 10, 14, 24, 32, rx=5, fill=e.face("Button"), stroke=ink, stroke_width=1.5))
    for y in range(20, 42, 5):
        parts.append(element("line", x1=e.w / 2 - 6, y1=y, x2=e.w / 2 + 10, y2=y, stroke=ink, stroke_width=1.2,
                             stroke_opacity=0.8))
    parts.append(element("path", d=f"M12 18 Q12 30 {e.w / 2 - 10} 30", fill="none", stroke=ink, stroke_width=1.2))
    return "".join(parts)


def draw_volume_pedal(e):
    ink = e.p("AccentHover") if e.selected else e.p("Mark", e.lift)
    parts = [frame(e), socket(e, 12, 12)]
    # An expression pedal, tilted: wider at the toe than at the heel.
    x = e.w / 2 + 2
    parts.append(element("path", d=f"M{x - 8} 44 L{x + 8} 44 L{x + 11} 12 L{x - 11} 12 Z", fill=e.face("Button"),
                         stroke=ink, stroke_width=1.5, stroke_linejoin="round"))
    parts.append(rect(x - 9, 44, 18, 4, rx=1.5, fill=ink))  # its hinge
    for y in range(17, 40, 5):
        parts.append(element("line", x1=x - 7, y1=y, x2=x + 7, y2=y, stroke=ink, stroke_width=1.2,
                             stroke_opacity=0.8))
    parts.append(element("path", d=f"M12 18 Q12 30 {x - 10} 30", fill="none", stroke=ink, stroke_width=1.2))
    return "".join(parts)


def draw_axis(e, letter):
    ink = e.p("AccentHover", 0.25) if e.selected else e.p("Text", e.lift * 0.5)
    parts = [frame(e)]
    cx, cy, s = e.w / 2, e.h / 2 - 4, 10
    if letter == "X":
        d = f"M{cx - s} {cy - s} L{cx + s} {cy + s} M{cx + s} {cy - s} L{cx - s} {cy + s}"
        arrow = f"M{cx - 16} {e.h - 8} L{cx + 16} {e.h - 8} M{cx - 12} {e.h - 11} L{cx - 16} {e.h - 8} " \
                f"L{cx - 12} {e.h - 5} M{cx + 12} {e.h - 11} L{cx + 16} {e.h - 8} L{cx + 12} {e.h - 5}"
    else:
        d = f"M{cx - s} {cy - s} L{cx} {cy} L{cx + s} {cy - s} M{cx} {cy} L{cx} {cy + s}"
        arrow = f"M{e.w - 9} {cy - 14} L{e.w - 9} {cy + 18} M{e.w - 12} {cy - 10} L{e.w - 9} {cy - 14} " \
                f"L{e.w - 6} {cy - 10} M{e.w - 12} {cy + 14} L{e.w - 9} {cy + 18} L{e.w - 6} {cy + 14}"
    parts.append(element("path", d=d, fill="none", stroke=ink, stroke_width=4.5, stroke_linecap="round",
                         stroke_linejoin="round"))
    parts.append(element("path", d=arrow, fill="none", stroke=e.p("TextDim"), stroke_width=1.3,
                         stroke_linecap="round", stroke_linejoin="round"))
    return "".join(parts)


# White keys' positions of the black keys in an octave: after C, D, F, G and A.
BLACK_AFTER = (0, 1, 3, 4, 5)


def keys(x, y, w, h, octaves, white, black, edge):
    """A keybed of whole octaves across the rectangle."""
    count = 7 * octaves
    key_w = w / count
    parts = [rect(x, y, w, h, fill=white)]
    for k in range(1, count):
        parts.append(element("line", x1=x + k * key_w, y1=y, x2=x + k * key_w, y2=y + h, stroke=edge, stroke_width=1))
    for octave in range(octaves):
        for after in BLACK_AFTER:
            k = octave * 7 + after + 1
            parts.append(rect(x + k * key_w - key_w * 0.3, y, key_w * 0.6, h * 0.6, rx=1, fill=black))
    return "".join(parts)


def draw_zone(e):
    white = e.p("Keys", e.lift) if not e.selected else mix(e.p("Keys"), e.p("AccentHover"), 0.35)
    parts = [keys(0, 0, e.w, e.h, 2, white, e.p("Channel"), e.p("KeysEdge"))]
    # The zone's top edge: the accent while selected, the keybed's shadow otherwise.
    parts.append(rect(0, 0, e.w, 3, fill=e.p("Accent") if e.selected else e.p("Channel")))
    if e.selected:
        parts.append(rect(0.75, 0.75, e.w - 1.5, e.h - 1.5, fill="none", stroke=e.p("Accent"), stroke_width=1.5))
    return "".join(parts)


ELEMENTS = {
    "Knob": draw_knob, "Fader": draw_fader, "PushButton": draw_push_button, "Pad": draw_pad,
    "Wheel": draw_wheel, "SustainPedal": draw_sustain_pedal, "VolumePedal": draw_volume_pedal,
    "AxisX": lambda e: draw_axis(e, "X"), "AxisY": lambda e: draw_axis(e, "Y"), "Zone": draw_zone,
}
STATES = {"Off": (False, False), "OffHover": (False, True), "On": (True, False), "OnHover": (True, True)}


def draw_tile_image(name, image, palette, gradients):
    kind, state = name[len("Art."):].rsplit(".", 1)
    if kind not in ELEMENTS or state not in STATES:
        return None
    selected, hover = STATES[state]
    return ELEMENTS[kind](Element(image["w"], image["h"], palette, gradients, selected, hover))


# --- The keyboard ---

DEVICE = "mainControl/viewDevice"
GROUPS = ("encoders", "faders", "buttons", "pads", "wheels", "pedals", "xyPad", "keybedZones")


class Keyboard:
    """The keyboard's picture, in the coordinates of the device view's body label."""

    def __init__(self, layout, image, palette, gradients):
        self.layout, self.p, self.g = layout, palette, gradients
        self.w, self.h = image["w"], image["h"]
        body = layout.control(DEVICE + "/deviceBody")
        self.ox, self.oy = body["x"], body["y"]

    def place(self, control, grow=0):
        return (control["x"] - self.ox - grow, control["y"] - self.oy - grow,
                control["w"] + 2 * grow, control["h"] + 2 * grow)

    def distinct(self, controls):
        """One of each place: the banks of a group share their tiles' places."""
        seen, result = set(), []
        for c in controls:
            key = (c["x"], c["y"], c["w"], c["h"])
            if key not in seen:
                seen.add(key)
                result.append(c)
        return result

    def draw(self):
        parts = [self.body()]
        for group in GROUPS:
            parts.append(self.well(self.layout.control(f"{DEVICE}/{group}")))
        parts.append(self.knob_scales())
        parts.append(self.fader_scales())
        parts.append(self.leds())
        parts.append(self.displays())
        parts.append(self.preset_display())
        parts.append(self.xy_surface())
        parts.append(self.logotype())
        return "".join(parts)

    def body(self):
        top, bottom = self.p("Body", 0.03), mix(self.p("Body"), self.p("Window"), 0.5)
        return (rect(0.5, 0.5, self.w - 1, self.h - 1, rx=14, fill=self.g.vertical(top, bottom),
                     stroke=self.p("BodyEdge"), stroke_width=1) +
                element("line", x1=14, y1=1.5, x2=self.w - 14, y2=1.5, stroke="#FFFFFF", stroke_opacity=0.08,
                        stroke_width=1))

    def well(self, group):
        x, y, w, h = self.place(group)
        return (rect(x + 0.5, y + 0.5, w - 1, h - 1, rx=8, fill=self.p("Group"), stroke=self.p("GroupEdge"),
                     stroke_width=1) +
                element("line", x1=x + 8, y1=y + 1.5, x2=x + w - 8, y2=y + 1.5, stroke="#000000",
                        stroke_opacity=0.35, stroke_width=1))

    def knob_scales(self):
        """The scale printed around every encoder: dots over three quarters of a turn, but for the one at
        the top, which would touch the encoder's number above it."""
        parts = []
        for knob in self.distinct(self.layout.below(f"{DEVICE}/encoders", "button")):
            x, y, w, h = self.place(knob)
            cx, cy, r = x + w / 2, y + h / 2, w / 2 + 2.5
            for step in range(11):
                angle = math.radians(-135 + 27 * step)
                dot_x, dot_y = cx + math.sin(angle) * r, cy - math.cos(angle) * r
                if dot_y < y:
                    continue
                parts.append(element("circle", cx=dot_x, cy=dot_y, r=1.1 if step % 5 else 1.5,
                                     fill=self.p("TextFaint")))
        return "".join(parts)

    def fader_scales(self):
        """Ticks beside every fader's travel."""
        parts = []
        for fader in self.distinct(self.layout.below(f"{DEVICE}/faders", "button")):
            x, y, w, h = self.place(fader)
            for step in range(11):
                ty = y + 11 + (h - 22) * step / 10
                length = 6 if step % 5 == 0 else 3
                parts.append(element("line", x1=x - length - 1, y1=ty, x2=x - 1, y2=ty, stroke=self.p("TextFaint"),
                                     stroke_width=1))
        return "".join(parts)

    def leds(self):
        """The unlit LED strip under every push button and pad: what the colour "Off" shows."""
        parts = []
        for group in ("buttons", "pads"):
            for led in self.distinct(self.layout.below(f"{DEVICE}/{group}", "color")):
                x, y, w, h = self.place(led)
                parts.append(rect(x, y, w, h, rx=2, fill=self.p("Channel"), stroke=self.p("Window"), stroke_width=1))
        return "".join(parts)

    def displays(self):
        """The small screen every tile shows its channel and message on."""
        parts = []
        for group in GROUPS:
            for view in self.distinct(self.layout.below(f"{DEVICE}/{group}", "viewPanel")):
                x, y, w, h = self.place(view, grow=-1)
                parts.append(rect(x + 0.5, y + 0.5, w - 1, h - 1, rx=3, fill=self.p("Channel"),
                                  stroke=self.p("Window"), stroke_width=1))
        return "".join(parts)

    def preset_display(self):
        """The screen of the preset's name, and the recess of the bank buttons."""
        x, y, w, h = self.place(self.layout.control(f"{DEVICE}/presetNameEditPanel/textBox"), grow=3)
        bx, by, bw, bh = self.place(self.layout.control(f"{DEVICE}/groupBankPanel"), grow=0)
        return (rect(x, y, w, h, rx=5, fill=self.p("Window"), stroke=self.p("GroupEdge"), stroke_width=1) +
                rect(bx - 4, by - 2, bw + 8, bh + 4, rx=6, fill=self.p("Group"), stroke=self.p("GroupEdge"),
                     stroke_width=1))

    def xy_surface(self):
        """The X/Y pad's touch surface, in the room between its axis buttons and the faders' right edge."""
        xy_x, xy_y, xy_w, xy_h = self.place(self.layout.control(f"{DEVICE}/xyPad"))
        fx, _, fw, _ = self.place(self.layout.control(f"{DEVICE}/faders"))
        room = fx + fw - (xy_x + xy_w)
        size = min(room - 10, xy_h - 8)
        if size < 24:
            return ""
        x = xy_x + xy_w + (room - size) / 2
        y = xy_y + (xy_h - size) / 2
        parts = [rect(x, y, size, size, rx=8, fill=self.g.vertical(self.p("Element"), self.p("Group")),
                      stroke=self.p("ElementEdge"), stroke_width=1)]
        for k in range(1, 4):
            offset = size * k / 4
            parts.append(element("line", x1=x + offset, y1=y + 6, x2=x + offset, y2=y + size - 6,
                                 stroke=self.p("GroupEdge"), stroke_width=1))
            parts.append(element("line", x1=x + 6, y1=y + offset, x2=x + size - 6, y2=y + offset,
                                 stroke=self.p("GroupEdge"), stroke_width=1))
        parts.append(element("circle", cx=x + size * 0.62, cy=y + size * 0.38, r=5, fill=self.p("Accent"),
                             fill_opacity=0.8))
        return "".join(parts)

    def logotype(self):
        """The maker's and the product's names in the room below the pads."""
        px, py, pw, ph = self.place(self.layout.control(f"{DEVICE}/pads"))
        zy = self.place(self.layout.control(f"{DEVICE}/keybedZones"))[1]
        room = zy - (py + ph)
        if room < 30:
            return ""
        cx, cy = px + pw / 2, py + ph + room / 2
        return (element("text", "TARSEL", x=cx, y=cy + 8, fill=self.p("Text"), font_family="DejaVu Sans",
                        font_weight="bold", font_size=26, letter_spacing=9, text_anchor="middle") +
                element("text", "HALVERN", x=cx, y=cy - 18, fill=self.p("TextDim"), font_family="DejaVu Sans",
                        font_size=9, letter_spacing=4, text_anchor="middle") +
                rect(cx - 60, cy + 16, 120, 2, fill=self.p("Accent")))


# --- Hand-drawn images: the sources in the art folder, scaled into their rectangles ---

HAND_DRAWN = {"Art.Logo.Halvern": "HalvernLogo.svg", "Art.Logo.Product": "TarselLogo.svg"}


def nested_source(path, image):
    ElementTree.register_namespace("", SVG_NAMESPACE)
    root = ElementTree.parse(path).getroot()
    if root.get("viewBox") is None:
        raise SystemExit(f"compose_art: {path} has no viewBox")
    for key, value in (("x", 0), ("y", 0), ("width", image["w"]), ("height", image["h"])):
        root.set(key, str(value))
    return ElementTree.tostring(root, encoding="unicode")


def compose(file_name, images, layout, art_folder):
    palette, gradients = Palette(layout.colours), Gradients()
    width = max(i["x"] + i["w"] for i in images.values())
    height = max(i["y"] + i["h"] for i in images.values())
    cells = []
    for name, image in images.items():
        if name == "Art.Keyboard":
            content = Keyboard(layout, image, palette, gradients).draw()
        elif name in HAND_DRAWN:
            content = nested_source(art_folder / HAND_DRAWN[name], image)
        else:
            content = draw_tile_image(name, image, palette, gradients)
        if content is None:
            raise SystemExit(f"compose_art: nothing draws the image {name} of {file_name}")
        cells.append(f'<svg x="{image["x"]}" y="{image["y"]}" width="{image["w"]}" height="{image["h"]}" '
                     f'overflow="hidden">{content}</svg>')
    return (f'<svg xmlns="{SVG_NAMESPACE}" width="{width}" height="{height}" viewBox="0 0 {width} {height}">'
            f'<!-- Drawn by tools/art-composer from the art layout; edit the composer, not this file. -->'
            f'{gradients.svg()}{"".join(cells)}</svg>\n')


def main(arguments):
    if len(arguments) < 4:
        raise SystemExit("usage: compose_art.py LAYOUT ART_FOLDER OUTPUT_FOLDER FILE.png...")
    layout = Layout(arguments[0])
    art_folder, output = Path(arguments[1]), Path(arguments[2])
    wanted = set(arguments[3:])
    by_file = {}
    for name, image in layout.images.items():
        by_file.setdefault(image["file"], {})[name] = image
    if set(by_file) != wanted:
        raise SystemExit(f"compose_art: the skin's pictures are {sorted(by_file)}, the build renders {sorted(wanted)}")
    output.mkdir(parents=True, exist_ok=True)
    for file_name, images in sorted(by_file.items()):
        svg = compose(file_name, images, layout, art_folder)
        (output / (Path(file_name).stem + ".svg")).write_text(svg)


if __name__ == "__main__":
    main(sys.argv[1:])
