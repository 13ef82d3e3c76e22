#!/usr/bin/env bash
# Builds and runs every benchmark once and prints each figure against its target.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DYURAGINE_BENCH=ON > /dev/null
cmake --build build -j2 --target bench_settings bench_rules bench_memo bench_linktool bench_cookies
export QT_QPA_PLATFORM=offscreen
# Qt WebEngine (bench_cookies) refuses its sandbox as root; only then is it turned off.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for b in bench_settings bench_rules bench_memo bench_linktool bench_cookies; do
  "build/bench/$b" --benchmark_format=json --benchmark_out="$out/$b.json" --benchmark_out_format=json \
    > /dev/null 2> "$out/$b.log" || { cat "$out/$b.log" >&2; exit 1; }
done
python3 - "$out" <<'PY'
import json, sys, glob, os
# name -> [(what, target, lower is better)]; what: "ms" (time), "MB/s", or a counter's name
targets = {
    "BM_BlockListNavigation/10000": [("ms", 1.0, True)],
    "BM_FavoritesScan": [("ms", 20.0, True)],
    "BM_OpenTenMegabytes": [("ms", 1000.0, True)],
    "BM_SaveTenMegabytes": [("ms", 500.0, True)],
    "BM_ScanAnchors": [("MB/s", 200.0, False)],
    "BM_ListAndSort": [("ms", 500.0, True)],
    "BM_ScanUnclosedAnchors": [("ms", 50.0, True), ("heldMB", 20.0, True)],
    "BM_ImportAmpersands/4194304/iterations:1": [("ms", 1000.0, True)],
    "BM_CookieLoop/iterations:3": [("uiHeldMs", 100.0, True), ("rewrites", 40.0, True)],
}
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
print(f"{'benchmark':<44}{'measured':>16}{'target':>16}  ")
for path in sorted(glob.glob(os.path.join(sys.argv[1], "*.json"))):
    for b in json.load(open(path))["benchmarks"]:
        name = b["name"]
        if name.endswith("_BigO") or name.endswith("_RMS"):
            if name.endswith("_BigO"):
                print(f"{name:<44}{b.get('big_o', ''):>16}{'O(N)':>16}")
            continue
        found = targets.get(name) or targets.get(name.split("/")[0])
        if not found:
            ms = b["real_time"] * scale[b["time_unit"]]
            print(f"{name:<44}{ms:>13.3f} ms")
            continue
        for what, target, lower in found:
            if what == "ms":
                value, unit = b["real_time"] * scale[b["time_unit"]], "ms"
            elif what == "MB/s":
                value, unit = b.get("bytes_per_second", 0) / 1e6, "MB/s"
            else:
                value, unit = b.get(what, float("nan")), what
            ok = value <= target if lower else value >= target
            sign = "<=" if lower else ">="
            print(f"{name:<44}{value:>10.3f} {unit:<5}{sign + ' %g' % target:>16}  {'ok' if ok else 'MISSED'}")
PY
