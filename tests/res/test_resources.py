#!/usr/bin/env python3
"""Compiles stel7.rc with windres and reads the binary resources back:
window templates, menus, version, manifest, icon, skin bitmaps and the ids
in resource.h must be what the program's code and users expect.

Run: python3 tests/res/test_resources.py   (WINDRES overrides the compiler)
"""
import os
import re
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res")
WINDRES = os.environ.get("WINDRES", "i686-w64-mingw32-windres")

RT_ICON, RT_BITMAP, RT_MENU, RT_DIALOG = 3, 2, 4, 5
RT_GROUP_ICON, RT_VERSION, RT_DLGINIT, RT_MANIFEST = 14, 16, 240, 24
LANG_KOREAN = 0x0412

WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU = 0x80000000, 0x10000000, 0x00C00000, 0x00080000
WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00040000, 0x00020000, 0x00010000
WS_CHILD, WS_BORDER, WS_TABSTOP, WS_VSCROLL = 0x40000000, 0x00800000, 0x00010000, 0x00200000
DS_SETFONT, WS_EX_APPWINDOW = 0x40, 0x00040000
BS_TYPEMASK, BS_PUSHBUTTON, BS_AUTOCHECKBOX, BS_GROUPBOX, BS_OWNERDRAW, BS_FLAT = 0xF, 0, 3, 7, 0xB, 0x8000
ES_AUTOHSCROLL, LVS_TYPEMASK, LVS_REPORT = 0x80, 0x3, 0x1
CBS_TYPEMASK, CBS_DROPDOWNLIST = 0x3, 0x3
MF_POPUP, MF_END = 0x10, 0x80
HANGUL_CHARSET = 0x81

# Window class names are not case-sensitive; windres writes them in capitals.
PREDEFINED_CLASSES = {0x80: "Button", 0x81: "Edit", 0x82: "Static",
                      0x83: "ListBox", 0x84: "ScrollBar", 0x85: "ComboBox"}


# ---- reading a .res file ------------------------------------------------------

