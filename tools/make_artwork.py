#!/usr/bin/env python3
"""Draws the skin bitmaps and the program icon of stel7.exe.

The build does not run this; its outputs live in res/ and res/bitmaps/.
Needs ImageMagick's convert and fonts-nanum.

The band pieces are cut from one drawing of the whole window background,
so pieces that the program tiles side by side always meet without a seam,
and the buttons are drawn on top of a cut of the background they cover.
Every bitmap is written as a 24-bit uncompressed BMP: the program loads
them as DDBs and blits them, and the list image lists key on pure magenta.
"""
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")
BITMAPS = os.path.join(RES, "bitmaps")

FONT_DIR = "/usr/share/fonts/truetype/nanum"
FONT_BOLD = os.path.join(FONT_DIR, "NanumSquareB.ttf")

# The background is drawn for a 1000 x 690 client area, the window's size
# at start-up; the band rows are fixed by the layout code.
W, H = 1000, 690
TOOLBAR_TOP, BODY_TOP, FOOTER_TOP = 53, 116, H - 82

# Palette.
FRAME = "#101C38"           # window surround, below the header gradient
HEADER_TOP = "#1F3769"
BAR_TOP = "#3C6BBA"         # toolbar band, top of its gradient
RING = "#2A5198"            # toolbar bottom and the ring around the content
RING_LINE = "#1B3A73"       # one-pixel line between ring and content
CONTENT = "#F0F0F0"         # the body's solid fill (240, 240, 240)
ACCENT = "#F58220"
ACCENT_HOVER = "#FF9A3D"
ACCENT_PRESSED = "#D2680C"
FIELD_EDGE = "#17305F"
TAB_TEXT_ON = "#16305F"
TAB_TEXT_OFF = "#EEF3FF"
MAGENTA = "#FF00FF"

# The card: an 8-pixel surround, a 13-pixel ring, rounded outer corners.
CARD_LEFT, CARD_RIGHT = 8, W - 9
CARD_TOP = TOOLBAR_TOP + 6
CARD_BOTTOM = FOOTER_TOP + 73
CONTENT_LEFT, CONTENT_RIGHT = 21, W - 22
CONTENT_BOTTOM = FOOTER_TOP + 59

# The search box frame and the search button, at the layout's places.
FIELD_TOP, FIELD_HEIGHT = 84, 29
FIELD_LEFT = 420
FIELD_RIGHT_END = W - 140          # first column of the search button
SECTION_TOP, SECTION_W, SECTION_H = 81, 98, 35

SECTIONS = [  # (label, file; "_on" marks the picture of the section shown)
    ("검색", "section_search"),
    ("채널영상", "section_channel"),
    ("음악", "section_music"),
    ("유머", "section_humor"),
]


