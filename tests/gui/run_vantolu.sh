#!/usr/bin/env bash
# Runs the real vantolu executable on a private X server and plays the operator:
#   demo      "vantolu --demo" with solid-colour test digits: Enter in the height dialog; the
#             main window must show a height readout (a logged measurement, and digit colours
#             in a screenshot of the window); then the About box from its context menu, then
#             Esc; setup.ini must hold the confirmed height.
#   nosensor  "vantolu" without a sensor: Enter in the height dialog; the start-up messages
#             are answered with Enter and the window then closes itself.
#   cancel    Esc in the height dialog; exactly the closing message box, then the program
#             ends and setup.ini still receives the loaded height.
# Usage: run_vantolu.sh demo|nosensor|cancel <vantolu executable> [screenshot directory]
set -euo pipefail

mode=$1
exe=$2
shots=${3:-}

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid"; fi
  # Wait for the X server to be gone, so the next run cannot meet its display half shut.
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  local name
  for name in app xvfb; do
    if [ -s "$work/$name.log" ]; then
      echo "--- $name output ---" >&2
      cat "$work/$name.log" >&2
    fi
  done
  exit 1
}

# setup.ini is written beside the executable: run a private copy, with its image folder.
cp "$exe" "$work/vantolu"
mkdir -p "$work/image"
args=()
if [ "$mode" = demo ]; then
  # Test digits of one exact colour each (set 0 red-magenta, set 1 green), so a screenshot
  # tells a drawn digit from the camera picture.
  for set in 0 1; do
    for digit in 0 1 2 3 4 5 6 7 8 9; do
      if [ "$set" = 0 ]; then colour="rgb(255,0,$((10 * digit + 5)))"; else colour="rgb(0,255,$((10 * digit + 5)))"; fi
      /usr/bin/convert -size 40x60 "xc:$colour" "PNG24:$work/image/num$set$digit.png"
    done
    /usr/bin/convert -size 40x60 "xc:rgb(255,255,$((set + 1)))" "PNG24:$work/image/cm$((set + 1)).png"
  done
  args=(--demo --measurements "$work/log.csv")
