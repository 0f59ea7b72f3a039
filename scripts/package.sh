#!/usr/bin/env bash
# Builds the Debian package kalvero_<version>_<architecture>.deb: a build of the release preset
# (optimised, without tests) in its own folder, with Debian's hardening flags, installed under /usr
# by CPack, stripped, its library dependencies found by dpkg-shlibdeps. Prints the package's path on its last line.
#
#   scripts/package.sh [BUILD]      (default: build/package)
#
# Without dpkg-shlibdeps (Debian's dpkg-dev) or file, CPack silently makes a package that depends
# on no library at all, so this fails unless the package depends on Qt Widgets and on both fonts.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}

scripts/setup.sh
# Fortified functions, a strong stack protector and read-only relocations bound at start; no
# debugging information, which the package strips anyway.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get "$1"; }
cmake --preset release -B "$build" -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build"

rm -f "$build"/kalvero_*.deb
if ! (cd "$build" && cpack -G DEB >cpack.log 2>&1); then
  cat "$build/cpack.log" >&2
  exit 1
fi
packages=("$build"/kalvero_*.deb)
package=${packages[0]}

depends=$(dpkg-deb --field "$package" Depends)
for needed in libqt6widgets6 fonts-wine fonts-liberation; do
  if ! grep -Eq "(^|[ ,|])$needed([ ,(]|$)" <<<"$depends"; then
    echo "package.sh: the package does not depend on $needed; its Depends: ${depends:-(none)}" >&2
    exit 1
  fi
done
echo "Depends: $depends"
echo "$package"
