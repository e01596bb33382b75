#!/usr/bin/env bash
# ostrevia-render against xsltproc on the same large message and the same
# stylesheet, side by side in one run (best of N wall-clock times).
#
#   bench/render_kontra_xsltproc.sh [ITEMS=999] [RUNS=5]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
items="${1:-999}"
runs="${2:-5}"
render="$root/build/bin/ostrevia-render"
[[ -x $render ]] || { echo "build first: $render is missing" >&2; exit 1; }
command -v xsltproc >/dev/null || { echo "xsltproc is missing (scripts/setup.sh installs it)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/generuj_ie529.py" "$items" "$work/ie529.xml" >/dev/null
"$render" --export-stylesheet CC529C -o "$work/529.xsl"

best() { # best wall time in seconds of RUNS runs of the command
  local best="" d
  for ((i = 0; i < runs; i++)); do
    local t0=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    d=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')
    if [[ -z $best ]] || awk -v d="$d" -v b="$best" 'BEGIN { exit !(d < b) }'; then best=$d; fi
  done
  echo "$best"
}

x=$(best xsltproc -o "$work/x.html" "$work/529.xsl" "$work/ie529.xml")
r=$(best "$render" "$work/ie529.xml" -o "$work/r.html")
size=$(stat -c %s "$work/ie529.xml")
echo "IE529 with $items goods items ($size bytes), best of $runs:"
echo "  xsltproc         ${x} s"
echo "  ostrevia-render  ${r} s"
echo "  ratio            $(awk -v r="$r" -v x="$x" 'BEGIN { printf "%.2f", r / x }')"
cmp -s "$work/x.html" "$work/r.html" && echo "  pages identical byte for byte" || echo "  pages differ"
