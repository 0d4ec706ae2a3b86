#!/usr/bin/env python3
"""Writes the default data that ships in resources/DefaultData.

The files are regular enough to be generated from the device models file (resources/
device_models.json) and the tables below: run this script after changing either and commit its
output. With --texts it prints instead the language texts
(key, English, simplified Chinese) that the names in default_light.json refer to.
"""

import argparse
import json
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "resources" / "DefaultData"

# Factory key codes of the keyboard's 126 on-screen key positions: "position(s): kind first
# second"; a range a-b runs through consecutive second parameters (x..y).
KEY_POSITIONS = """
0: 20 00 29; 1-15: 20 00 3A..48; 16: A0 1B 00; 17: A0 24 00; 18: 20 00 00; 19: 20 00 00;
20: 20 00 00; 21: 20 00 35; 22-31: 20 00 1E..27; 32-33: 20 00 2D..2E; 34: 20 00 2A;
35-37: 20 00 49..4B; 38-41: 20 00 53..56; 42: 20 00 2B; 43: 20 00 14; 44: 20 00 1A;
45: 20 00 08; 46: 20 00 15; 47: 20 00 17; 48: 20 00 1C; 49: 20 00 18; 50: 20 00 0C;
51-52: 20 00 12..13; 53-55: 20 00 2F..31; 56-58: 20 00 4C..4E; 59-61: 20 00 5F..61;
62: 20 00 00; 63: 20 00 39; 64: 20 00 04; 65: 20 00 16; 66: 20 00 07; 67-69: 20 00 09..0B;
70-72: 20 00 0D..0F; 73-74: 20 00 33..34; 75: 20 00 28; 76-78: 20 00 5C..5E;
79-80: 20 00 8A..8B; 81-82: 20 00 90..91; 83: 20 00 88; 84: 20 02 00; 85: 20 00 1D;
86: 20 00 1B; 87: 20 00 06; 88: 20 00 19; 89: 20 00 05; 90: 20 00 11; 91: 20 00 10;
92-94: 20 00 36..38; 95: 20 20 00; 96: 20 00 52; 97-99: 20 00 59..5B; 100: 20 00 87;
101: 20 00 89; 102: 20 00 64; 103: 20 00 85; 104: 20 00 00; 105: 20 01 00; 106: 20 08 00;
107: 20 04 00; 108: 20 00 2C; 109: 20 40 00; 110: A0 01 00; 111: 20 00 65; 112: 20 10 00;
113-114: 20 00 50..51; 115: 20 00 4F; 116-117: 20 00 62..63; 118: 20 00 58; 119: 20 00 57;
120-124: D0 A2 01..05; 125: 20 80 00
"""

# Factory codes of the mouse's ten on-screen button positions.
MOUSE_BUTTONS = [
    (0x10, 0x01, 0x00), (0x10, 0x02, 0x00), (0x10, 0x04, 0x00), (0x10, 0x10, 0x00),
    (0x10, 0x08, 0x00), (0x13, 0x01, 0x00), (0x13, 0x02, 0x00), (0x13, 0x03, 0x00),
    (0xA0, 0x1B, 0x00), (0x16, 0x90, 0x01),
]

# Equaliser presets 1 to 12, ten bands each.
EQ_PRESETS = [
    [7, 11, 2, -3, -1, 4, 9, 12, 9, 5],
    [7, 11, 6, -3, -11, -1, 6, 13, 6, 13],
    [10, 4, 0, -3, -4, -3, -2, -1, 0, 0],
    [2, 1, -2, -3, -5, -7, 0, 4, 9, 8],
    [0, 0, 0, 0, 0, 0, 0, 0, 0, 0],
    [7, 14, -13, -6, -1, 8, 13, 7, 2, 6],
    [14, 10, 4, 0, -4, -3, -1, 1, 2, 3],
    [2, 1, -2, -3, -5, -1, 7, 11, 15, 13],
    [8, 2, -4, -8, 1, 3, 8, 11, 14, 16],
    [-3, 4, 10, 0, -11, 3, 9, 13, 6, 0],
    [18, 14, 8, 2, -3, -6, -1, 2, 5, 6],
    [2, 1, -2, -4, -8, 4, 12, 16, 18, 15],
]

MODELS_FILE = ROOT / "resources" / "device_models.json"


def read_models():
    """The models of the models file, as (tab name, device type, model index, LED count)."""
    models = json.loads(MODELS_FILE.read_text(encoding="utf-8"))["models"]
    return [(m["tabName"], m["deviceType"], m["modelIndex"], m["ledCount"]) for m in models]

