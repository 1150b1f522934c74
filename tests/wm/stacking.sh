#!/usr/bin/env bash
# Under a real window manager (Xvfb + openbox), the secondary windows and the
# message boxes stay in front of the window that owns them, also after a click
# on the disabled main window. Reads the window manager's stacking order
# (_NET_CLIENT_LIST_STACKING, bottom to top) and WM_TRANSIENT_FOR with xprop.
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

display=:$((90 + RANDOM % 400))
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

unset QT_QPA_PLATFORM
export HOME=$work  # the program's settings (recent files) stay in the test folder
"$program" "$examples/four-state-cycle.sfi" >"$work/program.log" 2>&1 &
pids+=($!)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
find_window() {  # the window of this exact title, waiting up to 20 s
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    if [ -n "$id" ]; then
      sleep 0.5  # mapped; let the window manager place it
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
hex() { printf '0x%x' "$1"; }
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'; }
position() {  # place of a window in the stacking order, bottom 0
  local i=0
  for w in $(stacking); do
    [ "$((w))" -eq "$1" ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}
expect_above() {  # $1 above $2, and transient for $3
  local what=$4
  for _ in $(seq 30); do  # the window manager may still be restacking
    [ "$(position "$1")" -gt "$(position "$2")" ] && break
    sleep 0.1
  done
  [ "$(position "$1")" -gt "$(position "$2")" ] || fail "$what is not above its owner: $(stacking)"
  local owner
  owner=$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
  [ "$((owner))" -eq "$3" ] || fail "$what is transient for '$owner', not $(hex "$3")"
}
click_on() {  # a click in the middle of a window (the main window is disabled: nothing happens there)
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 3)) click 1
  sleep 0.5
}
keys() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  shift
  xdotool key --delay 100 "$@"
  sleep 0.3
}

main=$(find_window "Kelvo 16s - four-state-cycle.sfi") || { fail "the file named on the command line was not opened"; cat "$work/program.log"; exit 1; }

keys "$main" F1
if about=$(find_window "About Kelvo 16s"); then
  click_on "$main"
  expect_above "$about" "$main" "$main" "About"
  keys "$about" Escape
else
  fail "About did not open"
fi

sleep 0.5
keys "$main" ctrl+p
if printer=$(find_window "Printer"); then
  click_on "$main"
  expect_above "$printer" "$main" "$main" "the print window"
  xdotool mousemove --window "$printer" 250 308 click 1  # Print: no printer here, so a PDF file is asked for
  if pdf=$(find_window "Print to PDF File"); then
    expect_above "$pdf" "$printer" "$printer" "the PDF file dialog"
    keys "$pdf" Escape
    sleep 0.5
    click_on "$main"
    expect_above "$printer" "$main" "$main" "the print window after its file dialog"
  else
    fail "Print did not ask for a PDF file"
  fi
  keys "$printer" Escape
else
  fail "the print window did not open"
fi

sleep 0.5
keys "$main" ctrl+f
if form=$(find_window "States Input Form"); then
  expect_above "$form" "$main" "$main" "the entry form"
  keys "$form" alt+l  # Clear Form asks first
  if box=$(find_window "Confirm"); then
    click_on "$main"
    expect_above "$box" "$form" "$form" "the entry form's question"
    [ "$(position "$form")" -gt "$(position "$main")" ] || fail "the main window came up over the entry form"
    keys "$box" Escape  # No: the form is not cleared
  else
    fail "Clear Form did not ask"
  fi
  sleep 0.3
  keys "$form" Escape
else
  fail "the entry form did not open"
fi

if [ "$failures" -eq 0 ]; then echo "PASS: every window stayed in front of its owner"; fi
exit $((failures > 0))
