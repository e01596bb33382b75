#!/usr/bin/env bash
# A batch of many small messages: ostrevia-render --output-dir against one
# xsltproc process over the same files with the same (exported) stylesheet,
# side by side in one run. xsltproc writes every page of a batch to one
# output (its "-o DIR/" serves only pages a stylesheet writes itself with
# xsl:document), so its pages go one after another to standard output, into
# one file: the same bytes as the render tool's pages put together in order.
# Rounds alternate between the contestants; medians of wall time, processor
# time (user + system: what a program costs on a machine others share) and
# peak memory are compared. Then the same files to
# PDF with -j 2 (one browser engine for the whole batch): files per second.
#
#   bench/wsad_kontra_xsltproc.sh [FILES=1000] [ROUNDS=5] [PDF_FILES=FILES]
#
# PDF_FILES=0 leaves the PDF part out. OSTREVIA_RENDER names another
# ostrevia-render to measure (an older build, say); OSTREVIA_RENDER_BEFORE
# names one more that runs in the same rounds, for a before/after in one run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-1000}"
rounds="${2:-5}"
pdf_files="${3:-$files}"
source "$root/bench/pomiary_procesow.sh"
mkdir -p "$work/in"
python3 "$root/bench/generuj_ie529.py" 1 "$work/in/ie529_00000.xml" 2>/dev/null
for ((i = 1; i < files; i++)); do cp "$work/in/ie529_00000.xml" "$(printf '%s/in/ie529_%05d.xml' "$work" "$i")"; done
inputs=("$work"/in/*.xml)
before="${OSTREVIA_RENDER_BEFORE:-}"
[[ -z $before || -x $before ]] || { echo "not a program: $before" >&2; exit 1; }

echo "load before: $(uptime)"
: >"$work/x.txt"; : >"$work/r1.txt"; : >"$work/r2.txt"
mkdir -p "$work/x"
# Every round writes into folders of its own, all removed at the end: on an
# ext4 without a journal every new file's inode is sought past the inodes
# freed in the last half minute, so deleting the last round's pages here
# would charge their removal to the next round's file creations.
for ((r = 0; r < rounds; r++)); do
  OUT="$work/x/all.html" run xsltproc "$work/529.xsl" "${inputs[@]}" >>"$work/x.txt"
  run "$render" --output-dir "$work/r1_$r" -j 1 "${inputs[@]}" >>"$work/r1.txt"
  run "$render" --output-dir "$work/r2_$r" -j 2 "${inputs[@]}" >>"$work/r2.txt"
  if [[ -n $before ]]; then
    run "$before" --output-dir "$work/b1_$r" -j 1 "${inputs[@]}" >>"$work/b1.txt"
    run "$before" --output-dir "$work/b2_$r" -j 2 "${inputs[@]}" >>"$work/b2.txt"
  fi
done
# The pages must be the same whoever made them.
same=identical
last=$((rounds - 1))
cat "$work/r1_$last"/*.html | cmp -s - "$work/x/all.html" || same=DIFFER
cat "$work/r2_$last"/*.html | cmp -s - "$work/x/all.html" || same=DIFFER
contestants=(x r1 r2)
if [[ -n $before ]]; then
  contestants+=(b1 b2)
  cat "$work/b1_$last"/*.html | cmp -s - "$work/x/all.html" || same=DIFFER
fi
xt=$(cut -d' ' -f1 "$work/x.txt" | median); xm=$(cut -d' ' -f2 "$work/x.txt" | median)
xc=$(cut -d' ' -f3 "$work/x.txt" | median)
printf '%-22s %9s %6s %9s %6s %8s %6s\n' "$files one-item IE529" wall ratio cpu ratio MiB ratio
for c in "${contestants[@]}"; do
  t=$(cut -d' ' -f1 "$work/$c.txt" | median); m=$(cut -d' ' -f2 "$work/$c.txt" | median)
  p=$(cut -d' ' -f3 "$work/$c.txt" | median)
  case $c in x) name="xsltproc (1 process)" ;; r1) name="render -j 1" ;; r2) name="render -j 2" ;;
    b1) name="before -j 1" ;; b2) name="before -j 2" ;; esac
  awk -v n="$name" -v t="$t" -v xt="$xt" -v m="$m" -v xm="$xm" -v p="$p" -v xc="$xc" 'BEGIN {
    printf "%-22s %8.3fs %6.2f %8.2fs %6.2f %8.1f %6.2f\n", n, t, t / xt, p, p / xc, m / 1024, m / xm }'
done
echo "pages: $same; medians of $rounds alternating rounds; render: $render${before:+; before: $before}"
echo "load after: $(uptime)"

if ((pdf_files > 0)); then
  # The browser engine without a display, and as root without its sandbox.
  if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then export QT_QPA_PLATFORM=offscreen; fi
  if ((EUID == 0)); then
    export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}"
  fi
  pdf_in=("${inputs[@]:0:$pdf_files}")
  rm -rf "$work/p"
  line=$(run "$render" --output-dir "$work/p" --format pdf -j 2 "${pdf_in[@]}")
  n=$(find "$work/p" -name '*.pdf' | wc -l)
  awk -v l="$line" -v n="$n" 'BEGIN { split(l, a, " ");
    printf "PDF -j 2: %d files in %.1f s = %.2f files/s, peak %.0f MiB (render process)\n", n, a[1], n / a[1], a[2] / 1024 }'
  echo "load after PDF: $(uptime)"
fi
