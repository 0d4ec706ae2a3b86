#!/usr/bin/env bash
# Builds the Debian package: build-package/morva_<version>_<arch>.deb, with the dependencies
# dpkg-shlibdeps finds. scripts/check-package.sh then installs it into a fresh Debian 12.
set -euo pipefail

cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset package
cmake --build --preset package -j"$(nproc)"
(cd build-package && cpack -G DEB)
ls -l build-package/morva_*.deb
