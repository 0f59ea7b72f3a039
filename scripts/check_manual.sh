#!/usr/bin/env bash
# Checks the manual documentation.pdf against the program it describes. pdftotext must find, in
# the English part and in the German part alike:
#   - every token of the name patterns (DD MM YYYY HH NN SS FFF);
#   - every command and every option (--name) that `kalvero --help` lists, and that the help of
#     each command lists where a command has help of its own (`kalvero COMMAND --help` exits 0);
#   - every exit status, as a row of the exit status table: 0 to 3, and any other status the help
#     names after "Exit status";
#   - every chapter heading, in the body (the table of contents on page 1 does not count).
# Fails with a list of everything that is missing.
#
#   scripts/check_manual.sh [KALVERO [PDF]]
#
# KALVERO defaults to build/test/app/kalvero, PDF to documentation.pdf beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

kalvero=${1:-build/test/app/kalvero}
pdf=${2:-$(dirname "$kalvero")/documentation.pdf}

english_chapters=(
  "1 What Kalvero does"
  "2 A first run, step by step"
  "3 The main window at a glance"
  "4 Names from patterns"
  "5 What happens during a run"
  "6 Languages and settings"
  "7 The command line"
  "8 When something goes wrong"
)
german_chapters=(
  "1 Was Kalvero macht"
  "2 Der erste Lauf Schritt für Schritt"
  "3 Das Hauptfenster im Überblick"
  "4 Namen aus Mustern"
  "5 Was bei einem Lauf geschieht"
  "6 Sprachen und Einstellungen"
  "7 Die Kommandozeile"
  "8 Wenn etwas schiefgeht"
)
tokens=(DD MM YYYY HH NN SS FFF)

fail() {
  echo "check_manual: $*" >&2
  exit 1
}

[ -x "$kalvero" ] || fail "no program at $kalvero (build it, or name it: $0 KALVERO [PDF])"
[ -f "$pdf" ] || fail "no manual at $pdf (build the target kalvero_manual, or name it: $0 KALVERO PDF)"
command -v pdftotext >/dev/null || scripts/setup.sh
command -v pdftotext >/dev/null || fail "pdftotext is missing (Debian package poppler-utils)"

# ---- What the program says about itself ------------------------------------------------------

# A settings folder of its own, so that no command can find stored folders and start a run.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config
all_help=$(help_texts "$kalvero") || fail "$kalvero --help failed"
mapfile -t commands < <(help_commands "$kalvero")
mapfile -t options < <(help_options <<<"$all_help")

# "Exit status: 0 all copied; 1 ...; 2 ...", "Exit status of date and exif: 0, or 1 ..., or 2 ...".
mapfile -t statuses < <(
  {
    printf '%s\n' 0 1 2 3
    tr '\n' ' ' <<<"$all_help" | grep -oE 'Exit status[^.]*' | grep -oE '(: |; |, |or )[0-9]+ ' |
      grep -oE '[0-9]+'
  } | sort -nu
)

((${#commands[@]} > 0)) || fail "kalvero --help lists no commands"
((${#options[@]} > 0)) || fail "kalvero --help lists no options"

# ---- What the manual says -------------------------------------------------------------------

# The body without page 1, in reading order (a heading is a line of its own) and as laid out on
# the page (a table row is a line; and no word is joined across a line that ends in a hyphen).
plain() { sed -e 's/\f//g' -e 's/ﬁ/fi/g' -e 's/ﬂ/fl/g' -e 's/[[:space:]]*$//'; }
body=$(pdftotext -q -enc UTF-8 -f 2 "$pdf" - | plain)
layout=$(pdftotext -q -enc UTF-8 -layout -f 2 "$pdf" - | plain)

# The German part starts at its first chapter.
german_start="${german_chapters[0]}"
grep -qxF "$german_start" <<<"$body" || fail "$pdf has no chapter \"$german_start\" in its body"
english_body=$(sed "/^${german_start}\$/,\$d" <<<"$body")
german_body=$(sed -n "/^${german_start}\$/,\$p" <<<"$body")
english_layout=$(sed "/^[[:space:]]*${german_start}\$/,\$d" <<<"$layout")
german_layout=$(sed -n "/^[[:space:]]*${german_start}\$/,\$p" <<<"$layout")

missing=()

# Whether a word stands in the text on its own (not as part of a longer option or token).
has_word() { grep -qE -- "(^|[^A-Za-z0-9_-])$1([^A-Za-z0-9_-]|\$)" <<<"$2"; }

# The rows of the exit status table: the lines from the heading to the next heading.
exit_rows() {
  awk -v heading="$1" '
    $0 ~ (heading "$") { inside = 1; next }
    inside && /^[[:space:]]*[0-9]+\.[0-9]+ [A-Z]/ { inside = 0 }
    inside { print }' <<<"$2"
}

check_part() {
  local name=$1 text=$2 layout_text=$3 exit_heading=$4
  shift 4
  local chapter token command option status rows
  for chapter in "$@"; do
    grep -qxF "$chapter" <<<"$text" || missing+=("$name: chapter heading \"$chapter\"")
  done
  for token in "${tokens[@]}"; do
    has_word "$token" "$layout_text" || missing+=("$name: token $token")
  done
  for command in "${commands[@]}"; do
    grep -qF "kalvero $command" <<<"$layout_text" || missing+=("$name: command kalvero $command")
  done
  for option in "${options[@]}"; do
    has_word "$option" "$layout_text" || missing+=("$name: option $option")
  done
  rows=$(exit_rows "$exit_heading" "$layout_text")
  [ -n "$rows" ] || missing+=("$name: a section \"$exit_heading\"")
  for status in "${statuses[@]}"; do
    grep -qE "^[[:space:]]*$status[[:space:]]{2,}[^[:space:]]" <<<"$rows" ||
      missing+=("$name: exit status $status in the table under \"$exit_heading\"")
  done
}

check_part "English" "$english_body" "$english_layout" "Exit status" "${english_chapters[@]}"
check_part "German" "$german_body" "$german_layout" "Exit-Status" "${german_chapters[@]}"

if ((${#missing[@]} > 0)); then
  echo "check_manual: $pdf lacks what the program and its chapters need:" >&2
  printf '  %s\n' "${missing[@]}" >&2
  echo "Describe it in docs/manual/manual.html (English and German), then build kalvero_manual." >&2
  exit 1
fi
echo "check_manual: $pdf describes ${#commands[@]} commands, ${#options[@]} options, ${#statuses[@]} exit" \
  "statuses and ${#tokens[@]} tokens, with ${#english_chapters[@]} chapters in English and in German."
