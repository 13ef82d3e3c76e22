#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour checks on) and
# runs each for the given number of seconds (default 600). An input that takes more than
# 256 MB or 2 s is a finding too: hostile input must stay cheap. Findings land in
# build-fuzz/artifacts; the seed corpora in fuzz/corpus are copied, never changed.
#   bash scripts/fuzz.sh [seconds] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
if ! command -v clang++ > /dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a > /dev/null 2>&1; then
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get install -y clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DYURAGINE_FUZZ=ON -DYURAGINE_TESTS=OFF -DYURAGINE_BENCH=OFF > /dev/null
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_inifile fuzz_handover fuzz_cp932 fuzz_shortcut fuzz_bookmarks fuzz_anchorscan fuzz_linkexport)
cmake --build build-fuzz -j2 --target "${targets[@]}"
mkdir -p build-fuzz/artifacts
export QT_QPA_PLATFORM=offscreen
status=0
for t in "${targets[@]}"; do
  work="build-fuzz/corpus/$t"
  mkdir -p "$work"
  cp -n fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
  # The importer's test files are seeds too.
  [ "$t" = fuzz_bookmarks ] && cp -n tests/sidebar/*.html "$work"/
  echo "== $t ($seconds s)"
  if ! "build-fuzz/fuzz/$t" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=256 -timeout=2 -print_final_stats=1 \
       -artifact_prefix="build-fuzz/artifacts/$t-" "$work" 2> "build-fuzz/$t.log"; then
    echo "   FINDING: see build-fuzz/$t.log and build-fuzz/artifacts/" >&2
    status=1
  fi
  grep -E "stat::number_of_executed_units|cov:" "build-fuzz/$t.log" | tail -2 || true
done
exit $status
