#!/usr/bin/env bash
# End-to-end: starts the built program on a virtual display, types the birth data of
# 26 February 1973 02:50 (zone -1, 19 07 E, 47 35 N) and calendar year 2026, presses
# "NAPTÁR KÉSZITÉSE", and reads the colours of a few day cells from a screenshot.
# Usage: calendar_e2e.sh <path to ferolune> [screenshot path]
set -euo pipefail

program=$1
shot=${2:-$(mktemp --suffix=.png)}

if [ -z "${FEROLUNE_E2E_INNER:-}" ]; then
  export FEROLUNE_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

wait_for_window() { # name
  for _ in $(seq 1 300); do # up to 30 s on a loaded machine
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window '$1' did not appear" >&2
  return 1
}

# A click at a place of the main window given in twips (the window stands at the top-left).
click_twips() { xdotool mousemove $(( $1 / 15 + 4 )) $(( $2 / 15 + 4 )) click 1; sleep 0.15; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.1; }

main=$(wait_for_window "^FEROLUNE V")
sleep 0.5
xdotool windowfocus --sync "$main" 2>/dev/null || true  # no window manager: give it the keyboard

# The birth year has the focus at start, its text selected; a click into another field
# selects that field's whole text, so typing replaces it.
type_text 1973                         # txtYear
click_twips 1740 660; type_text 2      # txtMonth
click_twips 2580 660; type_text 26     # txtDay
click_twips 3720 660; type_text 2      # Text1 (24-hour clock)
click_twips 4860 660; type_text 50     # txtBirthMinute
click_twips 2940 2400; type_text 2026  # Text3, the calendar year
click_twips 3600 2280                  # Command2 "NAPTÁR KÉSZITÉSE"

calendar=$(wait_for_window "^Holdfázis naptár$")
eval "$(xdotool getwindowgeometry --shell "$calendar")"

pixel() { # x y in screen pixels -> "r,g,b"
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}
# Centre of the day cell of a month and day, from the layout in twips.
cell_x() { echo $(( X + (1560 + 240 * ($2 - 1) + 127) / 15 )); }
cell_y() { echo $(( Y + (540 + 300 * ($1 - 1) + 157) / 15 )); }

# The wait panel (0, 64, 64) covers the window until the year is scanned.
for _ in $(seq 1 600); do
  [ "$(pixel "$(cell_x 1 1)" "$(cell_y 1 1)")" != "0,64,64" ] && break
  sleep 0.1
done
sleep 0.3
import -window root "$shot"

failures=0
expect() { # month day colour name
  local got
  got=$(pixel "$(cell_x "$1" "$2")" "$(cell_y "$1" "$2")")
  if [ "$got" = "$3" ]; then
    echo "ok   $1.$2 $4 ($got)"
  else
    echo "FAIL $1.$2 expected $4 ($3), got $got"
    failures=$((failures + 1))
  fi
}
expect 1 11 "255,0,0" "red (girl)"
expect 2 10 "0,0,255" "blue (boy)"
expect 1 8 "255,255,0" "yellow (fertile)"
expect 1 10 "255,255,0" "yellow (fertile)"
expect 1 20 "255,255,255" "white"
expect 12 31 "0,0,255" "blue (boy)"
expect 3 12 "255,0,0" "red (girl)"
echo "screenshot: $shot"
echo "$(( 7 - failures )) passed, $failures failed"
[ "$failures" -eq 0 ]
