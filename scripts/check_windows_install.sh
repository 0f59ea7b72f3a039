#!/usr/bin/env bash
# Checks the Windows installer as a user gets it, under Wine in a fresh prefix of its own on a
# virtual display: installs kalvero-<version>-setup.exe silently for all users and then
#
#   - the three programs' files and the uninstaller are in C:\Program Files\Kalvero, the shortcut
#     "Kalvero" in the Start menu of all users points at the window program;
#   - the zip beside the installer holds the same three files in a folder Kalvero;
#   - the uninstall key in HKLM (the 64-bit view) names Kalvero, its version, its publisher, its
#     icon, its size, the uninstaller, and offers no repair;
#   - the installed window program paints its main window and ends at its first-paint switch;
#     kalvero.exe --help, and kalvero.exe date on a picture with an EXIF date;
#   - installed with /S /CurrentUser beside it: the files in %LOCALAPPDATA%\Programs\Kalvero, the
#     shortcut in the user's own Start menu, the key under HKCU; that uninstaller, started without a
#     switch, removes this installation (but a file the user added) and nothing of the other;
#   - installed for all users once more with /D= into another folder: the uninstaller left in the
#     first folder removes its own files and neither the key nor the shortcut of the second;
#   - while the installed window program runs, the silent uninstaller removes nothing;
#   - the silent uninstaller leaves nothing of the installation (files, shortcut, key) and keeps the
#     user's settings in %APPDATA%\Vandrel\Kalvero.
#
# Wine reports every user as an administrator, so what a user without those rights is offered
# (the per-user installation by default) is not shown here.
#
#   scripts/check_windows_install.sh [INSTALLER]   (default: the one scripts/package-windows.sh makes)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
began=$SECONDS
checks=0

