#!/usr/bin/env bash
# Builds and runs every benchmark once and prints each figure against its target.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DYURAGINE_BENCH=ON > /dev/null
cmake --build build -j2 --target bench_settings bench_rules bench_memo bench_linktool
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for b in bench_settings bench_rules bench_memo bench_linktool; do
  "build/bench/$b" --benchmark_format=json --benchmark_out="$out/$b.json" --benchmark_out_format=json \
    > /dev/null 2> "$out/$b.log" || { cat "$out/$b.log" >&2; exit 1; }
done
python3 - "$out" <<'PY'
import json, sys, glob, os
# name -> (target, unit, lower is better)
targets = {
    "BM_BlockListNavigation/10000": (1.0, "ms", True),
    "BM_FavoritesScan": (20.0, "ms", True),
    "BM_OpenTenMegabytes": (1000.0, "ms", True),
    "BM_SaveTenMegabytes": (500.0, "ms", True),
    "BM_ScanAnchors": (200.0, "MB/s", False),
    "BM_ListAndSort": (500.0, "ms", True),
}
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
print(f"{'benchmark':<34}{'measured':>14}{'target':>14}  ")
for path in sorted(glob.glob(os.path.join(sys.argv[1], "*.json"))):
    for b in json.load(open(path))["benchmarks"]:
        name = b["name"]
        ms = b["real_time"] * scale[b["time_unit"]]
        target = targets.get(name) or targets.get(name.split("/")[0])
        if target and target[1] == "MB/s":
            rate = b.get("bytes_per_second", 0) / 1e6
            ok = rate >= target[0]
            print(f"{name:<34}{rate:>10.0f} MB/s{'>= %d MB/s' % target[0]:>14}  {'ok' if ok else 'MISSED'}")
        elif target:
            ok = ms <= target[0]
            print(f"{name:<34}{ms:>11.3f} ms{'<= %g ms' % target[0]:>14}  {'ok' if ok else 'MISSED'}")
        else:
            print(f"{name:<34}{ms:>11.3f} ms{'':>14}")
PY
