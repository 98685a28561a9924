#!/usr/bin/env bash
# The layers run one way: core (the computation) -> io (readers and writers) -> gui (the
# windows) and cli (the command line) -> app (the program). Reads every #include "..." of src/ and
# fails when a folder includes one it may not, and every #include <Q...> of the
# computation folders and fails when it is not a Qt Core header.
# Usage: check_layers.sh <src directory> <QtCore header directory>
set -euo pipefail
src=$1
qtcore=$2

# The folders a folder may include from (besides itself), layer by layer: core, then io,
# then gui and beside it cli, then app.
declare -A allowed=(
  [core/common]=""
  [core/chart]="core/common"
  [core/calendar]="core/common core/chart"
  [core/atlas]="core/common"
  [core/places]="core/common core/chart core/atlas"
  [io/form]="core/common core/chart core/atlas"
  [io/texts]="core/common core/chart core/calendar"
  [io/chartfile]="core/common core/chart io/form"
  [io/persons]="core/common core/chart core/calendar io/form"
  [io/page]="core/common core/chart core/calendar io/texts"
  [io/export]="core/common core/chart core/calendar io/texts io/page"
  [gui/widgets]="core/common"
  [gui/calendar_window]="core/common core/chart core/calendar io/texts io/export io/page gui/widgets"
  [gui/main_window]="core/common core/chart core/calendar core/atlas core/places io/form io/texts io/chartfile io/persons io/export io/page gui/widgets gui/calendar_window"
  [cli]="core/common core/chart core/calendar core/atlas core/places io/form io/texts io/chartfile io/persons io/export io/page"
  [app]="core/common core/chart core/calendar core/atlas core/places io/form io/texts io/chartfile io/persons io/export io/page gui/widgets gui/calendar_window gui/main_window"
)
# The computation and the file readers and writers see Qt Core only.
core="core/common core/chart core/calendar core/atlas core/places io/form io/texts io/chartfile io/persons"
# Drawn and run without a window: Qt Gui at most.
windowless="io/page io/export cli"
qtroot=$(dirname "$qtcore")

# The folder a source file or an included path belongs to: a layer's component
# ("core/chart"), or the command line and the program, which are one folder each.
folder_of() {
  case $1 in
    core/*/* | io/*/* | gui/*/*) echo "$1" | cut -d/ -f1-2 ;;
    cli/* | app/*) echo "${1%%/*}" ;;
    *) echo . ;;
  esac
}

failures=0
while IFS= read -r file; do
  relative=${file#"$src"/}
  here=$(folder_of "$relative")
  if [ -z "${allowed[$here]+set}" ]; then
    echo "FAIL $relative: folder '$here' has no place in the layers"
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r included; do
    there=$(folder_of "$included")
    [ "$there" = "$here" ] && continue
    if [[ " ${allowed[$here]} " != *" $there "* ]]; then
      echo "FAIL $relative includes \"$included\": $here may not reach $there"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  if [[ " $core " == *" $here "* ]]; then
    while IFS= read -r header; do
      case $header in
        QtCore/*) continue ;;
        Qt*/*) ;;
        *) [ -e "$qtcore/$header" ] && continue ;;
      esac
      echo "FAIL $relative includes <$header>: the computation sees Qt Core only"
      failures=$((failures + 1))
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(Q[^>]*\)>.*/\1/p' "$file")
  fi
  if [[ " $windowless " == *" $here "* ]]; then
    while IFS= read -r header; do
      case $header in
        QtWidgets/* | QtPrintSupport/*) ;;
        */*) continue ;;
        *) [ -e "$qtroot/QtWidgets/$header" ] || [ -e "$qtroot/QtPrintSupport/$header" ] || continue ;;
      esac
      echo "FAIL $relative includes <$header>: $here draws without widgets"
      failures=$((failures + 1))
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(Q[^>]*\)>.*/\1/p' "$file")
  fi
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)

checked=$(find "$src" -name '*.h' -o -name '*.cpp' | wc -l)
echo "$checked files checked, $failures wrong includes"
[ "$failures" -eq 0 ]
