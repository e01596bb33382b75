#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the viewer with FILE.
# Without a display it renders FILE (or the bundled sample) to HTML and PDF.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh" --target ostrevia ostrevia-render >&2

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  if [[ $(id -u) -eq 0 ]]; then
    # Chromium's sandbox does not run as root.
    export QTWEBENGINE_DISABLE_SANDBOX=1
  fi
  exec "$here/build/bin/ostrevia" "$@"
fi

file="${1:-$here/app/przyklad/IE529.xml}"
out="${OSTREVIA_OUT:-$here/out}"
mkdir -p "$out"
base="$(basename "${file%.*}")"
"$here/build/bin/ostrevia-render" "$file" -o "$out/$base.html" --pdf "$out/$base.pdf" >/dev/null
echo "No display: rendered $file"
echo "  HTML: $out/$base.html"
echo "  PDF:  $out/$base.pdf"