# Effect names by effect code: (language key suffix, English, Chinese, visible). Codes that run
# a user effect file instead of a built-in effect are hidden.
KEYBOARD_EFFECTS = [
    ("Wave", "波浪"), ("Wide wave", "宽波浪"), ("Falling keys", "落键"), ("Spectrum", "光谱"),
    ("Breathing", "呼吸"), ("Static", "常亮"), ("Reactive", "触发渐变"), ("Ripple", "涟漪"),
    ("Reactive run", "触发跑马"), ("Twinkle", "星光"), ("Colour cycle", "颜色循环"),
    ("Row wave", "行波浪"), ("Fountain", "泉涌"), ("Demonstration", "演示"),
    ("Reverse pulse", "逆向脉冲"), ("Spread", "扩散"), ("Preset colour", "预设颜色"),
    ("Radial rainbow", "径向彩虹"), ("Custom", "自定义"), ("User effect 1", "用户效果1"),
    ("User effect 2", "用户效果2"), ("Pulse sweep", "脉冲扫描"), ("Flash", "闪烁"),
    ("Rain", "雨滴"), ("Reactive neighbours", "触发邻键"), ("Four-colour breathing", "四色呼吸"),
    ("Four-colour flash", "四色闪烁"), ("Off", "关闭"), ("Snake", "贪吃蛇"),
]
KEYBOARD_HIDDEN = {19, 20}
MOUSE_EFFECTS = [
    ("Wave", "波浪"), ("Spectrum", "光谱"), ("Breathing", "呼吸"), ("Static", "常亮"),
    ("Flash", "闪烁"), ("Chase", "追逐"), ("Four-colour breathing", "四色呼吸"),
    ("Four-colour flash", "四色闪烁"), ("Off", "关闭"),
]
PAD_EFFECTS = [
    ("Wave", "波浪"), ("Spectrum", "光谱"), ("Breathing", "呼吸"), ("Static", "常亮"),
    ("Flash", "闪烁"), ("User effect", "用户效果"), ("Chase", "追逐"), ("Pair chase", "对称追逐"),
    ("Off", "关闭"),
]
PAD_HIDDEN = {5}
SIDE_EFFECTS = [("Spectrum", "光谱"), ("Breathing", "呼吸"), ("Static", "常亮"), ("Off", "关闭")]
# Lighting areas by device type.
AREAS = {
    "keyboard": [("Main keys", "主键区"), ("Side light", "侧灯")],
    "mouse": [("Logo", "标志"), ("Wheel", "滚轮"), ("Side", "侧边")],
    "mousePad": [("Edge", "边缘")],
    "headset": [("Ear cups", "耳罩")],
}
AREAS["wirelessMouse"] = AREAS["mouse"]

LANGUAGES = [
    {"Language_ID": 2052, "Language_name": "zh_CN", "Language_file": "lan_cn.xml",
     "Language_text": "简体中文"},
    {"Language_ID": 1033, "Language_name": "en_US", "Language_file": "lan_en.xml",
     "Language_text": "English"},
]


def parse_key_positions(text):
    codes = {}
    for item in " ".join(text.split()).split(";"):
        positions, code = item.split(":")
        kind, first, second = code.split()
        start, _, end = positions.strip().partition("-")
        start, end = int(start), int(end or start)
        low = int(second.split("..")[0], 16)
        if ".." in second and int(second.split("..")[1], 16) - low != end - start:
            sys.exit(f"key positions {positions}: range lengths differ")
        for offset, position in enumerate(range(start, end + 1)):
            if position in codes:
                sys.exit(f"key position {position} given twice")
            codes[position] = (int(kind, 16), int(first, 16), low + offset)
    if sorted(codes) != list(range(126)):
        sys.exit("key positions do not cover 0 to 125")
    return [codes[p] for p in range(126)]


def encode(code):
    kind, first, second = code
    return kind * 65536 + first * 256 + second


def key_list(codes):
    return [{"Assignment": encode(c), "DefaultAssignment": encode(c)} for c in codes]


def light_info(select, speed, fx, multi, rgb):
    return {"SelectItem": select, "Light": 4, "Speed": speed, "Fx": fx, "MultiColor": multi,
            "Red": rgb[0], "Green": rgb[1], "Blue": rgb[2], "CustomGroup": 0,
            "SideSelectItem": 0, "ZZCCLedMode": 0}


