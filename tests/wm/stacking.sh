#!/usr/bin/env bash
# Under a real window manager (Xvfb + openbox), the secondary windows and the
# message boxes stay in front of the window that owns them, also after a click
# on the disabled main window. Reads the window manager's stacking order
# (_NET_CLIENT_LIST_STACKING, bottom to top) and WM_TRANSIENT_FOR with xprop.
# Every wait polls for a condition with a bound; the program starts only once
# openbox manages the display.
# Usage: stacking.sh PROGRAM EXAMPLES_DIR. Exit 77 (skipped) without the tools.
set -uo pipefail
program=$1
examples=$2
for tool in Xvfb openbox xdotool xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/test.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# poll TENTHS COMMAND...: runs COMMAND every tenth of a second until it succeeds, at most TENTHS times.
poll() {
  local tries=$1
  shift
  while ! "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}
# up_or_gone PID CONDITION: the condition holds, or the process that should make it hold has ended.
up_or_gone() { "$2" || ! kill -0 "$1" 2>/dev/null; }
display_number_written() { grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; }
# openbox is up when the root names a check window that names itself (the EWMH handshake).
window_manager_up() {
  local check self
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [ -n "$check" ] || return 1
  self=$(xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [ "$self" = "$check" ]
}
stop_display() {
  local p
  for p in "$@"; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
  pids=()
}
# Xvfb on a display it picks itself (-displayfd), kept across clients (-noreset), then openbox on it.
start_display() {
  local xvfb wm
  : >"$work/display"
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  pids=("$xvfb")
  if ! poll 100 up_or_gone "$xvfb" display_number_written || ! display_number_written; then
    stop_display "$xvfb"
    return 1
  fi
  DISPLAY=":$(cat "$work/display")"
  export DISPLAY
  openbox >"$work/openbox.log" 2>&1 &
  wm=$!
  pids+=("$wm")
  if ! poll 100 up_or_gone "$wm" window_manager_up || ! window_manager_up; then
    stop_display "$wm" "$xvfb"
    return 1
  fi
}
started=0
for attempt in 1 2 3; do
  if start_display; then
    started=1
    break
  fi
  echo "note: no window manager on try $attempt, starting again"
done
if [ "$started" -eq 0 ]; then
  echo "FAIL: no window manager: openbox did not come up on Xvfb in 3 tries ($(tail -n 1 "$work/openbox.log"))"
  exit 1
fi

unset QT_QPA_PLATFORM
export HOME=$work  # the program's settings (recent files) stay in the test folder
"$program" "$examples/four-state-cycle.sfi" >"$work/program.log" 2>&1 &
pids+=($!)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
hex() { printf '0x%x' "$1"; }
stacking() { xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed 's/.*# //' | grep -o '0x[0-9a-f]*'; }
position() {  # place of a window in the stacking order, bottom 0; -1 when it is not managed
  local i=0 w
  for w in $(stacking); do
    [ "$((w))" -eq "$1" ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}
managed() { [ "$(position "$1")" -ge 0 ]; }
unmanaged() { [ "$(position "$1")" -lt 0 ]; }
visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 | grep .; }
find_window() {  # the window of this exact title once the window manager manages it, waiting up to 20 s
  local id
  id=$(poll 200 visible_window "$1") || return 1
  poll 50 managed "$id" || return 1
  echo "$id"
}
settled_stacking() {  # the stacking order read twice a tenth of a second apart is the same
  local before
  before=$(stacking)
  sleep 0.1
  [ "$(stacking)" = "$before" ]
}
above() { [ "$(position "$1")" -gt "$(position "$2")" ]; }
expect_above() {  # $1 above $2, and transient for $3
  local what=$4 owner
  poll 30 above "$1" "$2" || fail "$what is not above its owner: $(stacking | tr '\n' ' ')"
  owner=$(xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  { [ -n "$owner" ] && [ "$((owner))" -eq "$3" ]; } || fail "$what is transient for '$owner', not $(hex "$3")"
}
click_on() {  # a click in the middle of a window (the main window is disabled: nothing happens there)
  local X Y WIDTH HEIGHT SCREEN WINDOW  # set by the eval below
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$1") || { fail "window $(hex "$1") has no geometry"; return; }
  eval "$geometry"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 3)) click 1
  poll 30 settled_stacking
}
keys() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  shift
  xdotool key --delay 100 "$@"
}
close_with_escape() {  # Escape in a window, then wait until the window manager has let it go
  keys "$1" Escape
  poll 50 unmanaged "$1" || fail "$2 did not close on Escape"
}

main=$(find_window "Kelvo 16s - four-state-cycle.sfi") || { fail "the file named on the command line was not opened"; cat "$work/program.log"; exit 1; }

keys "$main" F1
if about=$(find_window "About Kelvo 16s"); then
  click_on "$main"
  expect_above "$about" "$main" "$main" "About"
  close_with_escape "$about" "About"
else
  fail "About did not open"
fi

keys "$main" ctrl+p
if printer=$(find_window "Printer"); then
  click_on "$main"
  expect_above "$printer" "$main" "$main" "the print window"
  xdotool mousemove --window "$printer" 250 308 click 1  # Print: no printer here, so a PDF file is asked for
  if pdf=$(find_window "Print to PDF File"); then
    expect_above "$pdf" "$printer" "$printer" "the PDF file dialog"
    close_with_escape "$pdf" "the PDF file dialog"
    click_on "$main"
    expect_above "$printer" "$main" "$main" "the print window after its file dialog"
  else
    fail "Print did not ask for a PDF file"
  fi
  close_with_escape "$printer" "the print window"
else
  fail "the print window did not open"
fi

keys "$main" ctrl+f
if form=$(find_window "States Input Form"); then
  expect_above "$form" "$main" "$main" "the entry form"
  keys "$form" alt+l  # Clear Form asks first
  if box=$(find_window "Confirm"); then
    click_on "$main"
    expect_above "$box" "$form" "$form" "the entry form's question"
    [ "$(position "$form")" -gt "$(position "$main")" ] || fail "the main window came up over the entry form"
    close_with_escape "$box" "the entry form's question"  # No: the form is not cleared
  else
    fail "Clear Form did not ask"
  fi
  close_with_escape "$form" "the entry form"
else
  fail "the entry form did not open"
fi

if [ "$failures" -eq 0 ]; then echo "PASS: every window stayed in front of its owner"; fi
exit $((failures > 0))
