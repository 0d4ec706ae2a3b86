"""The on-screen full-size keyboard: where each of the 126 key positions sits.

Positions are the device's key positions (0-125). Each key is placed on a grid of key units:
the macro column M1-M5 at the far left, then the main block, the navigation cluster and the
number pad, with half a unit between the function row and the rest. Keys that a plain
full-size board does not have (the empty codes, the Japanese, Korean, Brazilian and ISO extra
keys and one vendor key) are placed where the boards that have them put them, and start hidden:
the device page shows them when the keyboard maps them.

Used by generate-skin-svg.py (key picture sizes) and generate-keyboard-keys.py (the page).
"""

UNIT = 30          # pixels per key unit at 96 DPI
MARGIN = 14        # case border around the keys
MAIN_X = 1.5       # the main block starts after the macro column and a half-unit gap
ROW_Y = [0.0, 1.5, 2.5, 3.5, 4.5, 5.5]
GRID_UNITS_X = 24.0
GRID_UNITS_Y = 6.5


class Key:
    def __init__(self, pos, caption, x, row, w=1.0, h=1.0, visible=True, main=True):
        self.pos = pos
        self.caption = caption      # language key of the keycap, or None
        self.x = (MAIN_X + x) if main else x
        self.y = ROW_Y[row]
        self.w = w
        self.h = h
        self.visible = visible

    def rect(self):
        """Button rectangle in pixels inside the select panel (left, top, right, bottom)."""
        left = MARGIN + round(self.x * UNIT) + 1
        top = MARGIN + round(self.y * UNIT) + 1
        right = MARGIN + round((self.x + self.w) * UNIT) - 1
        bottom = MARGIN + round((self.y + self.h) * UNIT) - 1
        return left, top, right, bottom

    def size_name(self):
        """Names the key picture set of this size, in quarter units: "4x4" for a 1 x 1 key."""
        return "%dx%d" % (round(self.w * 4), round(self.h * 4))


def K(name):
    return "keyboard_key_" + name


def _keys():
    keys = [Key(0, K("Esc"), 0, 0)]
    f_x = [2, 3, 4, 5, 6.5, 7.5, 8.5, 9.5, 11, 12, 13, 14]
    for i, x in enumerate(f_x):
        keys.append(Key(1 + i, K("F%d" % (i + 1)), x, 0))
    keys += [
        Key(13, K("Print Scr"), 15.25, 0),
        Key(14, K("Scroll Lock"), 16.25, 0),
        Key(15, K("Pause"), 17.25, 0),
        Key(16, K("GM"), 18.5, 0),
        Key(17, None, 19.5, 0, visible=False),
        Key(18, None, 20.5, 0, visible=False),
        Key(19, None, 21.5, 0, visible=False),
        Key(20, None, 1, 0, visible=False),
        Key(21, K("`"), 0, 1),
    ]
    for i, d in enumerate("1234567890"):
        keys.append(Key(22 + i, K(d), 1 + i, 1))
    keys += [
        Key(32, K("-"), 11, 1),
        Key(33, K("="), 12, 1),
        Key(34, K("BackSpace"), 13, 1, w=2),
        Key(35, K("Insert"), 15.25, 1),
        Key(36, K("Home"), 16.25, 1),
        Key(37, K("Page Up"), 17.25, 1),
        Key(38, K("Num Lock"), 18.5, 1),
        Key(39, K("Num /"), 19.5, 1),
        Key(40, K("Num *"), 20.5, 1),
        Key(41, K("Num -"), 21.5, 1),
        Key(42, K("Tab"), 0, 2, w=1.5),
    ]
    for i, c in enumerate("QWERTYUIOP"):
        keys.append(Key(43 + i, K(c), 1.5 + i, 2))
    keys += [
        Key(53, K("["), 11.5, 2),
        Key(54, K("]"), 12.5, 2),
        Key(55, K("xiegang"), 13.5, 2, w=1.5),
        Key(56, K("Delete"), 15.25, 2),
        Key(57, K("End"), 16.25, 2),
        Key(58, K("Page Down"), 17.25, 2),
        Key(59, K("Num 7"), 18.5, 2),
        Key(60, K("Num 8"), 19.5, 2),
        Key(61, K("Num 9"), 20.5, 2),
        Key(62, None, 21.5, 2, visible=False),
        Key(63, K("Caplk"), 0, 3, w=1.75),
    ]
    for i, c in enumerate("ASDFGHJKL"):
        keys.append(Key(64 + i, K(c), 1.75 + i, 3))
    keys += [
        Key(73, K(";"), 10.75, 3),
        Key(74, K("'"), 11.75, 3),
        Key(75, K("Enter"), 12.75, 3, w=2.25),
        Key(76, K("Num 4"), 18.5, 3),
        Key(77, K("Num 5"), 19.5, 3),
        Key(78, K("Num 6"), 20.5, 3),
        Key(79, K("K132"), 15.25, 3, visible=False),
        Key(80, K("K131"), 16.25, 3, visible=False),
        Key(81, K("K151"), 17.25, 3, visible=False),
        Key(82, K("K150"), 15.25, 4, visible=False),
        Key(83, K("K133"), 17.25, 4, visible=False),
        Key(84, K("LShift"), 0, 4, w=2.25),
    ]
    for i, c in enumerate("ZXCVBNM"):
        keys.append(Key(85 + i, K(c), 2.25 + i, 4))
    keys += [
        Key(92, K("<"), 9.25, 4),
        Key(93, K("."), 10.25, 4),
        Key(94, K("/"), 11.25, 4),
        Key(95, K("RShift"), 12.25, 4, w=2.75),
        Key(96, K("Up"), 16.25, 4),
        Key(97, K("Num 1"), 18.5, 4),
        Key(98, K("Num 2"), 19.5, 4),
        Key(99, K("Num 3"), 20.5, 4),
        Key(100, K("K56"), 12.25, 4, visible=False),
        Key(101, K("K14"), 13, 1, visible=False),
        Key(102, K("K45"), 1.25, 4, visible=False),
        Key(103, K("K107"), 21.5, 4, visible=False),
        Key(104, None, 0, 0, visible=False, main=False),
        Key(105, K("LCtrl"), 0, 5, w=1.25),
        Key(106, K("LWin"), 1.25, 5, w=1.25),
        Key(107, K("LAlt"), 2.5, 5, w=1.25),
        Key(108, K("Space"), 3.75, 5, w=6.25),
        Key(109, K("RAlt"), 10, 5),
        Key(110, K("FN"), 12, 5),
        Key(111, K("App"), 13, 5),
        Key(112, K("RCtrl"), 14, 5),
        Key(113, K("Left"), 15.25, 5),
        Key(114, K("Down"), 16.25, 5),
        Key(115, K("Right"), 17.25, 5),
        Key(116, K("Num 0"), 18.5, 5, w=2),
        Key(117, K("Decimal"), 20.5, 5),
        Key(118, K("Num Enter"), 21.5, 4, h=2),
        Key(119, K("Num +"), 21.5, 2, h=2),
    ]
    for i in range(5):
        keys.append(Key(120 + i, K("M%d" % (i + 1)), 0, 1 + i, main=False))
    keys.append(Key(125, K("RWin"), 11, 5))
    keys.sort(key=lambda k: k.pos)
    assert [k.pos for k in keys] == list(range(126)), "every position exactly once"
    return keys


