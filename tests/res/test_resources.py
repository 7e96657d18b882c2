#!/usr/bin/env python3
"""Compiles stel7.rc with windres and reads the binary resources back: the
window templates hold the controls the code binds, of the kind it drives; the
menus pair each text with its command; every skin bitmap has its layout size.
Names are looked up in resource.h, so the checks follow the code's own symbols.

Run: python3 tests/res/test_resources.py   (WINDRES overrides the compiler)
"""
import os
import re
import struct
import subprocess
import tempfile
import unittest

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res")
WINDRES = os.environ.get("WINDRES", "i686-w64-mingw32-windres")

RT_BITMAP, RT_MENU, RT_DIALOG, RT_GROUP_ICON = 2, 4, 5, 14
WS_VISIBLE, DS_SETFONT = 0x10000000, 0x40
BS_TYPEMASK, BS_OWNERDRAW, LVS_TYPEMASK, LVS_REPORT = 0xF, 0xB, 0x3, 0x1
MF_POPUP, MF_END = 0x10, 0x80
PREDEFINED_CLASSES = {0x80: "button", 0x81: "edit", 0x82: "static"}

with open(os.path.join(HERE, "resource.h"), encoding="utf-8") as header:
    ID = {m.group(1): int(m.group(2))
          for m in re.finditer(r"^#define\s+(\w+)\s+\(?(-?\d+)\)?\s*$", header.read(), re.M)}


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def string(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text

    def sz_or_ord(self):
        first = self.take("H")
        if first in (0, 0xFFFF):
            return self.take("H") if first else None
        self.pos -= 2
        return self.string()


def read_res(data):
    """{(type, name): data}; a type or name is an int or a str."""
    resources, pos = {}, 0
    while pos < len(data):
        r = Reader(data[pos:])
        size, header = r.take("II")
        key = (r.sz_or_ord(), r.sz_or_ord())
        if size:
            resources[key] = data[pos + header:pos + header + size]
        pos = (pos + header + size + 3) & ~3
    return resources


def parse_dialogex(data):
    """Caption, menu and {control id: (class, text, style)} of a DIALOGEX template."""
    r = Reader(data)
    assert r.take("HH") == (1, 0xFFFF), "not a DIALOGEX template"
    _, _, style, count, _, _, _, _ = r.take("IIIHhhhh")
    menu, _, caption = r.sz_or_ord(), r.sz_or_ord(), r.string()
    if style & DS_SETFONT:
        r.take("HHBB")
        r.string()
    controls = {}
    for _ in range(count):
        r.pos = (r.pos + 3) & ~3
        _, _, item_style, _, _, _, _, cid = r.take("IIIhhhhI")
        cls, text, extra = r.sz_or_ord(), r.sz_or_ord(), r.take("H")
        r.pos += extra
        controls[cid] = (PREDEFINED_CLASSES.get(cls, str(cls).lower()), text or "", item_style)
    return {"caption": caption, "menu": menu, "style": style, "controls": controls}


def parse_menu(data):
    """(text, id) items, None for separators, (text, [items]) for popups."""
    r = Reader(data)
    assert r.take("HH") == (0, 0), "not a standard menu template"

    def level():
        items = []
        while True:
            flags = r.take("H")
            if flags & MF_POPUP:
                items.append((r.string(), level()))
            else:
                cid, text = r.take("H"), r.string()
                items.append(None if cid == 0 and text == "" else (text, cid))
            if flags & MF_END:
                return items

    return level()


# Controls the code binds, by name: class, text (None: any), style bits the code needs.
LIST = ("syslistview32", None, LVS_REPORT)
SKINNED = ("button", None, BS_OWNERDRAW)
DIALOGS = {
    "IDD_MAIN": {
        "IDC_EDIT_SEARCH": ("edit", None, 0), "IDC_BTN_SEARCH": SKINNED, "IDC_TAB": ("systabcontrol32", None, 0),
        "IDC_BTN_SECTION_SEARCH": SKINNED, "IDC_BTN_SECTION_CHANNEL": SKINNED,
        "IDC_BTN_SECTION_MUSIC": SKINNED, "IDC_BTN_SECTION_HUMOR": SKINNED,
        "IDC_LIST_VIDEO": LIST, "IDC_LIST_TWEET": LIST, "IDC_LIST_CHANNEL": LIST,
        "IDC_LIST_MUSIC": LIST, "IDC_LIST_HUMOR": LIST,
        "IDC_BTN_PLAY": ("button", "재생", 0), "IDC_BTN_STOP": ("button", "정지", 0),
        "IDC_BTN_PREV": ("button", "< 이전", 0), "IDC_BTN_NEXT": ("button", "다음 >", 0),
        "IDC_BROWSER": ("static", None, 0),
    },
    "IDD_VIDEO": {"IDC_VIDEO_BROWSER": ("static", None, 0)},
    "IDD_POPUP": {"IDC_POPUP_BROWSER": ("static", None, 0)},
    "IDD_TOAST": {"IDC_TOAST_BROWSER": ("static", None, 0)},
}

MENUS = {
    "IDR_MAINMENU": [
        ("파일(&F)", [("트레이이동", "ID_FILE_TRAY"), None, ("스텔론 종료", "ID_FILE_EXIT")]),
        ("도구(&T)", [("사용자 환경설정...", "ID_TOOLS_SETTINGS")]),
        ("도움말(&H)", [("프로그램 사용방법", "ID_HELP_HOWTO"), ("스텔론 기술지원", "ID_HELP_SUPPORT"), None,
                      ("소프트웨어 업데이트 확인", "ID_HELP_UPDATE"), None, ("스텔론 정보", "ID_HELP_ABOUT")]),
    ],
    # The code tracks the first popup at the cursor.
    "IDR_TRAYMENU": [
        ("Tray", [("스텔론 열기", "ID_TRAY_OPEN"), None, ("소프트웨어 업데이트 확인", "ID_TRAY_UPDATE"), None,
                  ("사용자 환경설정...", "ID_TRAY_SETTINGS"), ("제품정보", "ID_TRAY_ABOUT"), None,
                  ("스텔론 종료", "ID_TRAY_EXIT")]),
    ],
}

# The layout and the skin code place and tile the bitmaps at these sizes.
BITMAP_SIZES = {
    "IDB_LIST_VIDEO": (28, 28), "IDB_LIST_TWEET": (38, 38), "IDB_LIST_MUSIC": (28, 28), "IDB_LIST_HUMOR": (28, 28),
    "IDB_HEADER_FILL": (1, 53), "IDB_HEADER_LOGO": (199, 53),
    "IDB_TOOLBAR_LEFT": (24, 63), "IDB_TOOLBAR_RIGHT": (24, 63), "IDB_TOOLBAR_FILL": (1, 63),
    "IDB_BODY_LEFT": (21, 1), "IDB_BODY_RIGHT": (21, 1),
    "IDB_FOOTER_LEFT": (24, 82), "IDB_FOOTER_FILL": (1, 82), "IDB_FOOTER_RIGHT": (24, 82),
    "IDB_SEARCH_NORMAL": (65, 29), "IDB_SEARCH_HOVER": (65, 29), "IDB_SEARCH_PRESSED": (65, 29),
    "IDB_SEARCHBOX_LEFT": (50, 29), "IDB_SEARCHBOX_FILL": (1, 29), "IDB_SEARCHBOX_RIGHT": (50, 29),
    **{f"IDB_SECTION_{s}{on}": (98, 35) for s in ("SEARCH", "CHANNEL", "MUSIC", "HUMOR") for on in ("", "_ON")},
}


class ResourceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as work:
            out = os.path.join(work, "stel7.res")
            # The build makes the manifest for its processor; any one serves here.
            with open(os.path.join(HERE, "program.manifest.in"), encoding="utf-8") as template, \
                    open(os.path.join(work, "stel7.manifest"), "w", encoding="utf-8") as manifest:
                manifest.write(template.read())
            subprocess.run([WINDRES, "-c", "65001", "-I", HERE, "-I", work, os.path.join(HERE, "stel7.rc"),
                            "-O", "res", "-o", out], check=True)
            with open(out, "rb") as f:
                cls.res = read_res(f.read())

    def resource(self, rtype, name):
        self.assertIn((rtype, ID[name]), self.res, f"{name} missing")
        return self.res[(rtype, ID[name])]

    def test_dialogs_hold_the_controls_the_code_binds(self):
        for dialog, controls in DIALOGS.items():
            with self.subTest(dialog=dialog):
                template = parse_dialogex(self.resource(RT_DIALOG, dialog))
                self.assertEqual(template["caption"], "스텔론")
                for name, (cls, text, style) in controls.items():
                    self.assertIn(ID[name], template["controls"], name)
                    got_cls, got_text, got_style = template["controls"][ID[name]]
                    self.assertEqual(got_cls, cls, name)
                    if text is not None:
                        self.assertEqual(got_text, text, name)
                    if style:
                        mask = BS_TYPEMASK if cls == "button" else LVS_TYPEMASK
                        self.assertEqual(got_style & mask, style, name)
        self.assertEqual(parse_dialogex(self.resource(RT_DIALOG, "IDD_MAIN"))["menu"], ID["IDR_MAINMENU"])
        # The code shows the video window once it has placed it.
        self.assertFalse(parse_dialogex(self.resource(RT_DIALOG, "IDD_VIDEO"))["style"] & WS_VISIBLE)

    def test_menus_pair_each_text_with_its_command(self):
        def resolve(items):
            return [item if item is None else
                    (item[0], resolve(item[1]) if isinstance(item[1], list) else ID[item[1]]) for item in items]
        for menu, items in MENUS.items():
            with self.subTest(menu=menu):
                self.assertEqual(parse_menu(self.resource(RT_MENU, menu)), resolve(items))

    def test_bitmaps_have_their_layout_size(self):
        self.assertEqual({name for name in ID if name.startswith("IDB_")}, set(BITMAP_SIZES))
        for name, size in BITMAP_SIZES.items():
            with self.subTest(bitmap=name):
                _, width, height, _, bits = struct.unpack_from("<IiiHH", self.resource(RT_BITMAP, name))
                self.assertEqual((width, height, bits), size + (24,))

    def test_the_tray_and_window_icon_is_there(self):
        self.resource(RT_GROUP_ICON, "IDI_MAIN")


if __name__ == "__main__":
    unittest.main()
