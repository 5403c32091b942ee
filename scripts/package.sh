#!/usr/bin/env bash
# Builds the Debian packages, zentrox (the programs) and zentrox-data (the data tree): a Release
# build for /usr with Debian's hardening flags in build-package/ (or $ZENTROX_PACKAGE_BUILD_DIR),
# then cpack. Prints the packages' paths, the programs' first.
#   sudo apt-get install ./build-package/zentrox_*.deb ./build-package/zentrox-data_*.deb
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_PACKAGE_BUILD_DIR:-$root/build-package}
"$root/scripts/install-deps.sh"
# Debian's compiler and linker flags: fortified, stack-protected, full RELRO.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# CMake reads no CPPFLAGS: the preprocessor's part (_FORTIFY_SOURCE) goes with the compilers'.
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZENTROX_TESTS=OFF -DCMAKE_STRIP="$root/packaging/strip" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/zentrox_*.deb "$build"/zentrox-data_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/zentrox_*.deb
ls "$build"/zentrox-data_*.deb
