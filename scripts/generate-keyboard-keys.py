#!/usr/bin/env python3
"""Writes the keyboard's select panel (XML/DeviceXml/keyboard_keys.xml) from keyboard_layout.py:
one LED button "light_" n and one key button "key_" n per position, the LED under its key.

With --language en|cn it prints the keycap legends as <Text> entries for the language files.

Run from anywhere:  python3 scripts/generate-keyboard-keys.py  [skin folder]
"""

import os
import sys
from xml.sax.saxutils import quoteattr, escape

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import keyboard_layout  # noqa: E402

HEADER = """<?xml version="1.0" encoding="utf-8"?>
<!-- The on-screen full-size keyboard, written by scripts/generate-keyboard-keys.py from
     scripts/keyboard_layout.py; edit those, not this file. Each position n has an LED button
     "light_n" and, above it, its key button "key_n" (the user data names the position). Keys a
     plain full-size board lacks start hidden. Included by the keyboard pages. -->
"""


def button(attrs):
    return "  <DeviceKeyButton " + " ".join("%s=%s" % (k, quoteattr(v)) for k, v in attrs) + "/>\n"


def panel_xml():
    w, h = keyboard_layout.panel_size()
    text = HEADER
    text += ('<SelectPanel name="device_key_light" width="%d" height="%d" '
             'bkimage="keyboard/keyboard_body.svg" tooltip="%%[kb_select_panel_tip]">\n' % (w, h))
    for key in keyboard_layout.KEYS:
        pos = "%d,%d,%d,%d" % key.rect()
        size = key.size_name()
        hidden = [] if key.visible else [("visible", "false")]
        text += button([("name", "light_%d" % key.pos), ("userdata", "light_%d" % key.pos),
                        ("float", "true"), ("pos", pos)] + hidden +
                       [("bkimage", "keyboard/keys/led_base_%s.svg" % size),
                        ("lightimage", "keyboard/keys/led_glow_%s.svg" % size),
                        ("tooltip", "%[kb_led_tip]")])
        caption = [("text", "%%[%s]" % key.caption)] if key.caption else []
        text += button([("name", "key_%d" % key.pos), ("userdata", "key_%d" % key.pos),
                        ("float", "true"), ("pos", pos)] + hidden + caption +
                       [("font", "10"), ("textpadding", "1,0,1,0"), ("textcolor", "#FFE6E9EF"),
                        ("normalimage", "keyboard/keys/cap_normal_%s.svg" % size),
                        ("hotimage", "keyboard/keys/cap_hot_%s.svg" % size),
                        ("pushedimage", "keyboard/keys/cap_pushed_%s.svg" % size),
                        ("selectedimage", "keyboard/keys/cap_selected_%s.svg" % size),
                        ("keysetimage", "keyboard/keys/keyset_%s.svg" % size),
                        ("tooltip", "%[kb_key_tip]")])
    text += "</SelectPanel>\n"
    return text


def language_xml(index):
    lines = []
    for name, texts in sorted(keyboard_layout.CAPTIONS.items()):
        lines.append('  <Text id=%s>%s</Text>' % (quoteattr("keyboard_key_" + name),
                                                  escape(texts[index])))
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--language":
        sys.stdout.write(language_xml({"en": 0, "cn": 1}[sys.argv[2]]))
        return
    here = os.path.dirname(os.path.abspath(__file__))
    skin = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "skin")
    path = os.path.join(skin, "XML", "DeviceXml", "keyboard_keys.xml")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(panel_xml())
    print("written", os.path.normpath(path))


if __name__ == "__main__":
    main()