class Artist:
    def __init__(self, work):
        self.work = work

    def tmp(self, name):
        return os.path.join(self.work, name)

    @staticmethod
    def convert(*args):
        subprocess.run(["convert", *[str(a) for a in args]], check=True)

    def save_bmp(self, src, name, crop=None):
        """Writes res/bitmaps/<name>.bmp from src, cut to crop=(x, y, w, h)."""
        args = [src]
        if crop:
            x, y, w, h = crop
            args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        args += ["-alpha", "off", "-compress", "none", "-type", "TrueColor",
                 "BMP3:" + os.path.join(BITMAPS, name + ".bmp")]
        self.convert(*args)

    def masked(self, base, fill, mask, out):
        """Paints fill over base where mask is white."""
        self.convert(base, fill, mask, "-composite", out)

    # ---- background ------------------------------------------------------

    def background(self):
        base = self.tmp("base.png")
        self.convert("-size", f"{W}x{H}", f"xc:{FRAME}",
                     "(", "-size", f"{W}x{TOOLBAR_TOP}", f"gradient:{HEADER_TOP}-{FRAME}", ")",
                     "-geometry", "+0+0", "-composite", base)

        # The card fill: the toolbar gradient down to the body, the ring colour below.
        bar_rows = BODY_TOP - CARD_TOP
        card_fill = self.tmp("card_fill.png")
        self.convert("-size", f"{W}x{H}", f"xc:{RING}",
                     "(", "-size", f"{W}x{bar_rows}", f"gradient:{BAR_TOP}-{RING}", ")",
                     "-geometry", f"+0+{CARD_TOP}", "-composite", card_fill)
        card_mask = self.tmp("card_mask.png")
        self.convert("-size", f"{W}x{H}", "xc:black", "-fill", "white",
                     "-draw", f"roundrectangle {CARD_LEFT},{CARD_TOP} {CARD_RIGHT},{CARD_BOTTOM} 10,10",
                     card_mask)
        self.masked(base, card_fill, card_mask, base)

        self.convert(base, "+antialias",
                     "-fill", RING_LINE,
                     "-draw", f"rectangle {CONTENT_LEFT - 1},{BODY_TOP} {CONTENT_RIGHT + 1},{CONTENT_BOTTOM + 1}",
                     "-fill", CONTENT,
                     "-draw", f"rectangle {CONTENT_LEFT},{BODY_TOP} {CONTENT_RIGHT},{CONTENT_BOTTOM}",
                     base)
        return base

    def bands(self, base):
        self.save_bmp(base, "header_fill", (W // 2, 0, 1, TOOLBAR_TOP))
        self.save_bmp(base, "toolbar_left", (0, TOOLBAR_TOP, 24, 63))
        self.save_bmp(base, "toolbar_fill", (W // 2, TOOLBAR_TOP, 1, 63))
        self.save_bmp(base, "toolbar_right", (W - 24, TOOLBAR_TOP, 24, 63))
        self.save_bmp(base, "body_left", (0, H // 2, 21, 1))
        self.save_bmp(base, "body_right", (W - 21, H // 2, 21, 1))
        self.save_bmp(base, "footer_left", (0, FOOTER_TOP, 24, 82))
        self.save_bmp(base, "footer_fill", (W // 2, FOOTER_TOP, 1, 82))
        self.save_bmp(base, "footer_right", (W - 24, FOOTER_TOP, 24, 82))

    def logo(self, base):
        # An orange disc with a play mark, then the product name.
        logo = self.tmp("logo.png")
        self.convert(base, "-crop", f"199x{TOOLBAR_TOP}+0+0", "+repage",
                     "-fill", "#0B1630", "-draw", "circle 32,28 32,44",
                     "-fill", ACCENT, "-draw", "circle 31,26 31,42",
                     "-fill", "white", "-draw", "polygon 26,18 26,34 40,26",
                     "-font", FONT_BOLD, "-pointsize", "27", "-fill", "white",
                     "-gravity", "west", "-annotate", "+58+1", "스텔론",
                     logo)
        self.save_bmp(logo, "header_logo")

    def search_box(self, base):
        field = self.tmp("field.png")
        right = FIELD_RIGHT_END + 12    # runs under the button: no right end
        bottom = FIELD_TOP + FIELD_HEIGHT - 1
        self.convert(base, "-fill", "white", "-stroke", FIELD_EDGE, "-strokewidth", "1",
                     "-draw", f"roundrectangle {FIELD_LEFT + 0.5},{FIELD_TOP + 0.5} "
                              f"{right},{bottom - 0.5} 6,6",
                     field)
        self.save_bmp(field, "searchbox_left", (FIELD_LEFT, FIELD_TOP, 50, FIELD_HEIGHT))
        self.save_bmp(field, "searchbox_fill", (W // 2, FIELD_TOP, 1, FIELD_HEIGHT))
        self.save_bmp(field, "searchbox_right", (W - 190, FIELD_TOP, 50, FIELD_HEIGHT))

    def search_button(self, base):
        back = self.tmp("search_back.png")
        self.convert(base, "-crop", f"65x{FIELD_HEIGHT}+{FIELD_RIGHT_END}+{FIELD_TOP}", "+repage", back)
        # Square on the left where it meets the box, rounded on the right.
        shape = f"roundrectangle -8,0 63.5,{FIELD_HEIGHT - 1} 6,6"
        looks = [("search_normal", ACCENT, 0), ("search_hover", ACCENT_HOVER, 0),
                 ("search_pressed", ACCENT_PRESSED, 1)]
        for name, colour, shift in looks:
            out = self.tmp(name + ".png")
            self.convert(back, "-fill", colour, "-draw", shape,
                         "-font", FONT_BOLD, "-pointsize", "14", "-fill", "white",
                         "-gravity", "center", "-annotate", f"+{shift}+{1 + shift}", "검색",
                         out)
            self.save_bmp(out, name)

    def section_buttons(self, base):
        back = self.tmp("section_back.png")
        self.convert(base, "-crop", f"{SECTION_W}x{SECTION_H}+24+{SECTION_TOP}", "+repage", back)

        # Shown: a tab of the content colour that opens into the body, with an accent cap.
        on_mask = self.tmp("section_on_mask.png")
        self.convert("-size", f"{SECTION_W}x{SECTION_H}", "xc:black", "-fill", "white",
                     "-draw", f"roundrectangle 1,0 {SECTION_W - 2},{SECTION_H + 10} 6,6", on_mask)
        on_fill = self.tmp("section_on_fill.png")
        self.convert("-size", f"{SECTION_W}x{SECTION_H}", f"xc:{CONTENT}",
                     "-fill", ACCENT, "-draw", f"rectangle 0,0 {SECTION_W},2", on_fill)
        on_back = self.tmp("section_on_back.png")
        self.masked(back, on_fill, on_mask, on_back)

        # Not shown: a lower, translucent tab.
        off_back = self.tmp("section_off_back.png")
        self.convert(back, "-fill", "#FFFFFF2A",
                     "-draw", f"roundrectangle 2,5 {SECTION_W - 3},{SECTION_H + 10} 6,6", off_back)

        for label, name in SECTIONS:
            for tab, colour, dy, file in ((off_back, TAB_TEXT_OFF, 3, name),
                                          (on_back, TAB_TEXT_ON, 2, name + "_on")):
                out = self.tmp(file + ".png")
                self.convert(tab, "-font", FONT_BOLD, "-pointsize", "14", "-fill", colour,
                             "-gravity", "center", "-annotate", f"+0+{dy}", label, out)
                self.save_bmp(out, file)

    # ---- list icons --------------------------------------------------------

    def list_icon(self, name, size, mvg):
        """Draws mvg (in icon pixels) four times larger, scales it down, and
        keeps the pixels at least half covered, blended on the list's white;
        the rest becomes the transparent magenta."""
        big = size * 4
        shape = self.tmp(name + "_shape.png")
        self.convert("-size", f"{big}x{big}", "xc:none", "-draw", "scale 4,4 " + mvg,
                     "-resize", f"{size}x{size}", shape)
        flat = self.tmp(name + "_flat.png")
        self.convert(shape, "-background", "white", "-flatten", flat)
        mask = self.tmp(name + "_mask.png")
        self.convert(shape, "-alpha", "extract", "-threshold", "50%", mask)
        out = self.tmp(name + ".png")
        self.masked(f"xc:{MAGENTA}[{size}x{size}!]", flat, mask, out)
        self.save_bmp(out, name)

    def list_icons(self):
        self.list_icon("list_video", 28,
                       "fill '#E53935' roundrectangle 2,5.5 26,22.5 6,6 "
                       "fill white polygon 11,9.5 11,18.5 19,14")
        self.list_icon("list_tweet", 38,
                       "fill '#1D9BF0' roundrectangle 3,5 35,28 10,10 "
                       "polygon 9,25 7,34 18,27 "
                       "fill white circle 12,16.5 12,19 circle 19,16.5 19,19 circle 26,16.5 26,19")
        self.list_icon("list_music", 28,
                       "fill '#7E57C2' circle 14,14 14,1.5 "
                       "fill white ellipse 10,19 3.2,2.5 0,360 ellipse 18,17 3.2,2.5 0,360 "
                       "rectangle 12,8.5 13.2,19 rectangle 20,6.5 21.2,17 "
                       "polygon 12,8.5 21.2,6.5 21.2,9 12,11")
        self.list_icon("list_humor", 28,
                       "fill '#FFC928' stroke '#E0A000' stroke-width 1 circle 14,14 14,2 "
                       "stroke none fill '#4A3300' ellipse 10,11 1.6,2.2 0,360 ellipse 18,11 1.6,2.2 0,360 "
                       "path 'M 8,15.5 Q 14,24 20,15.5 Z'")

    # ---- program icon ------------------------------------------------------

    def program_icon(self):
        art = self.tmp("icon_art.png")
        tile_mask = self.tmp("icon_mask.png")
        self.convert("-size", "256x256", "xc:black", "-fill", "white",
                     "-draw", "roundrectangle 8,8 247,247 52,52", tile_mask)
        self.convert("-size", "256x256", f"gradient:{BAR_TOP}-{FRAME}",
                     "-fill", ACCENT, "-draw", "circle 128,128 128,40",
                     "-fill", "white", "-draw", "polygon 103,82 103,174 182,128",
                     tile_mask, "-alpha", "off", "-compose", "CopyOpacity", "-composite", art)
        sizes = []
        for size in (16, 32, 48):
            out = self.tmp(f"icon_{size}.png")
            self.convert(art, "-filter", "Lanczos", "-resize", f"{size}x{size}", out)
            sizes.append(out)
        self.convert(*sizes, os.path.join(RES, "stel7.ico"))


def main():
    if not os.path.isfile(FONT_BOLD):
        sys.exit(f"make_artwork: {FONT_BOLD} is missing (fonts-nanum)")
    os.makedirs(BITMAPS, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        artist = Artist(work)
        base = artist.background()
        artist.bands(base)
        artist.logo(base)
        artist.search_box(base)
        artist.search_button(base)
        artist.section_buttons(base)
        artist.list_icons()
        artist.program_icon()


if __name__ == "__main__":
    main()
