# shellcheck shell=bash
# Reading the commands and options out of kalvero's help, for the checks of the manual and of the
# man page; sourced, not run. Every function takes the program as its first argument and runs it
# with empty input, so that nothing waits for a terminal. Run them with a settings folder of your
# own (XDG_CONFIG_HOME), so that no command finds stored folders and starts a run.

# The commands `kalvero --help` lists, one a line.
help_commands() {
  "$1" --help </dev/null | grep -oE '^[[:space:]]+kalvero [a-z]+' | awk '{ print $2 }' | sort -u
}

# `kalvero --help`, then `kalvero COMMAND --help` of every command with help of its own. A command
# without it says that it does not know --help, or takes it for a FILE, and fails: it is left out.
help_texts() {
  local kalvero=$1 command text
  "$kalvero" --help </dev/null || return
  for command in $(help_commands "$kalvero"); do
    if text=$("$kalvero" "$command" --help 2>/dev/null </dev/null); then printf '%s\n' "$text"; fi
  done
}

# The options (--name) of the help texts on standard input, one a line.
help_options() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
