#!/usr/bin/env bash
# Takes the screenshot the desktop metadata can show: the main window playing the demo memory
# card, on a virtual X display of its own, in English.
#   tools/screenshot.sh [OUTDIR]    ->  OUTDIR/main-window.png (default build/screenshots)
# Needs a build in build/ (./run or ./test makes one), Xvfb and ffmpeg. The metadata lists
# screenshots by web address only: publish OUTDIR and configure the build with
# -DVISTREL_SCREENSHOT_URL=<the folder's address> (see packaging/CMakeLists.txt).
# VISTREL_SCREENSHOT_DELAY (seconds, default 4) is how long the window plays before the shot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
out=${1:-$build/screenshots}
width=1060
height=745

[ -f "$build/build.ninja" ] || { echo "screenshot: build first (./run or ./test)" >&2; exit 1; }
cmake --build "$build" --target vistrel make-recording >/dev/null
demo="$build/demo-card"
if [ ! -d "$demo/DRIVING" ]; then
    rm -rf "$demo.tmp"
    "$build/tools/make-recording" --card "$demo.tmp" --layout demo \
        --nmea-dir "$root/tests/data/nmea" >/dev/null
    mv "$demo.tmp" "$demo"
fi

work=$(mktemp -d /tmp/vistrel-screenshot.XXXXXX)
chmod 700 "$work"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own, so the shot is in English whatever build/app/locale says.
cp "$build/app/vistrel" "$work/vistrel"
echo en >"$work/locale"

display=90
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

mkdir -p "$work/runtime" "$out"
chmod 700 "$work/runtime"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
DISPLAY=":$display" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
    XDG_CACHE_HOME="$work/cache" \
    "$work/vistrel" -qwindowgeometry "${width}x${height}+0+0" "$demo" >"$work/viewer.log" 2>&1 &
pids+=($!)
sleep "${VISTREL_SCREENSHOT_DELAY:-4}"
kill -0 "${pids[1]}" 2>/dev/null || { echo "screenshot: the viewer ended early" >&2; tail -20 "$work/viewer.log" >&2; exit 1; }
ffmpeg -loglevel error -f x11grab -draw_mouse 0 -video_size "${width}x${height}" -i ":$display+0,0" \
    -frames:v 1 -y "$out/main-window.png"
echo "$out/main-window.png"
