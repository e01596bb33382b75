#!/usr/bin/env bash
# ostrevia-render against xsltproc on the same generated message and the same
# stylesheet, side by side in one run: the runs alternate between the two
# programs, and the medians of wall time and peak memory are compared.
#
#   bench/render_kontra_xsltproc.sh [RUNS=7] [CASE...]
#
# A CASE is a number of goods items or "<N>mb" for a message of about N MB;
# the default cases are 1, 99, 999 and 50mb. OSTREVIA_RENDER names another
# ostrevia-render to measure (an older build, say).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
shift || true
cases=("$@")
((${#cases[@]})) || cases=(1 99 999 50mb)
source "$root/bench/pomiary_procesow.sh"

printf '%-8s %10s %10s %6s %10s %10s %6s  %s\n' case "xsltproc" "render" ratio "xslt MiB" "rend MiB" ratio pages
for c in "${cases[@]}"; do
  msg="$work/ie529_$c.xml"
  if [[ $c == *mb ]]; then
    python3 "$root/bench/generuj_ie529.py" --mb "${c%mb}" "$msg" >/dev/null 2>&1
  else
    python3 "$root/bench/generuj_ie529.py" "$c" "$msg" >/dev/null 2>&1
  fi
  : >"$work/x.txt"
  : >"$work/r.txt"
  for ((i = 0; i < runs; i++)); do
    run xsltproc -o "$work/x.html" "$work/529.xsl" "$msg" >>"$work/x.txt"
    run "$render" "$msg" -o "$work/r.html" >>"$work/r.txt"
  done
  xt=$(cut -d' ' -f1 "$work/x.txt" | median)
  rt=$(cut -d' ' -f1 "$work/r.txt" | median)
  xm=$(cut -d' ' -f2 "$work/x.txt" | median)
  rm_=$(cut -d' ' -f2 "$work/r.txt" | median)
  same=$(cmp -s "$work/x.html" "$work/r.html" && echo identical || echo DIFFER)
  awk -v c="$c" -v xt="$xt" -v rt="$rt" -v xm="$xm" -v rm="$rm_" -v s="$same" 'BEGIN {
    printf "%-8s %9.3fs %9.3fs %6.2f %10.1f %10.1f %6.2f  %s\n", c, xt, rt, rt / xt, xm / 1024, rm / 1024, rm / xm, s }'
done
echo "medians of $runs alternating runs; render: $render"
