#!/usr/bin/env bash
# Runs the real vantolu executable on a private X server and plays the operator:
#   confirm  Enter in the height dialog, the About box from the main window's context menu,
#            Esc in the main window; setup.ini must hold the confirmed height.
#   cancel   Esc in the height dialog; exactly the closing message box, then the program
#            ends and setup.ini still receives the loaded height.
# Usage: run_vantolu.sh confirm|cancel <vantolu executable> [screenshot directory]
set -euo pipefail

mode=$1
exe=$2
shots=${3:-}

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid"; fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then kill "$xvfb_pid"; fi
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

# setup.ini is written beside the executable: run a private copy.
cp "$exe" "$work/vantolu"

# Xvfb picks a free display number itself and reports it on fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
x_ready=""
for _ in $(seq 100); do
  if xdotool getmouselocation >/dev/null 2>&1; then
    x_ready=1
    break
  fi
  sleep 0.05
done
[ -n "$x_ready" ] || fail "Xvfb on $DISPLAY does not answer"

# The visible window whose title is exactly $1 (xdotool matches without regard to case).
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
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

screenshot() {
  if [ -n "$shots" ] && [ -x /usr/bin/import ]; then
    mkdir -p "$shots"
    sleep 0.3  # let the window finish painting
    /usr/bin/import -window "$1" "$shots/$2.png"
  fi
}

(cd / && exec "$work/vantolu" >"$work/app.log" 2>&1) &
app_pid=$!

height=$(wait_for_window "高さ入力")
screenshot "$height" height_dialog

case "$mode" in
  confirm)
    press "$height" Return
    main=$(wait_for_window "Vantolu")
    wait_until_gone "高さ入力"

    # The About item sits at the end of the main window's context menu, with mnemonic A.
    xdotool mousemove --window "$main" 100 100
    about=""
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