if (($# > 0)); then
  installer=$(realpath "$1")
else
  # The build's output goes on to standard error, so a failing build shows why.
  installer=$(scripts/package-windows.sh | tee /dev/stderr | tail -n 2 | head -n 1)
fi

work=$(realpath "$(mktemp -d)")
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all LANG=C.UTF-8
export WINEDLLOVERRIDES=winemenubuilder.exe=d
unset LC_ALL

fail() {
  echo "check_windows_install: $*" >&2
  exit 1
}
passed() {
  checks=$((checks + 1))
  echo "ok: $*"
}

# Runs its arguments on a virtual display with a window manager (without one, Wine waits two
# seconds for every window it hides), then waits for Wine's server to end: a silent uninstaller
# returns before the copy of itself that does the work has ended.
session() {
  # shellcheck disable=SC2016  # the inner shell expands its own script
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
    openbox >/dev/null 2>&1 & wm=$!
    for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
    "$@"; status=$?
    wineserver -w
    kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null
    exit $status' session "$@"
}

# `wine reg query` of the 64-bit view, asked again when it fails: now and then the first reg.exe
# started after a session's server has wound down fails once (seen once in about twenty runs).
# Only for keys and values that should be there; an absence is asked once.
key_query() {
  local attempt
  for attempt in 1 2 3; do
    wine reg query "$@" /reg:64 2>/dev/null && return 0
    sleep 1
  done
  return 1
}

# The files of the prefix, except those that Wine itself rewrites as programs run.
PrefixFiles() {
  (cd "$WINEPREFIX/drive_c" && find . \( -type f -o -type l \) | grep -v -E '/(Temp|INetCache|Recent)/' | sort)
}

session wineboot --init >/dev/null 2>&1 || fail "wineboot could not make the prefix"
drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Kalvero"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalvero.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvero'
roaming=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
settings=$(winepath -u "$roaming")/Vandrel/Kalvero
mkdir -p "$settings"
printf '[Folders]\r\nSource=C:\\Pictures\r\n' >"$settings/kalvero.ini"
before=$(PrefixFiles)

CheckInstall() {
  session wine "$installer" /S /AllUsers || fail "the installer failed"
  local file
  for file in kalvero-window.exe kalvero.exe documentation.pdf uninstall.exe; do
    [ -s "$folder/$file" ] || fail "the installer did not install $file"
  done
  cmp -s "$folder/documentation.pdf" build/release/app/documentation.pdf || fail "the installed manual differs"
  [ -f "$shortcut" ] || fail "no shortcut Kalvero in the Start menu of all users"
  strings -el "$shortcut" | grep -qi 'Program Files\\Kalvero\\kalvero-window.exe' ||
    fail "the shortcut does not point at the window program: $(strings -el "$shortcut")"
  passed "installed files and the Start-menu shortcut"
}

# The zip beside the installer holds the same three files, and only them, in a folder Kalvero.
CheckZip() {
  local zip=${installer%-setup.exe}-windows-x86_64.zip file
  [ -f "$zip" ] || fail "no zip $zip beside the installer"
  mkdir "$work/zip"
  (cd "$work/zip" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
  [ "$(cd "$work/zip" && find . -type f | sort | tr '\n' ' ')" = \
    "./Kalvero/documentation.pdf ./Kalvero/kalvero-window.exe ./Kalvero/kalvero.exe " ] ||
    fail "the zip holds: $(cd "$work/zip" && find . -type f)"
  for file in kalvero-window.exe kalvero.exe documentation.pdf; do
    cmp -s "$work/zip/Kalvero/$file" "$folder/$file" || fail "the zip's $file differs from the installed one"
  done
  passed "the zip holds the installed files in a folder Kalvero"
}

CheckUninstallKey() {
  local values name expected
  values=$(key_query "$key" | tr -d '\r') || fail "no uninstall key $key"
  while IFS='|' read -r name expected; do
    grep -Eq "^ +$name +$expected\$" <<<"$values" || fail "the uninstall key lacks $name $expected:
$values"
  done <<'VALUES'
DisplayName|REG_SZ +Kalvero
DisplayVersion|REG_SZ +1\.3
Publisher|REG_SZ +Vandrel Softwareentwicklung
DisplayIcon|REG_SZ +C:\\Program Files\\Kalvero\\kalvero-window\.exe,0
InstallLocation|REG_SZ +C:\\Program Files\\Kalvero
UninstallString|REG_SZ +"C:\\Program Files\\Kalvero\\uninstall\.exe" /AllUsers
EstimatedSize|REG_DWORD +0x[0-9a-f]*[1-9a-f][0-9a-f]*
NoRepair|REG_DWORD +0x1
VALUES
  passed "the uninstall key in the 64-bit view of HKLM"
}

CheckPrograms() {
  local clock help date picture
  clock=$(KALVERO_EXIT_AFTER_FIRST_PAINT=1 session wine "$folder/kalvero-window.exe" 2>/dev/null | tr -d '\r') ||
    fail "the installed window program failed"
  [[ $clock =~ ^[0-9]+\.[0-9]{9}$ ]] || fail "the window program printed '$clock' at its first paint"
  passed "the installed window program paints its main window"
  help=$(wine "$folder/kalvero.exe" --help 2>"$work/help.err" </dev/null | tr -d '\r') ||
    fail "kalvero.exe --help failed: $(cat "$work/help.err")"
  grep -q '^Usage:' <<<"$help" || fail "kalvero.exe --help printed no usage"
  picture=$(winepath -w "$root/tests/data/dated-picture.jpg")
  date=$(wine "$folder/kalvero.exe" date "$picture" 2>/dev/null </dev/null | tr -d '\r') || fail "kalvero.exe date failed"
  # The command line writes a backslash of a path as \\, as it does on Linux.
  [ "$date" = "2019:07:14 10:15:30	${picture//\\/\\\\}" ] || fail "kalvero.exe date printed: $date"
  passed "kalvero.exe --help and date"
}

CheckUninstall() {
  local installed=$1
  session wine "$installed/uninstall.exe" /S /AllUsers || fail "the uninstaller failed"
  [ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed")"
  [ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
  ! wine reg query "$key" /reg:64 >/dev/null 2>&1 || fail "the uninstaller left the key $key"
  [ "$(PrefixFiles)" = "$before" ] || fail "the uninstaller left files:
$(diff <(echo "$before") <(PrefixFiles))"
  grep -q 'Source=C:\\Pictures' "$settings/kalvero.ini" || fail "the uninstaller removed the user's settings"
  passed "the uninstaller removes the installation and keeps the settings"
}

# A second installation for the current user beside the one for all users: its uninstaller, started
# without a switch, removes it and nothing of the other; a file the user put into its folder stays.
CheckCurrentUser() {
  local local_data user_folder user_shortcut user_key=${key/HKLM/HKCU}
  local_data=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')")
  user_folder=$local_data/Programs/Kalvero
  user_shortcut=$(winepath -u "$roaming")/Microsoft/Windows/Start\ Menu/Programs/Kalvero.lnk
  session wine "$installer" /S /CurrentUser || fail "the installer failed for the current user"
  [ -s "$user_folder/kalvero-window.exe" ] || fail "no window program in $user_folder"
  [ -f "$user_shortcut" ] || fail "no shortcut Kalvero in the user's Start menu"
  key_query "$user_key" /v InstallLocation | grep -q 'AppData\\Local\\Programs\\Kalvero' ||
    fail "no uninstall key $user_key"
  key_query "$key" /v InstallLocation | grep -q 'Program Files\\Kalvero' ||
    fail "a per-user installation changed $key"
  echo "the user's own notes" >"$user_folder/notes.txt"
  session wine "$user_folder/uninstall.exe" /S || fail "the uninstaller failed for the current user"
  [ "$(ls "$user_folder")" = notes.txt ] || fail "the uninstaller left or removed in $user_folder: $(ls "$user_folder")"
  [ ! -e "$user_shortcut" ] || fail "the uninstaller left the shortcut in the user's Start menu"
  ! wine reg query "$user_key" /reg:64 >/dev/null 2>&1 || fail "the uninstaller left the key $user_key"
  if [ ! -s "$folder/kalvero-window.exe" ] || [ ! -f "$shortcut" ] || ! key_query "$key" >/dev/null; then
    fail "the per-user uninstaller removed parts of the installation for all users"
  fi
  rm -r "$user_folder"
  passed "installed for the current user beside all users, and uninstalled on its own"
}

# Installed for all users once more, into another folder: the key and the shortcut now name that
# one, so the uninstaller left in the first folder removes its own files and nothing else.
CheckMovedInstallation() {
  local moved=$drive/Apps/Kalvero
  session wine "$installer" /S /AllUsers '/D=C:\Apps\Kalvero' || fail "the installer failed into C:\Apps\Kalvero"
  key_query "$key" /v InstallLocation | grep -q 'C:\\Apps\\Kalvero' ||
    fail "the key does not name the new folder"
  session wine "$folder/uninstall.exe" /S || fail "the uninstaller of the first folder failed"
  [ ! -e "$folder" ] || fail "the first folder's uninstaller left $(find "$folder")"
  [ -s "$moved/kalvero-window.exe" ] || fail "the first folder's uninstaller removed files of C:\Apps\Kalvero"
  key_query "$key" /v InstallLocation | grep -q 'C:\\Apps\\Kalvero' ||
    fail "the first folder's uninstaller removed the key of C:\Apps\Kalvero"
  strings -el "$shortcut" | grep -qi 'Apps\\Kalvero\\kalvero-window.exe' ||
    fail "the first folder's uninstaller removed the shortcut to C:\Apps\Kalvero"
  passed "an uninstaller left behind by a second installation removes only its own files"
}

# While the installed window program runs, the silent uninstaller removes nothing (Windows cannot
# remove a running program, and the rest would be left without its key). The program keeps its
# settings outside the prefix here, so that the user's settings stay as they were.
CheckUninstallWhileRunning() {
  local installed=$1
  # shellcheck disable=SC2016  # the inner shell expands its own script
  KALVERO_APPDATA=$(winepath -w "$work") session bash -c '
    wine "$1/kalvero-window.exe" & program=$!
    for _ in $(seq 100); do wmctrl -l | grep -q "Kalvero 1.3" && break; sleep 0.1; done
    wine "$1/uninstall.exe" /S
    # The uninstaller returns at once; the copy of itself that does the work runs from the
    # temporary folder.
    for _ in $(seq 300); do pgrep -f "~nsu[^ ]*[.]tmp" >/dev/null || break; sleep 0.1; done
    ls "$1" >"$2/during"
    wmctrl -c "Kalvero 1.3"
    wait "$program"' running "$installed" "$work"
  [ "$(tr '\n' ' ' <"$work/during")" = "documentation.pdf kalvero-window.exe kalvero.exe uninstall.exe " ] ||
    fail "the uninstaller removed files while Kalvero ran: $(cat "$work/during")"
  key_query "$key" >/dev/null || fail "the uninstaller removed the key while Kalvero ran"
  passed "the uninstaller removes nothing while Kalvero runs"
}

CheckInstall
CheckZip
CheckUninstallKey
CheckPrograms
CheckCurrentUser
CheckMovedInstallation
CheckUninstallWhileRunning "$drive/Apps/Kalvero"
CheckUninstall "$drive/Apps/Kalvero"
echo "check_windows_install: $checks checks passed in $((SECONDS - began)) s"
