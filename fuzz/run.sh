#!/bin/sh
# fuzz/run.sh [seconds]
#
# Builds the resource parser fuzzers with clang in build-fuzz/ and runs each
# for `seconds` (default 30), starting from the seed corpora. Fails when the
# build fails or any fuzzer reports a crash, a leak or a timeout; the input
# that caused it is kept in build-fuzz/fuzz/artifacts/<parser>/.
set -eu

seconds=${1:-30}
case $seconds in
  ''|*[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON >/dev/null
ninja -C "$build" -j2 fuzzers

failed=""
for parser in resource_file dialog_template dlg_init string_block icon_group icon_image version_info; do
  corpus=$build/fuzz/corpus/$parser
  artifacts=$build/fuzz/artifacts/$parser
  mkdir -p "$corpus" "$artifacts"
  echo "== fuzz_$parser for ${seconds}s"
  if ! "$build/fuzz/fuzz_$parser" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts/" -print_final_stats=1 \
      "$corpus" "$build/fuzz/seeds/$parser" \
      >"$build/fuzz/$parser.log" 2>&1; then
    echo "fuzz_$parser FAILED: see $build/fuzz/$parser.log and $artifacts/" >&2
    tail -n 40 "$build/fuzz/$parser.log" >&2
    failed="$failed $parser"
  else
    grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz/$parser.log" || true
  fi
done

if [ -n "$failed" ]; then
  echo "fuzzing failed:$failed" >&2
  exit 1
fi
echo "all fuzzers ran ${seconds}s without a crash, leak or timeout"
