#!/usr/bin/env bash
# Builds the Windows programs optimised (preset windows-release, build/windows-release) and makes
# of them, with the manual that the Linux build makes (build/release), the installer
# kalvero-<version>-setup.exe (NSIS, packaging/windows/kalvero.nsi) and
# kalvero-<version>-windows-x86_64.zip, a folder Kalvero with the same three files for use without
# installing. Prints the two paths on its last two lines.
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

installer=$PWD/$build/kalvero-$version-setup.exe
zip=$PWD/$build/kalvero-$version-windows-x86_64.zip
rm -f "$installer" "$zip"
makensis -V2 -WX -NOCD -DVERSION="$version" -DPROGRAMS="$staging/Kalvero" \
  -DICON="$build/ui/artwork/logo.ico" -DSIDE_PICTURE="$build/ui/artwork/installer-side.bmp" \
  -DHEADER_PICTURE="$build/ui/artwork/installer-header.bmp" -DLICENCE=packaging/copyright -DOUTFILE="$installer" \
  packaging/windows/kalvero.nsi
(cd "$staging" && cmake -E tar cf "$zip" --format=zip Kalvero)

echo "$installer"
echo "$zip"
