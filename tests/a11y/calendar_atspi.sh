#!/usr/bin/env bash
# The program as a screen reader meets it: started on a virtual display with a D-Bus
# session and the accessibility bus, its main window's controls and then the calendar's
# day cells are read over AT-SPI. The keyboard alone starts the calendar.
# Usage: calendar_atspi.sh <path to ferolune>
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${FEROLUNE_A11Y_INNER:-}" ]; then
  export FEROLUNE_A11Y_INNER=1
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# Qt speaks to the accessibility bus without waiting for a screen reader to ask.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

exec /usr/bin/python3 "$here/read_tree.py" "$pid"
