#!/usr/bin/env bash
# Takes the README's screenshots of the viewer window on a virtual display:
# docs/okno-IE529.png and docs/okno-IE599.png (small palette PNGs).
#   scripts/zrzuty_ekranu.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
xvfb=
cleanup() { [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT
# The user's own settings and recent files stay out of the pictures.
export HOME=$tmp XDG_CONFIG_HOME=$tmp/.config XDG_DATA_HOME=$tmp/.local/share XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
# A free display number, from the server itself: others may run theirs.
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$tmp/ekran" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [[ -s $tmp/ekran ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/ekran")

zrzut() { # MESSAGE OUT.png
  "$build/bin/ostrevia" "$1" &
  local program=$! okno=
  for _ in $(seq 100); do
    okno=$(xdotool search --onlyvisible --name '^Ostrevia ver' 2>/dev/null | head -n 1) && [[ -n $okno ]] && break
    sleep 0.2
  done
  [[ -n $okno ]] || { echo "zrzuty: no window" >&2; kill "$program"; return 1; }
  # Top left, clear of the start-up notice at the bottom right.
  xdotool windowmove "$okno" 0 0 windowsize "$okno" 860 640
  sleep 6 # the page loads and the start-up notice settles
  import -window "$okno" "$tmp/okno.png"
  convert "$tmp/okno.png" -colors 64 "PNG8:$2"
  kill "$program"
  wait "$program" 2>/dev/null || true
}
zrzut tests/data/IE529.xml docs/okno-IE529.png
zrzut tests/data/IE599.xml docs/okno-IE599.png
ls -l docs/okno-IE529.png docs/okno-IE599.png