def light_list(count):
    # Mode 255 is no overlay: each LED shows the main effect unchanged until a model needs a
    # fixed effect on some of its LEDs.
    return [{"LEDREGMode": 255, "LEDBrightness": 4, "LEDSpeed": 2, "LEDDirection": False,
             "LEDMultiColor": False, "red": 255, "green": 255, "blue": 255}
            for _ in range(count)]


def keyboard_entry(leds):
    white = {"Red": 255, "Green": 255, "Blue": 255, "Alpha": 255}
    return {
        "LightInfo": light_info(0, 2, 1, 1, (255, 0, 0)),
        "LightList": light_list(leds),
        "KeyList": key_list(parse_key_positions(KEY_POSITIONS)),
        "SystemStages": {"Repeat": 20, "RepeatDelay": 1, "Key6Flag": 0, "PollingRate": 0,
                         "WFlag": 0, "WinFlag": 0},
        "CustomLightMode": {"CustomLightModeGroupIndex": 0,
                            "LightColorInfo": [[dict(white) for _ in range(126)]]},
    }


def mouse_entry(leds):
    # DPI values count in steps of the mouse (50 DPI each on the models we know):
    # 400, 800, 1600, 3200 and 6400 DPI.
    colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (255, 0, 255)]
    stages = [{"StageActive": 1, "StageXY": 0, "StageDPIX": steps, "StageDPIY": steps,
               "StageColorR": r, "StageColorG": g, "StageColorB": b}
              for steps, (r, g, b) in zip([8, 16, 32, 64, 128], colours)]
    return {
        "LightInfo": light_info(1, 2, 1, 1, (0, 160, 255)),
        "LightList": light_list(leds),
        "KeyList": key_list(MOUSE_BUTTONS),
        "DPIStages": {"StageActive": 1, "StageDPIs": stages},
        "SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10, "PointerPrecision": 1,
                         "ScorllPage": 0, "WheelScorlllinse": 3},
        "ReportStages": {"StageActive": 0},
        "CorrectInfo": [
            {"CorrectName": "Off", "CorrectPixThresh": 0, "CorrectMinSq": 0, "CorrectSelect": 1},
            {"CorrectName": "Light", "CorrectPixThresh": 2, "CorrectMinSq": 4,
             "CorrectSelect": 0},
            {"CorrectName": "Strong", "CorrectPixThresh": 4, "CorrectMinSq": 16,
             "CorrectSelect": 0},
        ],
    }


def band_row(values):
    return [{"value": v} for v in values]


def headset_entry(leds):
    return {
        "LightInfo": light_info(2, 2, 1, 0, (255, 80, 0)),
        "LightList": light_list(leds),
        "SystemSetStages": {"MagicEnable": 0, "MagicType": 1, "EqType": 5,
                            "CustomEqSeletIndex": 0, "MicInSelect": 1, "MicInValue": 80,
                            "MicMoniterSelect": 0, "MicMoniterValue": 50},
        # Row 0 is never read: type 0 uses row 1.
        "EQHzValueInfo": [band_row([0] * 10)] + [band_row(p) for p in EQ_PRESETS],
        "CustomEQNameInfo": [],
        "CustomEQHzValueInfo": [],
    }


def pad_entry(leds):
    return {"LightInfo": light_info(0, 2, 1, 1, (0, 255, 0)), "LightList": light_list(leds)}


# The default profile entry of each device type.
ENTRIES = {"keyboard": keyboard_entry, "mouse": mouse_entry, "wirelessMouse": mouse_entry,
           "headset": headset_entry, "mousePad": pad_entry}


def effect_key(family, code):
    return f"light_mode_{family}_{code}_text"


def effect_list(family, names, hidden):
    return [{"LightName": effect_key(family, code), "visible": code not in hidden}
            for code in range(len(names))]


def default_light(models):
    by_model = {}
    for _, device_type, model, _ in models:
        if device_type == "keyboard":
            effects = effect_list("keyboard", KEYBOARD_EFFECTS, KEYBOARD_HIDDEN)
            side = effect_list("side", SIDE_EFFECTS, set())
        elif device_type in ("mouse", "wirelessMouse"):
            effects, side = effect_list("mouse", MOUSE_EFFECTS, set()), []
        else:
            effects, side = effect_list("pad", PAD_EFFECTS, PAD_HIDDEN), []
        areas = [{"LightName": area_key(english)} for english, _ in AREAS[device_type]]
        by_model[model] = (effects, side, areas)
    # Indexed by model index; an index no model has stays null, which readers leave alone.
    indices = range(max(by_model) + 1)
    return {"DefaultLightName": [by_model.get(m, (None,) * 3)[0] for m in indices],
            "SideDefaultLightName": [by_model.get(m, (None,) * 3)[1] for m in indices],
            "AreaLightName": [by_model.get(m, (None,) * 3)[2] for m in indices]}