KEYS = _keys()


def panel_size():
    """Width and height of the select panel (the keyboard case) in pixels at 96 DPI."""
    return (2 * MARGIN + round(GRID_UNITS_X * UNIT), 2 * MARGIN + round(GRID_UNITS_Y * UNIT))


# Keycap legends by language key: English and Chinese. Legends are the same in both languages
# except where Chinese boards print their own words.
CAPTIONS = {
    "Esc": ("Esc", "Esc"), "Print Scr": ("PrtSc", "PrtSc"), "Scroll Lock": ("ScrLk", "ScrLk"),
    "Pause": ("Pause", "Pause"), "GM": ("GM", "GM"), "`": ("`", "`"), "-": ("-", "-"),
    "=": ("=", "="), "BackSpace": ("Backspace", "退格"), "Insert": ("Ins", "Ins"),
    "Home": ("Home", "Home"), "Page Up": ("PgUp", "PgUp"), "Num Lock": ("Num", "Num"),
    "Num /": ("/", "/"), "Num *": ("*", "*"), "Num -": ("-", "-"), "Tab": ("Tab", "Tab"),
    "[": ("[", "["), "]": ("]", "]"), "xiegang": ("\\", "\\"), "Delete": ("Del", "Del"),
    "End": ("End", "End"), "Page Down": ("PgDn", "PgDn"), "Caplk": ("Caps", "大写"),
    ";": (";", ";"), "'": ("'", "'"), "Enter": ("Enter", "回车"), "LShift": ("Shift", "Shift"),
    "<": (",", ","), ".": (".", "."), "/": ("/", "/"), "RShift": ("Shift", "Shift"),
    "Up": ("↑", "↑"), "Down": ("↓", "↓"), "Left": ("←", "←"), "Right": ("→", "→"),
    "LCtrl": ("Ctrl", "Ctrl"), "RCtrl": ("Ctrl", "Ctrl"), "LWin": ("Win", "Win"),
    "RWin": ("Win", "Win"), "LAlt": ("Alt", "Alt"), "RAlt": ("Alt", "Alt"),
    "Space": ("Space", "空格"), "FN": ("Fn", "Fn"), "App": ("Menu", "菜单"),
    "Num Enter": ("Enter", "回车"), "Num +": ("+", "+"), "Decimal": (".", "."),
    "K132": ("変換", "変換"), "K131": ("無変換", "無変換"), "K151": ("한/영", "한/영"),
    "K150": ("한자", "한자"), "K133": ("かな", "かな"), "K56": ("ろ", "ろ"), "K14": ("¥", "¥"),
    "K45": ("\\", "\\"), "K107": (",", ","),
}
for _i in range(1, 13):
    CAPTIONS["F%d" % _i] = ("F%d" % _i, "F%d" % _i)
for _c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890":
    CAPTIONS[_c] = (_c, _c)
for _i in range(10):
    CAPTIONS["Num %d" % _i] = (str(_i), str(_i))
for _i in range(1, 6):
    CAPTIONS["M%d" % _i] = ("M%d" % _i, "M%d" % _i)