else
  cp "$(dirname "$exe")"/image/*.png "$work/image/" 2>/dev/null || true
fi

# A private X server on a display number of its own. Two runs at once may try the same
# number: the loser's Xvfb exits ("server already running"), and the next number is tried.
x_ready=""
for attempt in $(seq 20); do
  number=$((100 + (RANDOM % 800)))
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp 2>"$work/xvfb.log" &
  xvfb_pid=$!
  export DISPLAY=":$number"
  for _ in $(seq 100); do
    kill -0 "$xvfb_pid" 2>/dev/null || break
    if xdotool getmouselocation >/dev/null 2>&1; then
      x_ready=1
      break
    fi
    sleep 0.05
  done
  # Answering is not enough: the server must be ours, still running a moment later (a
  # server that lost the number exits at once).
  sleep 0.2
  if [ -n "$x_ready" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    break
  fi
  x_ready=""
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
[ -n "$x_ready" ] || fail "no private X server could be started"

# The visible top-level window whose title is exactly $1 (xdotool matches without regard to
# case, and the canvas inside the main window is a window of its own).
find_window() {
  local id
  for id in $(xdotool search --maxdepth 1 --onlyvisible --name "^$1\$" 2>/dev/null); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

wait_for_window() {
  local id
  for _ in $(seq 100); do
    if id=$(find_window "$1"); then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window \"$1\" within 10 s"
}

wait_until_gone() {
  for _ in $(seq 50); do
    find_window "$1" >/dev/null || return 0
    sleep 0.1
  done
  fail "window \"$1\" still open"
}

# Presses a key in the given window (there is no window manager to give it the focus).
press() {
  xdotool windowfocus --sync "$1"
  xdotool key "$2"
}

# Screenshots of this mode go to their own folder, fresh for each run.
if [ -n "$shots" ]; then
  shots="$shots/$mode"
  rm -rf "$shots"
fi

screenshot() {
  if [ -n "$shots" ] && [ -x /usr/bin/import ]; then
    mkdir -p "$shots"
    sleep 0.3  # let the window finish painting
    /usr/bin/import -window "$1" "$shots/$2.png"
  fi
}

# Opens the About box through the main window's context menu (the item is last, with
# mnemonic A), screenshots it, closes it with Enter, then ends the program with Esc.
open_about_and_close() {
  local main=$1 about=""
  xdotool mousemove --window "$main" 100 100
  for _ in 1 2 3; do
    xdotool click 3
    sleep 0.3
    xdotool key a
    if about=$(for _ in $(seq 20); do find_window "バージョン情報 Meziro" && break; sleep 0.1; done); then
      [ -n "$about" ] && break
    fi
  done
  [ -n "$about" ] || fail "the About box did not open from the context menu"
  screenshot "$about" about_box
  press "$about" Return
  wait_until_gone "バージョン情報 Meziro"
  press "$main" Escape
}

# In a sanitizer build the program's own leaks are checked by the unit tests; the graphics
# and font libraries a real window loads keep allocations to the end, so leak checking is
# off for this run (every other AddressSanitizer check stays on).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
(cd / && exec "$work/vantolu" "${args[@]}" >"$work/app.log" 2>&1) &
app_pid=$!

height=$(wait_for_window "高さ入力")
screenshot "$height" height_dialog

case "$mode" in
  demo)
    press "$height" Return
    wait_until_gone "高さ入力"
    main=$(wait_for_window "Vantolu")
    # The demo's people stand facing the sensor from about 5 s on.
    rows=0
    for _ in $(seq 200); do
      rows=$(($(wc -l <"$work/log.csv") - 1))
      [ "$rows" -ge 20 ] && break
      kill -0 "$app_pid" 2>/dev/null || fail "the program ended while the demo ran"
      sleep 0.1
    done
    [ "$rows" -ge 20 ] || fail "no height readout was drawn within 20 s"
    /usr/bin/import -window "$main" "$work/main.png"
    [ -z "$shots" ] || { mkdir -p "$shots"; cp "$work/main.png" "$shots/main_window.png"; }
    digit_pixels=$(/usr/bin/convert "$work/main.png" -depth 8 txt:- |
      grep -cE 'srgb\((255,0,(5|15|25|35|45|55|65|75|85|95)|0,255,(5|15|25|35|45|55|65|75|85|95))\)' || true)
    echo "readouts logged: $rows; digit pixels in the window: $digit_pixels"
    [ "$digit_pixels" -ge 100 ] || fail "the main window shows no digit sprite"
    open_about_and_close "$main"
    ;;
  nosensor)
    press "$height" Return
    wait_until_gone "高さ入力"
    # Answer each message box (captioned with the executable's name) with Enter until the
    # program has ended.
    messages=0
    for _ in $(seq 100); do
      if message=$(find_window "vantolu"); then
        screenshot "$message" "startup_message_$messages"
        press "$message" Return
        messages=$((messages + 1))
      elif ! kill -0 "$app_pid" 2>/dev/null; then
        break
      fi
      sleep 0.1
    done
    [ "$messages" -eq 2 ] || fail "expected the two sensor messages, answered $messages"
    ;;
  cancel)
    press "$height" Escape
    # The message box is captioned with the executable's file name.
    message=$(wait_for_window "vantolu")
    screenshot "$message" exit_message
    press "$message" Return
    ;;
  *)
    fail "unknown mode $mode"
    ;;
esac

for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not end within 10 s"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program exited with status $status"

[ -f "$work/setup.ini" ] || fail "setup.ini was not written beside the executable"
grep -Fxq "[KINECT]" "$work/setup.ini" || fail "setup.ini has no [KINECT] section"
grep -Fxq "HEIGHT=75.500000" "$work/setup.ini" || fail "setup.ini has no HEIGHT=75.500000"
echo "PASS: $mode"
