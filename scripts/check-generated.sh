#!/usr/bin/env bash
# Regenerates every generated file and fails when one differs from what is committed: a generated
# file edited by hand, or a table changed without rerunning its generator.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 scripts/generate-default-data.py
python3 scripts/generate-keyboard-keys.py
python3 scripts/generate-skin-svg.py
python3 scripts/generate-udev-rules.py
if ! git diff --exit-code --stat -- resources device; then
    echo "generated files differ from the committed ones: rerun the generators and commit" >&2
    exit 1
fi
untracked=$(git ls-files --others --exclude-standard -- resources device)
if [ -n "$untracked" ]; then
    echo "generators made files that are not committed:" >&2
    echo "$untracked" >&2
    exit 1
fi
echo "generated files: as committed"
