#!/usr/bin/env bash
# Start-up against the bare engine: time from process start until the first page's title
# is in a window caption, and the whole process tree's PSS then. Both programs start
# alternately, 7 times each, under Xvfb: first with a fresh HOME each time, then with a
# profile that already exists (a returning user). Prints the medians and the ratios.
# A third program, the bare view keeping its data on disk as the browser does, shows how
# much of the difference is that storage (its history, disk cache and site data).
#   bash bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
for tool in xdotool Xvfb python3; do
  command -v "$tool" > /dev/null || { echo "startup: $tool is missing (apt-get install xdotool xvfb)" >&2; exit 1; }
done
cmake -S . -B build -G Ninja > /dev/null
cmake --build build -j2 --target yuragine bench_baseline > /dev/null
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
work=$(mktemp -d)
trap 'kill $server $xvfb 2> /dev/null || true; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
mkdir -p "$work/site"
printf '<html><head><meta charset="utf-8"><title>startpage</title></head><body>本文</body></html>' > "$work/site/index.html"
python3 -m http.server 18765 --bind 127.0.0.1 --directory "$work/site" > /dev/null 2>&1 &
server=$!
Xvfb :93 -screen 0 1280x900x24 > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=:93
sleep 1
page=http://127.0.0.1:18765/index.html

tree() { echo "$1"; for c in $(pgrep -P "$1"); do tree "$c"; done; }

# One start: prints milliseconds to the caption and the tree's PSS in kB.
measure() { # program home [profile]
  local program=$1 home=$2 storage=${3:-}
  mkdir -p "$home/prog"
  printf '[Data]\r\nFirstOpen=1\r\n' > "$home/prog/Yura3.ini"
  local start=$(date +%s%N)
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache \
    YURAGINE_HOME=$home/prog "$program" "$page" $storage > /dev/null 2>&1 &
  local pid=$!
  # xdotool's own --sync looks only every half second; this looks every few milliseconds.
  # A program that could not reach the X server (it refuses a connection now and then
  # under this many quick ones) is reported as a failed start and measured again.
  until xdotool search --name startpage > /dev/null 2>&1; do
    kill -0 $pid 2> /dev/null || { wait $pid 2> /dev/null; echo failed; return; }
    sleep 0.005
  done
  local end=$(date +%s%N)
  local pss=0
  for p in $(tree $pid); do
    pss=$((pss + $(awk '/^Pss:/ {s+=$2} END {print s+0}' /proc/$p/smaps_rollup 2> /dev/null || echo 0)))
  done
  kill $pid; wait $pid 2> /dev/null || true
  sleep 0.3
  echo "$(( (end - start) / 1000000 )) $pss"
}

for kind in fresh returning; do
  : > "$work/yura.$kind"; : > "$work/base.$kind"; : > "$work/stored.$kind"
  for i in $(seq "$runs"); do
    for program in yura base stored; do
      home=$work/h-$program; [ $kind = fresh ] && home=$home-$i
      case $program in
        yura) command=(build/ゆらぎね) ;;
        base) command=(build/bench/bench_baseline) ;;
        stored) command=(build/bench/bench_baseline yuragine) ;;
      esac
      for try in 1 2 3; do
        result=$(measure "${command[0]}" "$home" "${command[1]:-}")
        [ "$result" != failed ] && break
      done
      [ "$result" = failed ] && { echo "startup: ${command[*]} did not start three times" >&2; exit 1; }
      echo "$result" >> "$work/$program.$kind"
    done
  done
  python3 - "$work" "$kind" <<'PY'
import statistics, sys
work, kind = sys.argv[1:]
def load(name):
    rows = [l.split() for l in open(f"{work}/{name}.{kind}") if l.strip()]
    return statistics.median(float(r[0]) / 1000 for r in rows), statistics.median(float(r[1]) for r in rows)
(yt, yp), (bt, bp), (st, sp) = load("yura"), load("base"), load("stored")
print(f"{kind:<10} ゆらぎね {yt:.3f} s {yp/1024:.0f} MB   bare {bt:.3f} s {bp/1024:.0f} MB   "
      f"time x{yt/bt:.2f} (goal 1.10)   PSS x{yp/bp:.2f} (goal 1.05)")
print(f"{'':<10} bare with stored data {st:.3f} s {sp/1024:.0f} MB: ゆらぎね against it x{yt/st:.2f}")
PY
done
