#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed morvactl there: it must find its
# models file, skin and default data under <prefix>/share/morva, not beside itself.
# Usage: install_layout_test.sh <build folder>
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

status=0
for file in bin/morvactl bin/morva share/morva/device_models.json share/morva/skin \
    share/morva/DefaultData share/morva/SDK/libaudioconf.so "share/morva/UpdateData/AP" \
    share/applications/io.github.morva.Morva.desktop \
    share/metainfo/io.github.morva.Morva.metainfo.xml \
    share/icons/hicolor/scalable/apps/io.github.morva.Morva.svg \
    share/morva/autostart/io.github.morva.Morva.desktop \
    share/man/man1/morva.1.gz share/man/man1/morvactl.1.gz \
    share/bash-completion/completions/morvactl share/bash-completion/completions/morva; do
    if [ ! -e "$prefix/$file" ]; then
        echo "FAIL: $file is not installed"
        status=1
    fi
done
if [ -e "$prefix/bin/device_models.json" ]; then
    echo "FAIL: the shipped files were installed beside the programs"
    status=1
fi

# Run from another folder, so that nothing is found through the working folder.
output=$(cd / && "$prefix/bin/morvactl" --demo devices)
if ! grep -q '"assigned":true,.*"model":"keyboard"' <<< "$output"; then
    echo "FAIL: the installed morvactl did not find its devices:"
    echo "$output"
    status=1
fi
[ $status -eq 0 ] && echo "the installed programs find their files"
exit $status
