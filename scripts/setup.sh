#!/usr/bin/env bash
# Installs the Debian packages that building, testing and fuzzing need, and the further packages
# named as arguments (those of the screenshots and benchmarks); packages already installed are
# skipped, so a second run takes a moment. Runs as root, or through sudo.
#
#   scripts/setup.sh [PACKAGE...]
set -euo pipefail

packages=(
  g++ cmake ninja-build            # build
  qt6-base-dev                     # the window program; the Windows build draws its pictures with it
  libgtest-dev libgmock-dev        # tests
  clang libclang-rt-14-dev         # fuzzing with libFuzzer and the sanitizers
  fonts-liberation fonts-dejavu-core fonts-wine  # fonts with the metrics the windows are laid out for
  xvfb xauth                       # a virtual display for screenshots and the start-up benchmark
  openbox wmctrl                   # a window manager for the tests that need a real X server
  poppler-utils                    # pdftotext for the checks of the manual
  g++-mingw-w64-x86-64-posix googletest  # the Windows build: the cross compiler, GoogleTest's sources
  icoutils libxml2-utils           # the Windows build: wrestool and xmllint, to check the manifests
  wine wine64                      # the Windows tests
  nsis                             # the Windows installer
  dpkg-dev file lintian            # the Debian package: library dependencies, its checks
  desktop-file-utils appstream man-db xdotool  # checks of the installed desktop entry, metadata, man page, window
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
