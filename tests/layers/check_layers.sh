#!/usr/bin/env bash
# The layers run one way: shared rules -> chart -> the calendar computation and the
# readers beside it -> the windows -> the program. Reads every #include "..." of src/ and
# fails when a folder includes one it may not, and every #include <Q...> of the
# computation folders and fails when it is not a Qt Core header.
# Usage: check_layers.sh <src directory> <QtCore header directory>
set -euo pipefail
src=$1
qtcore=$2

# The folders a folder may include from (besides itself).
declare -A allowed=(
  [common]=""
  [chart]="common"
  [calendar]="common chart"
  [chartfile]="common chart"
  [persons]="common chart"
  [atlas]="common"
  [places]="common chart calendar atlas"
  [export]="common chart calendar"
  [page]="common chart calendar"
  [widgets]="common"
  [calendar/window]="common chart calendar export page widgets"
  [cli]="common chart calendar chartfile persons atlas places export page"
  [app]="common chart calendar chartfile persons atlas places export page widgets calendar/window"
)
core="common chart calendar chartfile persons atlas places export"
# Drawn and run without a window: Qt Gui at most.
windowless="page cli"
qtroot=$(dirname "$qtcore")

# The folder a source file or an included path belongs to: calendar/window before calendar.
folder_of() {
  case $1 in
    calendar/window/*) echo calendar/window ;;
    */*) echo "${1%%/*}" ;;
    *) echo . ;;
  esac
}

failures=0
while IFS= read -r file; do
  relative=${file#"$src"/}
  here=$(folder_of "$relative")
  [ "$here" = . ] && continue # main.cpp, the program itself
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
