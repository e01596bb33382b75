# Sourced by the scripts that set ostrevia-render against xsltproc (with
# $root set): the two programs checked, a private work folder ($work, gone at
# exit) holding the exported IE529 stylesheet, one timed run and the median.

render="${OSTREVIA_RENDER:-$root/build/bin/ostrevia-render}"
[[ -x $render ]] || { echo "build first: $render is missing" >&2; exit 1; }
command -v xsltproc >/dev/null || { echo "xsltproc is missing (scripts/setup.sh installs it)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$render" --export-stylesheet CC529C -o "$work/529.xsl"

# One run: wall seconds, peak resident kilobytes and processor seconds (user
# + system), on one line. OUT names where standard output goes.
OUT=/dev/null
run() {
  local t0=$EPOCHREALTIME
  /usr/bin/time -f '%M %U %S' -o "$work/rss" "$@" >"$OUT" 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  awk -v a="$t0" -v b="$EPOCHREALTIME" -v l="$(tail -n1 "$work/rss")" 'BEGIN { split(l, m, " ");
    printf "%.4f %d %.2f\n", b - a, m[1], m[2] + m[3] }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
