#!/usr/bin/env bash
# Time from process start until the viewer's window is mapped on the display,
# for several viewer builds side by side: the runs alternate between them
# (the order reverses every round) and the medians are compared.
#
#   bench/okno_na_ekranie.sh [ROUNDS=15] [VIEWER...]
#
# VIEWER defaults to build/bin/ostrevia. The display is the caller's (DISPLAY);
# start Xvfb with -noreset, else it resets when a run's program leaves as its
# last client and the next program's connection is refused. OSTREVIA_PLIK
# names a file to open at start.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-15}"
shift || true
viewers=("$@")
((${#viewers[@]})) || viewers=("$root/build/bin/ostrevia")
[[ -n ${DISPLAY:-} ]] || { echo "DISPLAY is not set (start Xvfb first)" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
args=()
[[ -n ${OSTREVIA_PLIK:-} ]] && args=("$OSTREVIA_PLIK")

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One run: milliseconds until a viewable window of the process exists,
# looking every 20 ms (xdotool's own --sync waits half a second).
run() {
  local t0=$EPOCHREALTIME pid
  "$1" "${args[@]}" >/dev/null 2>"$work/err" &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 ended before its window showed:" >&2; tail -n5 "$work/err" >&2; exit 1; }
    sleep 0.02
  done
  local t1=$EPOCHREALTIME
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'
}

n=${#viewers[@]}
for ((r = 0; r < rounds; r++)); do
  for ((i = 0; i < n; i++)); do
    ((r % 2)) && k=$((n - 1 - i)) || k=$i
    run "${viewers[k]}" >>"$work/$k"
  done
done

echo "window mapped after process start, $rounds interleaved rounds, median ms:"
for ((k = 0; k < n; k++)); do
  printf '  %8s  %s   [%s ]\n' "$(sort -n "$work/$k" | awk '{ a[NR] = $1 } END { print (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) }')" \
    "${viewers[k]}" "$(tr '\n' ' ' <"$work/$k" | sed 's/^/ /;s/ $//')"
done
