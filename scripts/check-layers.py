#!/usr/bin/env python3
"""Lists every include that reaches a layer its folder may not use, and fails when there is one.

The build already refuses such includes in compiled files; this check also covers headers no
target compiles yet, and prints the whole list at once."""
import pathlib
import re
import sys

# Each layer and the layers below it that it may include (its own headers are always allowed).
ALLOWED = {
    "base": [],
    "platform": ["base"],
    "hid": ["platform", "base"],
    "ui/toolkit": ["base"],
    "ui/controls": ["ui/toolkit", "base"],
    "profiles": ["platform", "base"],
    "profiles/list": ["profiles", "platform", "base"],
    "profiles/panel": ["profiles/list", "profiles", "ui/toolkit", "platform", "base"],
    "keyassign": ["profiles", "platform", "base"],
    "keyassign/panel": ["keyassign", "ui/toolkit", "profiles", "platform", "base"],
    "macros": ["keyassign", "profiles/list", "profiles", "platform", "base"],
    "macros/panel": ["macros", "keyassign", "profiles/list", "profiles", "ui/controls", "ui/toolkit", "platform", "base"],
    "lighting": ["profiles", "hid", "platform", "base"],
    "update": ["platform", "base"],
    "lighting/panel": ["lighting", "ui/toolkit", "profiles", "hid", "platform", "base"],
    "audio": ["profiles", "platform", "base"],
    "audio/panel": ["audio", "ui/toolkit", "profiles", "platform", "base"],
    "device": ["audio/panel", "audio", "macros/panel", "macros", "keyassign/panel", "keyassign", "lighting/panel", "lighting", "profiles/panel", "profiles/list", "profiles", "ui/controls",
               "ui/toolkit", "hid", "platform", "base"],
    "emulator/firmware": ["lighting", "device", "hid", "platform", "base"],
    "emulator": ["audio", "lighting", "emulator/firmware", "device", "hid", "platform", "base"],
    "app": ["update", "audio/panel", "audio", "macros/panel", "macros", "keyassign/panel", "keyassign", "lighting/panel", "lighting", "device", "profiles/panel", "profiles/list", "profiles", "ui/controls",
            "ui/toolkit", "hid", "platform", "base"],
    "cli": ["macros", "keyassign", "lighting", "emulator", "emulator/firmware", "device", "profiles/list", "profiles",
            "hid", "platform", "base"],
    "frontend/qt": ["audio/panel", "audio", "macros/panel", "macros", "keyassign/panel", "keyassign", "lighting/panel", "lighting", "app", "emulator", "device", "profiles/panel", "profiles/list",
                    "profiles", "ui/controls", "ui/toolkit", "hid", "platform", "base"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)/[^/"]+"', re.MULTILINE)


def layer_of(folder: str) -> str | None:
    # The longest layer name that the folder is, or lies in.
    matches = [layer for layer in ALLOWED if folder == layer or folder.startswith(layer + "/")]
    return max(matches, key=len) if matches else None


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    crossings = []
    sources = {path for layer in ALLOWED for path in (root / layer).rglob("*")
               if path.suffix in (".h", ".cpp")}
    for path in sorted(sources):
        relative = path.relative_to(root)
        layer = layer_of(relative.parent.as_posix())
        for included_folder in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            target = layer_of(included_folder)
            if target is None or target == layer or target in ALLOWED[layer]:
                continue
            crossings.append(f"{relative}: {layer} includes {included_folder}/ ({target})")
    for line in crossings:
        print(line)
    if crossings:
        print(f"{len(crossings)} includes cross a layer upward or sideways")
        return 1
    print("layers: no include crosses a layer upward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
