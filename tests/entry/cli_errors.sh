#!/usr/bin/env bash
# The program refuses bad options and unreadable scene files with a message on standard error
# and exit code 2, and writes nothing (no snapshot, no measurement log, no setup.ini).
# Usage: cli_errors.sh <vantolu executable>
set -uo pipefail
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/vantolu"
printf '{ "people": [ { "height_cm": 170, ' >"$work/broken.json"
printf '{ "sensor_height_cm": -3, "people": [] }' >"$work/range.json"

failures=0
expect_refusal() {
  local err="$work/err.txt" status=0
  "$work/vantolu" "$@" --snapshot "$work/out.png" --measurements "$work/m.csv" \
    >/dev/null 2>"$err" </dev/null || status=$?
  if [ "$status" -ne 2 ]; then
    echo "FAIL: vantolu $* exited with $status, expected 2"; failures=$((failures + 1))
  elif [ ! -s "$err" ]; then
    echo "FAIL: vantolu $* said nothing on standard error"; failures=$((failures + 1))
  elif [ -e "$work/out.png" ] || [ -e "$work/m.csv" ] || [ -e "$work/setup.ini" ]; then
    echo "FAIL: vantolu $* wrote a file"; failures=$((failures + 1))
  else
    echo "ok: vantolu $* -> $(head -n1 "$err")"
  fi
}

expect_refusal --bogus
expect_refusal --scene "$work/missing.json"
expect_refusal --scene "$work/broken.json"
expect_refusal --scene "$work/range.json"
expect_refusal --demo --frames 0
expect_refusal --demo --size 640

# Relative paths name files where the program was started, not where it lives.
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && "$work/vantolu" --demo --snapshot shot.png --frames 2 --size 64x48 \
  --measurements m.csv 2>/dev/null) || { echo "FAIL: snapshot with relative paths"; failures=$((failures + 1)); }
if [ -s "$work/elsewhere/shot.png" ] && [ -s "$work/elsewhere/m.csv" ]; then
  echo "ok: relative --snapshot and --measurements land in the starting directory"
else
  echo "FAIL: relative paths were not written in the starting directory"; failures=$((failures + 1))
fi

"$work/vantolu" --help | grep -q -- "--snapshot" || { echo "FAIL: --help"; failures=$((failures + 1)); }
"$work/vantolu" --version | grep -q "1.0" || { echo "FAIL: --version"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "PASS" || exit 1
