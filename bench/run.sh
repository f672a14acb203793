#!/usr/bin/env bash
# bench/run.sh [runs]
#
# Builds an optimised program in build-bench/, then on a private Xvfb measures
# for `runs` starts (default 9) of quilvane and of xmessage (a minimal X11
# dialog, for comparison, in the same run): start to first full frame, peak
# memory and idle CPU and wake-ups; then the in-process figures (a key to the
# changed frame presented, a full repaint) on the headless backend.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
qv_ensure_packages "${QV_BUILD_PACKAGES[@]}" "${QV_TEST_PACKAGES[@]}" x11-utils

runs=${1:-9}
idle=${QV_BENCH_IDLE_SECONDS:-10}
build=$root/build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quilvane startup_bench inprocess_bench

program=$build/app/quilvane
echo "== binary: $(stat -c %s "$program") bytes; shared libraries loaded: $(ldd "$program" | wc -l)"
echo
"$build/bench/startup_bench" --title "QUILVANE v2.03" --runs "$runs" --idle-seconds "$idle" --modal-idle -- "$program" | tee "$build/bench-quilvane.txt"
echo
"$build/bench/startup_bench" --title "xmessage" --runs "$runs" --idle-seconds "$idle" -- \
  xmessage -center "No data acquisition hardware detected. Recording is disabled." | tee "$build/bench-xmessage.txt"
echo

ours=$(sed -n 's/^RESULT first_frame_ms=\([0-9.]*\).*/\1/p' "$build/bench-quilvane.txt")
theirs=$(sed -n 's/^RESULT first_frame_ms=\([0-9.]*\).*/\1/p' "$build/bench-xmessage.txt")
ours_mb=$(sed -n 's/.*peak_mb=\([0-9.]*\).*/\1/p' "$build/bench-quilvane.txt")
theirs_mb=$(sed -n 's/.*peak_mb=\([0-9.]*\).*/\1/p' "$build/bench-xmessage.txt")
awk -v a="$ours" -v b="$theirs" -v c="$ours_mb" -v d="$theirs_mb" \
  'BEGIN { printf "quilvane/xmessage: first frame %.2f, peak memory %.2f\n\n", a / b, c / d }'

"$build/bench/inprocess_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