class Reader:
    def __init__(self, data, pos=0):
        self.data, self.pos = data, pos

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def align(self, base=0):
        self.pos = base + ((self.pos - base + 3) & ~3)

    def string(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text

    def sz_or_ord(self):
        first = self.take("H")
        if first == 0:
            return None
        if first == 0xFFFF:
            return self.take("H")
        self.pos -= 2
        return self.string()


def read_res(path):
    """Returns {(type, name): (language, data)}; a name or type is an int or a str."""
    with open(path, "rb") as f:
        data = f.read()
    resources, pos = {}, 0
    while pos < len(data):
        r = Reader(data, pos)
        size, header = r.take("II")
        rtype, name = r.sz_or_ord(), r.sz_or_ord()
        r.align(pos)
        _, _, language = r.take("IHH")
        if size:
            resources[(rtype, name)] = (language, data[pos + header:pos + header + size])
        pos = (pos + header + size + 3) & ~3
    return resources


def parse_dialogex(data):
    r = Reader(data)
    version, signature = r.take("HH")
    assert (version, signature) == (1, 0xFFFF), "not a DIALOGEX template"
    _, exstyle, style, count, x, y, cx, cy = r.take("IIIHhhhh")
    dlg = {"exstyle": exstyle, "style": style, "rect": (x, y, cx, cy),
           "menu": r.sz_or_ord(), "class": r.sz_or_ord(), "caption": r.string()}
    if style & DS_SETFONT:
        points, weight, italic, charset = r.take("HHBB")
        dlg["font"] = (points, r.string(), weight, italic, charset)
    items = []
    for _ in range(count):
        r.align()
        _, item_ex, item_style, x, y, cx, cy, cid = r.take("IIIhhhhI")
        cls = r.sz_or_ord()
        text = r.sz_or_ord()
        extra = r.take("H")
        r.pos += extra
        cls = PREDEFINED_CLASSES.get(cls, cls)
        items.append({"id": cid if cid < 0x80000000 else cid - 0x100000000,
                      "class": cls.lower(), "text": text or "",
                      "style": item_style, "exstyle": item_ex, "rect": (x, y, cx, cy)})
    dlg["items"] = items
    return dlg


def parse_menu(data):
    """A standard menu template as nested lists: (text, id) items,
    None for separators, (text, [children]) for popups."""
    r = Reader(data)
    assert r.take("HH") == (0, 0), "not a standard menu template"

    def level():
        items = []
        while True:
            flags = r.take("H")
            if flags & MF_POPUP:
                text = r.string()
                items.append((text, level()))
            else:
                cid = r.take("H")
                text = r.string()
                items.append(None if cid == 0 and text == "" else (text, cid))
            if flags & MF_END:
                return items

    return level()


def parse_version(data):
    """Returns the fixed info's (file version, product version) and a dict
    of {block path: value} for every string and var entry."""
    values = {}

    def node(pos, path):
        r = Reader(data, pos)
        length, value_length, vtype = r.take("HHH")
        key = r.string()
        r.align()
        here = path + (key,)
        if vtype == 1:
            values[here] = data[r.pos:r.pos + 2 * value_length].decode("utf-16-le").rstrip("\0")
        else:
            values[here] = data[r.pos:r.pos + value_length]
        r.pos += value_length * (2 if vtype == 1 else 1)
        r.align()
        while r.pos < pos + length:
            r.pos = node(r.pos, here)
            r.align()
        return pos + length

    node(0, ())
    fixed = values[("VS_VERSION_INFO",)]
    signature, _, fv_ms, fv_ls, pv_ms, pv_ls = struct.unpack_from("<6I", fixed)
    assert signature == 0xFEEF04BD

    def quad(ms, ls):
        return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    return quad(fv_ms, fv_ls), quad(pv_ms, pv_ls), values


class Bitmap:
    def __init__(self, data):
        (self.header_size, self.width, self.height, _, self.bits,
         self.compression) = struct.unpack_from("<IiiHHI", data)
        self.data = data
        self.stride = (self.width * self.bits // 8 + 3) & ~3

    def pixel(self, x, y):
        """(r, g, b) of column x, row y counted from the top."""
        row = self.height - 1 - y
        at = self.header_size + row * self.stride + x * 3
        b, g, r = self.data[at:at + 3]
        return (r, g, b)

    def column(self, x):
        return [self.pixel(x, y) for y in range(self.height)]


# ---- what the program expects -----------------------------------------------

BITMAPS = {  # id: (width, height)
    133: (28, 28), 134: (38, 38), 137: (28, 28), 181: (28, 28),
    154: (1, 53), 155: (199, 53),
    156: (24, 63), 157: (24, 63), 158: (1, 63),
    159: (21, 1), 160: (21, 1),
    161: (24, 82), 162: (1, 82), 163: (24, 82),
    164: (98, 35), 165: (98, 35), 166: (98, 35), 167: (98, 35),
    174: (98, 35), 175: (98, 35), 176: (98, 35), 177: (98, 35),
    182: (65, 29), 183: (65, 29), 184: (65, 29),
    185: (50, 29), 186: (1, 29), 187: (50, 29),
}
LIST_ICONS = (133, 134, 137, 181)
MAGENTA = (255, 0, 255)

FONT = (9, "굴림")
CAPTION = "스텔론"
BROWSER_STYLE = WS_CHILD | WS_VISIBLE

# Per dialog: styles that must be set, styles that must not, size, menu, and
# controls as (id, class, text, required style, place or None when code moves it).
DIALOGS = {
    102: dict(style=WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME
              | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT,
              absent=0, exstyle=WS_EX_APPWINDOW, size=None, menu=129, controls=[
                  (1001, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, None),
                  (1002, "Button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, None),
                  (1013, "Button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, None),
                  (1010, "Button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, None),
                  (1011, "Button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, None),
                  (1012, "Button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, None),
                  (1025, "SysTabControl32", "", WS_CHILD | WS_VISIBLE, None),
                  (1000, "SysListView32", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT, None),
                  (1005, "SysListView32", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT, None),
                  (1026, "SysListView32", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT, None),
                  (1015, "SysListView32", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT, None),
                  (1028, "SysListView32", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT, None),
                  (1017, "Button", "재생", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, None),
                  (1018, "Button", "정지", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, None),
                  (1019, "Button", "< 이전", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, None),
                  (1020, "Button", "다음 >", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, None),
                  (1016, "Static", "", BROWSER_STYLE, (110, 131, 20, 20)),
              ]),
    131: dict(style=WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX
              | WS_MAXIMIZEBOX | DS_SETFONT,
              absent=WS_VISIBLE, exstyle=0, size=(320, 216), menu=None, controls=[
                  (1003, "Static", "", BROWSER_STYLE | WS_TABSTOP, (0, 0, 320, 215)),
              ]),
    190: dict(style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
              absent=WS_VISIBLE | WS_THICKFRAME, exstyle=0, size=(270, 157), menu=None, controls=[
                  (1031, "Button", "설정", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, (140, 130, 60, 20)),
                  (1032, "Button", "취소", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, (204, 130, 60, 20)),
                  (-1, "Button", "일반 설정", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, (5, 10, 260, 55)),
                  (1034, "Button", "윈도우 시작시 자동 실행 사용",
                   WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_FLAT, (15, 30, 107, 10)),
                  (1035, "Button", "비디오 영상창 항상 위에 보기",
                   WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_FLAT, (15, 45, 107, 10)),
                  (-1, "Button", "음악재생 설정", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, (5, 75, 260, 45)),
                  (1036, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                   (15, 95, 240, 65)),
              ]),
    188: dict(style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
              absent=WS_THICKFRAME, exstyle=0, size=(269, 53), menu=None, controls=[
                  (-1, "Static", "스텔론를 업데이트 중입니다. 잠시만 기다려주세요...",
                   WS_CHILD | WS_VISIBLE, (5, 10, 184, 8)),
                  (1029, "msctls_progress32", "", WS_CHILD | WS_VISIBLE | WS_BORDER, (5, 25, 255, 15)),
              ]),
    192: dict(style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
              absent=WS_VISIBLE, exstyle=0, size=(201, 163), menu=None, controls=[
                  (1037, "Static", "", BROWSER_STYLE, (0, 0, 45, 45)),
              ]),
    193: dict(style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
              absent=WS_VISIBLE, exstyle=0, size=(187, 96), menu=None, controls=[
                  (1038, "Static", "", BROWSER_STYLE, (5, 5, 40, 35)),
              ]),
}

MENUS = {
    129: [
        ("파일(&F)", [("트레이이동", 32783), None, ("스텔론 종료", 32771)]),
        ("도구(&T)", [("사용자 환경설정...", 32772)]),
        ("도움말(&H)", [("프로그램 사용방법", 32773), ("스텔론 기술지원", 32774), None,
                      ("소프트웨어 업데이트 확인", 32776), None, ("스텔론 정보", 32775)]),
    ],
    189: [
        ("Tray", [("스텔론 열기", 32777), None, ("소프트웨어 업데이트 확인", 32779), None,
                  ("사용자 환경설정...", 32782), ("제품정보", 32781), None, ("스텔론 종료", 32778)]),
    ],
}

PLAY_MODES = ["한곡 재생", "한곡 반복 재생", "전체 연속 재생", "전체 랜덤 재생"]

# Names the program's code uses, with the numbers the windows are built on.
HEADER_IDS = {
    "IDI_MAIN": 128, "IDD_MAIN": 102, "IDC_LIST_VIDEO": 1000, "IDC_EDIT_SEARCH": 1001,
    "IDC_BTN_SEARCH": 1002, "IDC_LIST_TWEET": 1005, "IDC_BTN_SECTION_CHANNEL": 1010,
    "IDC_BTN_SECTION_MUSIC": 1011, "IDC_BTN_SECTION_HUMOR": 1012, "IDC_BTN_SECTION_SEARCH": 1013,
    "IDC_LIST_MUSIC": 1015, "IDC_BROWSER": 1016, "IDC_BTN_PLAY": 1017, "IDC_BTN_STOP": 1018,
    "IDC_BTN_PREV": 1019, "IDC_BTN_NEXT": 1020, "IDC_TAB": 1025, "IDC_LIST_CHANNEL": 1026,
    "IDC_LIST_HUMOR": 1028, "IDD_VIDEO": 131, "IDC_VIDEO_BROWSER": 1003,
    "IDR_MAINMENU": 129, "IDR_TRAYMENU": 189,
    "ID_FILE_TRAY": 32783, "ID_FILE_EXIT": 32771, "ID_TOOLS_SETTINGS": 32772,
    "ID_HELP_HOWTO": 32773, "ID_HELP_SUPPORT": 32774, "ID_HELP_UPDATE": 32776,
    "ID_HELP_ABOUT": 32775, "ID_TRAY_OPEN": 32777, "ID_TRAY_UPDATE": 32779,
    "ID_TRAY_SETTINGS": 32782, "ID_TRAY_ABOUT": 32781, "ID_TRAY_EXIT": 32778,
    "IDB_HEADER_LOGO": 155, "IDB_HEADER_FILL": 154, "IDB_SECTION_SEARCH": 164,
    "IDB_SECTION_SEARCH_ON": 174, "IDB_SEARCH_NORMAL": 182, "IDB_SEARCH_PRESSED": 184,
    "IDB_SEARCH_HOVER": 183, "IDB_LIST_VIDEO": 133,
    "IDD_SETTINGS": 190, "IDD_UPDATE": 188, "IDD_POPUP": 192, "IDD_TOAST": 193,
    "IDC_PROGRESS_UPDATE": 1029, "IDC_BTN_APPLY": 1031, "IDC_BTN_CANCEL": 1032,
    "IDC_CHK_RUN": 1034, "IDC_CHK_TOPMOST": 1035, "IDC_COMBO_MUSIC": 1036,
    "IDC_POPUP_BROWSER": 1037, "IDC_TOAST_BROWSER": 1038,
}


# ---- the tests ----------------------------------------------------------------

class ResourceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory()
        out = os.path.join(cls.work.name, "stel7.res")
        # The build makes the manifest for its processor; this is the 32-bit one.
        with open(os.path.join(HERE, "program.manifest.in"), encoding="utf-8") as template, \
                open(os.path.join(cls.work.name, "stel7.manifest"), "w", encoding="utf-8") as manifest:
            manifest.write(template.read().replace("@STEL7_PROCESSOR@", "x86").replace("@STEL7_ASSEMBLY@", "stel7.exe"))
        subprocess.run([WINDRES, "-c", "65001", "-I", HERE, "-I", cls.work.name, os.path.join(HERE, "stel7.rc"),
                        "-O", "res", "-o", out], check=True)
        cls.res = read_res(out)

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def resource(self, rtype, name):
        self.assertIn((rtype, name), self.res, f"resource type {rtype} id {name} missing")
        return self.res[(rtype, name)][1]

    def bitmap(self, bid):
        return Bitmap(self.resource(RT_BITMAP, bid))

    def test_every_resource_is_korean(self):
        for (rtype, name), (language, _) in self.res.items():
            with self.subTest(type=rtype, name=name):
                self.assertEqual(language, LANG_KOREAN)

    def test_bitmaps_are_24_bit_at_their_layout_size(self):
        stored = {name for rtype, name in self.res if rtype == RT_BITMAP}
        self.assertEqual(stored, set(BITMAPS))
        for bid, (width, height) in BITMAPS.items():
            with self.subTest(bitmap=bid):
                bmp = self.bitmap(bid)
                self.assertEqual((bmp.header_size, bmp.bits, bmp.compression), (40, 24, 0))
                self.assertEqual((bmp.width, bmp.height), (width, height))
                self.assertGreaterEqual(len(bmp.data), 40 + bmp.stride * height)

    def test_list_icons_are_keyed_on_magenta(self):
        for bid in LIST_ICONS:
            with self.subTest(bitmap=bid):
                bmp = self.bitmap(bid)
                last = bmp.width - 1
                corners = {bmp.pixel(0, 0), bmp.pixel(last, 0), bmp.pixel(0, last), bmp.pixel(last, last)}
                self.assertEqual(corners, {MAGENTA})
                centre = bmp.pixel(bmp.width // 2, bmp.height // 2)
                self.assertNotEqual(centre, MAGENTA)

    def test_skin_pictures_hide_no_magenta(self):
        for bid in set(BITMAPS) - set(LIST_ICONS):
            with self.subTest(bitmap=bid):
                bmp = self.bitmap(bid)
                pixels = {bmp.pixel(x, y) for x in range(bmp.width) for y in range(bmp.height)}
                self.assertNotIn(MAGENTA, pixels)

    def test_tiled_pieces_meet_without_a_seam(self):
        # (piece whose last column meets, piece whose first column meets)
        joins = [(155, 154), (154, 154), (156, 158), (158, 157), (158, 158),
                 (185, 186), (186, 187), (186, 186), (161, 162), (162, 163), (162, 162)]
        for left, right in joins:
            with self.subTest(left=left, right=right):
                a, b = self.bitmap(left), self.bitmap(right)
                self.assertEqual(a.column(a.width - 1), b.column(0))

    def test_body_edges_are_mirror_images(self):
        left, right = self.bitmap(159), self.bitmap(160)
        self.assertEqual(left.column(0), right.column(right.width - 1))
        self.assertEqual(left.column(left.width - 1), right.column(0))

    def test_state_pictures_differ(self):
        groups = [(164, 174), (165, 177), (166, 175), (167, 176), (182, 183, 184),
                  (164, 165, 166, 167), (174, 175, 176, 177)]
        for group in groups:
            with self.subTest(group=group):
                pixels = [self.bitmap(bid).data for bid in group]
                self.assertEqual(len(set(pixels)), len(group))

    def test_dialog_templates(self):
        for did, want in DIALOGS.items():
            with self.subTest(dialog=did):
                dlg = parse_dialogex(self.resource(RT_DIALOG, did))
                self.assertEqual(dlg["style"] & want["style"], want["style"])
                self.assertEqual(dlg["style"] & want["absent"], 0)
                self.assertEqual(dlg["exstyle"], want["exstyle"])
                self.assertEqual(dlg["caption"], CAPTION)
                self.assertEqual(dlg["font"][:2], FONT)
                self.assertEqual(dlg["font"][4], HANGUL_CHARSET)
                self.assertEqual(dlg["menu"], want["menu"])
                self.assertIsNone(dlg["class"])
                if want["size"]:
                    self.assertEqual(dlg["rect"][2:], want["size"])
                got = [(c["id"], c["class"], c["text"]) for c in dlg["items"]]
                self.assertCountEqual(got, [(c[0], c[1].lower(), c[2]) for c in want["controls"]])
                for cid, cls, text, style, place in want["controls"]:
                    item = next(c for c in dlg["items"] if (c["id"], c["text"]) == (cid, text))
                    self.assertEqual(item["style"] & style, style, f"style of control {cid}")
                    if place:
                        self.assertEqual(item["rect"], place, f"place of control {cid}")

    def test_dialog_control_styles_that_would_show_wrongly(self):
        main = parse_dialogex(self.resource(RT_DIALOG, 102))
        by_id = {c["id"]: c for c in main["items"]}
        self.assertFalse(by_id[1001]["style"] & WS_BORDER, "the skin draws the search box frame")
        for cid in (1002, 1010, 1011, 1012, 1013):
            self.assertEqual(by_id[cid]["style"] & BS_TYPEMASK, BS_OWNERDRAW)
        for cid in (1000, 1005, 1015, 1026, 1028):
            self.assertEqual(by_id[cid]["style"] & LVS_TYPEMASK, LVS_REPORT)
        settings = {c["id"]: c for c in parse_dialogex(self.resource(RT_DIALOG, 190))["items"]}
        self.assertEqual(settings[1036]["style"] & CBS_TYPEMASK, CBS_DROPDOWNLIST)
        for cid in (1034, 1035):
            self.assertEqual(settings[cid]["style"] & BS_TYPEMASK, BS_AUTOCHECKBOX)

    def test_control_ids_are_unique_per_dialog(self):
        for did in DIALOGS:
            with self.subTest(dialog=did):
                ids = [c["id"] for c in parse_dialogex(self.resource(RT_DIALOG, did))["items"]
                       if c["id"] != -1]
                self.assertEqual(len(ids), len(set(ids)))

    def test_menus(self):
        for mid, want in MENUS.items():
            with self.subTest(menu=mid):
                self.assertEqual(parse_menu(self.resource(RT_MENU, mid)), want)

    def test_settings_play_modes_come_from_the_dialog_data(self):
        data = self.resource(RT_DLGINIT, 190)
        r, texts = Reader(data), []
        while True:
            cid = r.take("H")
            if cid == 0:
                break
            message, length = r.take("HI")
            self.assertEqual((cid, message), (1036, 0x0143))
            raw = data[r.pos:r.pos + length]
            self.assertEqual(raw[-1:], b"\0")
            texts.append(raw[:-1].decode("cp949"))
            r.pos += length
        self.assertEqual(texts, PLAY_MODES)
        self.assertEqual(r.pos, len(data))

    def test_version(self):
        file_version, product_version, values = parse_version(self.resource(RT_VERSION, 1))
        self.assertEqual(file_version, (7, 0, 0, 194))
        self.assertEqual(product_version, (7, 0, 0, 194))
        table = ("VS_VERSION_INFO", "StringFileInfo", "041204b0")
        want = {"ProductName": "스텔론", "InternalName": "스텔론", "LegalTrademarks": "스텔론",
                "OriginalFilename": "stel7.exe", "FileVersion": "7.0.0.194",
                "ProductVersion": "7.0.0.194"}
        for name, text in want.items():
            with self.subTest(value=name):
                self.assertEqual(values.get(table + (name,)), text)
        for name in ("CompanyName", "FileDescription"):
            self.assertTrue(values.get(table + (name,)))
        translation = values[("VS_VERSION_INFO", "VarFileInfo", "Translation")]
        self.assertEqual(struct.unpack("<HH", translation), (0x0412, 0x04B0))

    def test_manifest(self):
        ns = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3",
              "c": "urn:schemas-microsoft-com:compatibility.v1"}
        root = ET.fromstring(self.resource(RT_MANIFEST, 1))
        me = root.find("v1:assemblyIdentity", ns).attrib
        self.assertEqual((me["name"], me["version"], me["processorArchitecture"]),
                         ("stel7.exe", "1.0.0.0", "x86"))
        dep = root.find("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", ns).attrib
        self.assertEqual(dep, {"type": "win32", "name": "Microsoft.Windows.Common-Controls",
                               "version": "6.0.0.0", "processorArchitecture": "x86",
                               "publicKeyToken": "6595b64144ccf1df", "language": "*"})
        level = root.find(".//v3:requestedExecutionLevel", ns).attrib
        self.assertEqual(level["level"], "asInvoker")
        systems = {e.attrib["Id"] for e in root.findall("c:compatibility/c:application/c:supportedOS", ns)}
        self.assertEqual(systems, {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                   "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                                   "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                   "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})

    def test_icon_has_tray_window_and_desktop_sizes(self):
        r = Reader(self.resource(RT_GROUP_ICON, 128))
        _, kind, count = r.take("HHH")
        self.assertEqual(kind, 1)
        sizes = []
        for _ in range(count):
            width, height, _, _, _, bits, length, iid = r.take("BBBBHHIH")
            image = self.resource(RT_ICON, iid)
            self.assertEqual(len(image), length)
            header, w, h2, _, image_bits = struct.unpack_from("<IiiHH", image)
            self.assertEqual((header, w, h2, image_bits), (40, width, 2 * height, 32))
            sizes.append(width)
        self.assertEqual(sorted(sizes), [16, 32, 48])

    def test_header_ids(self):
        with open(os.path.join(HERE, "resource.h"), encoding="utf-8") as f:
            defined = {m.group(1): int(m.group(2)) for m in
                       re.finditer(r"^#define\s+(\w+)\s+\(?(-?\d+)\)?\s*$", f.read(), re.M)}
        for name, value in HEADER_IDS.items():
            with self.subTest(name=name):
                self.assertEqual(defined.get(name), value)
        bitmap_ids = {v for k, v in defined.items() if k.startswith("IDB_")}
        self.assertEqual(bitmap_ids, set(BITMAPS))
        for prefix in ("IDB_", "IDD_", "IDR_", "ID_", "IDC_"):
            values = [v for k, v in defined.items() if k.startswith(prefix) and v != -1]
            with self.subTest(prefix=prefix):
                self.assertEqual(len(values), len(set(values)))


if __name__ == "__main__":
    unittest.main()
