#!/usr/bin/env bash
# Builds the Windows programs optimised (preset windows-release, build/windows-release) and makes
# of them, with the manual that the Linux build makes (build/release),
# kalvero-<version>-windows-x86_64.zip: a folder Kalvero with the two programs and the manual, for
# use without installing. Prints its path on its last line.
#
#   scripts/package-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/windows-release

scripts/setup.sh
# The manual is made by a Qt tool on the build machine, so it comes from the Linux build.
cmake --preset release >/dev/null
cmake --build build/release --target kalvero_manual
cmake --preset windows-release >/dev/null
cmake --build "$build" --target kalvero kalvero-window

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package-windows.sh: no project version in $build/CMakeCache.txt" >&2; exit 1; }

# The three files, stripped of their symbols, in the folder that the zip holds.
staging=$build/package
rm -rf "$staging"
mkdir -p "$staging/Kalvero"
for program in kalvero kalvero-window; do
  x86_64-w64-mingw32-strip -o "$staging/Kalvero/$program.exe" "$build/app/$program.exe"
done
cp build/release/app/documentation.pdf "$staging/Kalvero/"

zip=$PWD/$build/kalvero-$version-windows-x86_64.zip
rm -f "$zip"
(cd "$staging" && cmake -E tar cf "$zip" --format=zip Kalvero)

echo "$zip"
