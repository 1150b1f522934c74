#!/usr/bin/env bash
# Makes every picture of the manual (docs/manual/*.png) with the program itself:
# the circuits and the state diagram of the traffic light with kelvo16s-cli, and
# the windows from the real program under Xvfb and openbox, screenshot with
# ImageMagick's import. Builds the two programs first.
# Usage: scripts/manual-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh xvfb xauth openbox xdotool x11-utils imagemagick
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target kelvo16s kelvo16s-cli

out=docs/manual
example=examples/traffic-light.sfi
cli=build/kelvo16s-cli
export QT_QPA_PLATFORM=offscreen # the tool draws without a display
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The circuits and the diagram, drawn as "Export As..." and Show Diagram draw them.
"$cli" render "$example" --view all -o "$out/two-part.png"
"$cli" render "$example" --view all --parallel -o "$out/parallel-form.png"
"$cli" render "$example" --view machine -o "$out/output-relays.png"
"$cli" diagram "$example" -o "$work/state-diagram.png"
convert "$work/state-diagram.png" -resize 740x -strip "$out/state-diagram.png" # as wide as the manual's window

# The tile images the drawing is made of, three times their size, named.
tiles=(Coil Noff Non LineD LineH Line1D Line1U LineTD LineTL LineTU Timer "NO ONDelay" "NC ONDelay" "NO OFFDelay"
  "NC OFFDelay")
shown=()
for t in "${tiles[@]}"; do
  convert "Bitmaps/$t.bmp" -scale 300% -background white -gravity center -extent 120x80 \
    -gravity south -splice 0x16 -pointsize 12 -annotate +0+2 "$t.bmp" "$work/tile-${#shown[@]}.png"
  shown+=("$work/tile-${#shown[@]}.png")
done
montage "${shown[@]}" -tile 5x3 -geometry +2+2 -strip "$out/tiles.png"

# The windows.

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
display_number_written() { grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; }
window_manager_up() {
  local check self
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [ -n "$check" ] || return 1
  self=$(xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [ "$self" = "$check" ]
}
visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 | grep .; }
find_window() { # the window of this exact title, waiting up to 20 s
  poll 200 visible_window "$1" || {
    echo "no window '$1' appeared; the program said:" >&2
    cat "$work/program.log" >&2
    exit 1
  }
}
keys() {
  local window=$1
  shift
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool key --delay 100 "$@"
}
# The window's picture once two shots a fifth of a second apart are the same.
same_twice() {
  import -window "$1" "$work/a.png"
  sleep 0.2
  import -window "$1" "$work/b.png"
  [ "$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1)" = "0" ]
}
shoot() {
  poll 50 same_twice "$1" || echo "note: $2 was still changing" >&2
  convert "$work/b.png" -strip "$out/$2"
  echo "$out/$2: $(identify -format '%wx%h' "$out/$2")"
}

: >"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
poll 100 display_number_written || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
DISPLAY=":$(cat "$work/display")"
export DISPLAY
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
poll 100 window_manager_up || { echo "openbox did not start" >&2; exit 1; }

unset QT_QPA_PLATFORM
export HOME=$work # no remembered window places or recent files
build/kelvo16s "$example" >"$work/program.log" 2>&1 &
pids+=($!)
main=$(find_window "Kelvo 16s - traffic-light.sfi")
xdotool windowsize --sync "$main" 1020 780 # room for the whole drawing
shoot "$main" main-window.png

keys "$main" ctrl+f
form=$(find_window "States Input Form")
keys "$form" alt+n alt+n # to S2, the state with two triggers
shoot "$form" entry-form.png

keys "$form" alt+e
equations=$(find_window "Equation Handler")
xdotool windowsize --sync "$equations" 740 420 # as wide as the manual's window
shoot "$equations" equation-view.png