def area_key(english):
    return "light_area_" + english.lower().replace(" ", "_") + "_text"


def language_texts():
    rows = []
    for family, names in (("keyboard", KEYBOARD_EFFECTS), ("mouse", MOUSE_EFFECTS),
                          ("pad", PAD_EFFECTS), ("side", SIDE_EFFECTS)):
        rows += [(effect_key(family, code), en, zh) for code, (en, zh) in enumerate(names)]
    seen = set()
    for areas in AREAS.values():
        for en, zh in areas:
            if area_key(en) not in seen:
                seen.add(area_key(en))
                rows.append((area_key(en), en, zh))
    return rows


def bullet(b, horizontal, vertical, delay):
    """The six events of one bullet: click, then a move that pulls against the recoil."""
    h_action = "down" if horizontal < 0 else "up"  # down moves left
    v_action = "up"  # up moves downwards, against the climbing barrel
    return [
        {"Action": "down", "Button": 1, "Delay": 10, "Type": 1},
        {"Action": "up", "Button": 1, "Delay": 0, "Type": 1},
        {"Action": h_action, "Button": abs(horizontal), "Delay": 5, "Type": 4},
        {"Action": v_action, "Button": vertical, "Delay": delay, "Type": 5},
        {"Action": h_action, "Button": 0, "Delay": 0, "Type": 4},
        {"Action": v_action, "Button": 0, "Delay": 0, "Type": 5},
    ]


# Four factory guns: (delay between shots in ms, vertical pull of the first bullets, of the
# later ones, horizontal sway pattern).
GUNS = [
    (100, 3, 6, [0, 0, 1, 1, 0, -1, -1, 0]),
    (70, 2, 4, [0, 1, 0, -1]),
    (90, 4, 7, [0, 1, 2, 1, 0, -1, -2, -1]),
    (150, 6, 8, [0]),
]


def gun_file(number):
    delay, early, late, sway = GUNS[number]
    events = []
    for b in range(30):
        vertical = early + (late - early) * min(b, 10) // 10
        events += bullet(b, sway[b % len(sway)], vertical, delay)
    name = f"ShootData_{number}"
    return {"MacroName": name, "Guid": name, "Events": events, "Version": 64}


FACTORY_TABLES = ROOT / "device" / "factory_key_tables.inc"


def code_rows(codes):
    return "\n".join(f"    {{0x{k:02X}, 0x{f:02X}, 0x{s:02X}}}," for k, f, s in codes)


def factory_tables_source():
    """The same factory codes for the C++ side, so the defaults and the devices never differ."""
    return (
        "// Generated by scripts/generate-default-data.py from its KEY_POSITIONS and MOUSE_BUTTONS;\n"
        "// edit those and rerun it. Included by device/key_position_tables.cpp.\n"
        "// clang-format off\n"
        "\n"
        "// Kind, first parameter, second parameter of the keyboard's 126 on-screen positions.\n"
        "constexpr std::array<profiles::AssignmentCode, kKeyPositionCount> kFactoryKeyCodes = {{\n"
        f"{code_rows(parse_key_positions(KEY_POSITIONS))}\n"
        "}};\n"
        "\n"
        "// Kind, first parameter, second parameter of the mouse's ten on-screen buttons.\n"
        "constexpr std::array<profiles::AssignmentCode, kMouseButtonCount> kFactoryMouseCodes = {{\n"
        f"{code_rows(MOUSE_BUTTONS)}\n"
        "}};\n"
    )


def write(path, value):
    path.write_text(json.dumps(value, indent=3, ensure_ascii=False, sort_keys=True) + "\n",
                    encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--texts", action="store_true",
                        help="print the language texts of default_light.json as TSV")
    if parser.parse_args().texts:
        for row in language_texts():
            print("\t".join(row))
        return
    OUT.mkdir(parents=True, exist_ok=True)
    models = read_models()
    for name, device_type, _, leds in models:
        write(OUT / f"{name}.Json", {"Device": [ENTRIES[device_type](leds)]})
    write(OUT / "default_light.json", default_light(models))
    for number in range(4):
        write(OUT / f"ShootData_{number}.Shoot", gun_file(number))
    write(OUT / "Language.config", {"Language": LANGUAGES})
    FACTORY_TABLES.write_text(factory_tables_source(), encoding="utf-8")


if __name__ == "__main__":
    main()
