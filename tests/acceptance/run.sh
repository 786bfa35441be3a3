#!/usr/bin/env bash
# The acceptance run: a user's session with the viewer, driven with real X input (xdotool) and
# checked on what the X server shows (screenshots read back with ffmpeg's x11grab) and on the
# files the viewer writes.
#
#   tests/acceptance/run.sh BUILD_DIR
#
# Needs an X server in DISPLAY with no other window over the viewer's (./test's Xvfb; the ctest
# entry runs alone) and, for sound, the PulseAudio server ./test starts. It makes a memory card
# with make-recording, serves map tiles from 127.0.0.1, starts BUILD_DIR/app/vistrel with its
# home, configuration and cache in a temporary folder, and stops everything it started.
# Screenshots of every step go to BUILD_DIR/acceptance/. Prints "acceptance: <step> ok" per step
# and a FAIL line with what the screen or the files showed; exits 1 on the first failure.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
viewer="$build/app/vistrel"
probe="$build/tests/acceptance/screenprobe"
shots="$build/acceptance"

# --- layout -----------------------------------------------------------------------------------
# The window is frameless and opened at 1280 x 760 (-qwindowgeometry). The viewer scales its
# interface with the screen's resolution (high-DPI scaling, factor not rounded): on Xvfb's
# 100 dpi one pixel of the layout is 100/96 screen pixels and the window covers 1332 x 791.
# Positions are screen pixels from the window's top-left corner, read off a screenshot of it
# (objects in app/mainwindow.cpp, ui/titlebarwidget.cpp, ui/playerwidget.cpp):
request_geometry=1280x760
window_w=1332 window_h=791
# Title bar (40 px high, buttons 32 x 31 from x = 17, one every 43 px, centred at y = 20):
# fileOpenButton 34, folderOpenButton 77, splitButton ("Save files") 119, screenShotButton
# ("Capture") 162, printScreenButton ("Print") 205.
save_button="119 20" capture_button="162 20" print_button="205 20"
# closeButton, the bar's last, right of the minimise and maximise buttons.
close_button="1297 20"
# A spot of the title bar between the buttons and the logo: a click there only gives the
# window the keyboard focus.
focus_spot="600 20"
# Channel buttons under the picture (shown for a three-channel recording): frontViewButton and
# allViewButton.
front_button="736 520" all_button="955 520"
# The video display inside its 2 px border: X Y W H. With all channels shown it holds three
# pictures side by side, each in a third of its width.
display_region="12 57 968 446"
# The map panel's tile area (MapWidget, 320 px column on the right, 280 px high, less its
# title row and the coordinates row): X Y W H.
map_region="1000 90 316 225"

# --- helpers ----------------------------------------------------------------------------------
tmp=""
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${pids[@]}"; do
        # The viewer closes its engine in order; give it a moment before forcing it.
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    pids=()
    [ -n "$tmp" ] && rm -rf "$tmp"
    tmp=""
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "acceptance: FAIL $*"
    if [ -n "${tmp:-}" ] && [ -s "$tmp/viewer.log" ]; then
        echo "--- viewer output (last lines) ---"
        tail -n 30 "$tmp/viewer.log"
    fi
    exit 1
}
ok() { echo "acceptance: $* ok"; }

shot_number=0
# full_shot NAME: a screenshot of the whole screen (dialogs lie outside the window).
full_shot() {
    shot_number=$((shot_number + 1))
    grab "$(printf '%s/%02d-%s.png' "$shots" "$shot_number" "$1")" full || fail "screenshot $1: ffmpeg x11grab failed on $DISPLAY"
}
# grab FILE [full]: the window (or the whole screen) as a PNG.
grab() {
    local size="${window_w}x${window_h}" at="+$win_x,$win_y"
    if [ "${2:-}" = full ]; then
        size=$screen_size
        at="+0,0"
    fi
    ffmpeg -nostdin -loglevel error -y -f x11grab -video_size "$size" -i "$DISPLAY$at" \
        -frames:v 1 "$1"
}
# click "X Y": a left click at a window position.
click() {
    local x y
    read -r x y <<<"$1"
    xdotool mousemove $((win_x + x)) $((win_y + y)) click 1
}
key() { xdotool key "$@"; }
# frames PNG N: the frame numbers and channels of the N pictures in the display.
frames() {
    # shellcheck disable=SC2086
    "$probe" frames "$1" $display_region "$2"
}
# colour_count PNG "X Y W H" RRGGBB: pixels of that colour (within 12 levels) in the region.
colour_count() {
    # shellcheck disable=SC2086
    "$probe" colour "$1" $2 "$3" 12
}

# --- set-up -----------------------------------------------------------------------------------
for tool in xdotool ffmpeg python3 pdfinfo pdftotext; do
    command -v "$tool" >/dev/null || fail "set-up: $tool is missing (tools/deps.sh --test installs it)"
done
for program in "$viewer" "$probe" "$build/tools/make-recording" "$build/tools/vistrel-tool"; do
    [ -x "$program" ] || fail "set-up: $program is not built"
done
[ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1 \
    || fail "set-up: no X server in DISPLAY='${DISPLAY:-}' (./test starts Xvfb)"
screen_size=$(xdotool getdisplaygeometry | tr ' ' x)

rm -rf "$shots"
mkdir -p "$shots"
tmp=$(mktemp -d /tmp/vistrel-acceptance.XXXXXX)
home="$tmp/home"
mkdir -p "$home" "$tmp/tiles"

# Two three-channel recordings with sound and telemetry. The second one's pictures are 4:3, so
# that the screen tells the two apart besides their frame numbers.
card="$tmp/card"
first="$card/DRIVING/20240314_153012D_FRI.mp4"
second="$card/DRIVING/20240314_153112D_FRI.mp4"
mkdir -p "$card/DRIVING"
make_recording() {
    local out=$1 size=$2 duration=$3 seed=$4
    "$build/tools/make-recording" "$out" --video "$size" --video "$size" --video "$size" \
        --duration "$duration" --audio --telemetry subtitle --telemetry tlmd --seed "$seed" \
        >"$tmp/make-recording.log" 2>&1 || { cat "$tmp/make-recording.log"; fail "set-up: make-recording $out"; }
}
make_recording "$first" 320x180 40 1
make_recording "$second" 288x216 30 2

# Tiles: the ones under the recordings' routes in one colour, all others in another. The map
# page centres the car at a fixed zoom.
zoom=$(sed -n 's/^var initialZoom = \([0-9]*\);.*/\1/p' "$src/resource/map/google/map.html")
[ -n "$zoom" ] || fail "set-up: no initialZoom in resource/map/google/map.html"
"$build/tools/vistrel-tool" telemetry "$first" --format csv >"$tmp/first.csv" \
    || fail "set-up: vistrel-tool telemetry $first"
"$build/tools/vistrel-tool" telemetry "$second" --format csv >"$tmp/second.csv" \
    || fail "set-up: vistrel-tool telemetry $second"
python3 "$here/tileserver.py" --tiles "$zoom" "$tmp/first.csv" >"$tmp/tiles/first-tiles"
python3 "$here/tileserver.py" --tiles "$zoom" "$tmp/second.csv" >"$tmp/tiles/second-tiles"
[ -s "$tmp/tiles/first-tiles" ] && [ -s "$tmp/tiles/second-tiles" ] \
    || fail "set-up: a recording has no valid GPS fix"
cat "$tmp/tiles/first-tiles" "$tmp/tiles/second-tiles" >"$tmp/tiles/vehicle-tiles"
vehicle_colour=D04090 other_colour=A0A040
for tile in vehicle:$vehicle_colour other:$other_colour; do
    ffmpeg -nostdin -loglevel error -f lavfi -i "color=c=0x${tile#*:}:s=256x256" -frames:v 1 \
        -pix_fmt rgb24 "$tmp/tiles/${tile%%:*}.png" || fail "set-up: ffmpeg cannot draw a tile"
done
python3 "$here/tileserver.py" "$tmp/tiles" >"$tmp/tileserver.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [ -s "$tmp/tiles/port" ] && break
    sleep 0.2
done
[ -s "$tmp/tiles/port" ] || { cat "$tmp/tileserver.log"; fail "set-up: the tile server did not start"; }
port=$(cat "$tmp/tiles/port")

# The viewer, with everything it writes below $home.
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" \
    XDG_DATA_HOME="$home/.local/share"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$tmp/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
# The web engine's sandbox refuses to run as root.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
VISTREL_MAP_TILES="http://127.0.0.1:$port/{z}/{x}/{y}.png" VISTREL_PING_HOST=127.0.0.1 \
    "$viewer" -qwindowgeometry "$request_geometry+0+0" "$card" >"$tmp/viewer.log" 2>&1 &
viewer_pid=$!
pids+=($viewer_pid)
started=$EPOCHREALTIME

# The main window: the viewer's visible window of the expected size.
win=""
for _ in $(seq 150); do
    if ! kill -0 "$viewer_pid" 2>/dev/null; then
        wait "$viewer_pid"
        fail "start: the viewer exited with status $? before showing its window"
    fi
    for w in $(xdotool search --onlyvisible --pid "$viewer_pid" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -ge 1000 ]; then
            win=$w
            break 2
        fi
    done
    sleep 0.2
done
[ -n "$win" ] || fail "start: no window of the viewer within 30 s"
eval "$(xdotool getwindowgeometry --shell "$win")"
win_x=$X win_y=$Y
main_title=$(xdotool getwindowname "$win")
[ "$WIDTH" -eq $window_w ] && [ "$HEIGHT" -eq $window_h ] \
    || fail "start: the window is ${WIDTH}x$HEIGHT, not ${window_w}x$window_h (a screen of another resolution than Xvfb's 100 dpi, or the layout changed: read the positions above off a new screenshot)"
# Keyboard focus for the key presses that follow.
click "$focus_spot"

# --- reading the display ----------------------------------------------------------------------
# read_display N [FILE]: grabs the window into FILE ($tmp/poll.png) and reads N pictures; sets
# seen (the probe's words, for messages) and the arrays fr, ch, pw, ph (frame, channel, picture
# width and height). False when a picture is unreadable.
read_display() {
    local file=${2:-$tmp/poll.png} word
    grab "$file" || fail "screenshot: ffmpeg x11grab failed on $DISPLAY"
    seen=$(frames "$file" "$1")
    fr=() ch=() pw=() ph=()
    for word in $seen; do
        [ "$word" = - ] && return 1
        IFS=':x' read -r f c w h <<<"$word"
        fr+=("$f") ch+=("$c") pw+=("$w") ph+=("$h")
    done
    [ ${#fr[@]} -eq "$1" ]
}
# keep NAME: the last screenshot read becomes this step's.
keep() {
    shot_number=$((shot_number + 1))
    cp "${2:-$tmp/poll.png}" "$(printf '%s/%02d-%s.png' "$shots" "$shot_number" "$1")"
}
# poll_until SECONDS COMMAND...: runs COMMAND until it succeeds or the time is up.
poll_until() {
    local deadline=$((SECONDS + $1))
    shift
    while :; do
        "$@" && return 0
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}
# The pictures in order: channel 1 alone, or channels 1, 2, 3.
one_picture() { read_display 1 && [ "${ch[0]}" -eq 1 ] && [ "${ph[0]}" -ge 400 ]; }
three_pictures() { read_display 3 && [ "${ch[*]}" = "1 2 3" ]; }
# still N: two reads one second apart show the same frames; sets still_frames.
still() {
    read_display "$1" "$tmp/still-a.png" || return 1
    local first=$seen
    sleep 1
    read_display "$1" "$tmp/still-b.png" && [ "$seen" = "$first" ] || return 1
    still_frames=("${fr[@]}")
}
# moved_from N FRAMES...: every picture shows a later frame than given.
moved_from() {
    local n=$1 i
    shift
    local before=("$@")
    read_display "$n" || return 1
    for ((i = 0; i < n; ++i)); do
        [ "${fr[i]}" -gt "${before[i]}" ] || return 1
    done
}
# spread: the largest difference between the channels' frames now read.
spread() {
    local min=${fr[0]} max=${fr[0]} f
    for f in "${fr[@]}"; do
        ((f < min)) && min=$f
        ((f > max)) && max=$f
    done
    echo $((max - min))
}

# --- the session ------------------------------------------------------------------------------
# The first recording starts by itself with the front channel alone.
poll_until 60 one_picture || fail "start: no picture of channel 1 on the display within 60 s (read: $seen)"
keep start

# 1. All channels, moving together.
click "$all_button"
poll_until 15 three_pictures || fail "channels: after a click on All the display does not show channels 1, 2, 3 (read: $seen)"
# The channels come back half a second earlier on a change of channels; the first pictures of
# the ones just shown may arrive a few frames apart on a busy machine, and must be in step at
# once after that.
in_step() { three_pictures && (($(spread) <= 2)); }
poll_until 3 in_step || fail "channels: the three channels show frames ${fr[*]}, more than 2 apart"
keep channels-a
first_read=("${fr[@]}")
poll_until 10 moved_from 3 "${first_read[@]}" \
    || fail "channels: the frames do not advance on every channel: ${first_read[*]} then $seen"
keep channels-b
(($(spread) <= 2)) || fail "channels: the three channels show frames ${fr[*]}, more than 2 apart"
ok "channels (frames ${first_read[*]} then ${fr[*]})"

# 2. The map asks for the tile under the car and shows it. The tiles of the route are drawn in
# their own colour, so that colour in the panel is a route tile placed on screen.
map_seen() {
    grab "$tmp/poll.png" || return 1
    map_pixels=$(colour_count "$tmp/poll.png" "$map_region" "$vehicle_colour")
    sed -e 's#^/##' -e 's#\.png$##' "$tmp/tiles/requests.log" 2>/dev/null \
        | grep -qxF -f "$tmp/tiles/first-tiles" && [ "$map_pixels" -ge 5000 ]
}
poll_until 40 map_seen || fail "map: tiles under the car: $(tr '\n' ' ' <"$tmp/tiles/first-tiles"); asked for: $(sort -u "$tmp/tiles/requests.log" 2>/dev/null | tr '\n' ' '); pixels of their colour in the map panel: $map_pixels"
keep map
map_after=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')
ok "map ($map_after s after the start; asked for $(sed -e 's#^/##' -e 's#\.png$##' "$tmp/tiles/requests.log" | grep -xF -f "$tmp/tiles/first-tiles" | sort -u | tr '\n' ' ')and shows it on $map_pixels pixels)"

# 3. Space pauses and resumes.
key space
poll_until 8 still 3 || fail "pause: after Space the pictures do not stand still (last two reads a second apart: $seen)"
keep paused-a "$tmp/still-a.png"
keep paused-b "$tmp/still-b.png"
paused=("${still_frames[@]}")
key space
poll_until 8 moved_from 3 "${paused[@]}" || fail "pause: after a second Space the frames stay at ${paused[*]} (read: $seen)"
keep resumed
ok "pause (stood at ${paused[*]}, playing on at ${fr[*]})"

# 4. "." and "," step one frame while paused. Frame search works on one channel: the front one.
click "$front_button"
poll_until 10 one_picture || fail "frame step: after a click on the front channel button the display does not show channel 1 alone (read: $seen)"
key space
poll_until 8 still 1 || fail "frame step: after Space the front picture does not stand still (read: $seen)"
keep step-paused "$tmp/still-b.png"
base=${still_frames[0]}
# step KEY EXPECTED: after KEY the screen shows EXPECTED, and stays there.
step() {
    key "$1"
    poll_until 5 eval 'read_display 1 && [ "${fr[0]}" -eq '"$2"' ]' \
        || fail "frame step: after '$1' the screen shows frame ${fr[0]:-none} ($seen), expected $2"
    poll_until 5 still 1 && [ "${still_frames[0]}" -eq "$2" ] \
        || fail "frame step: after '$1' the screen moved on from $2 to ${still_frames[0]:-?} ($seen)"
}
step period $((base + 1))
keep step-forward "$tmp/still-b.png"
step comma "$base"
keep step-back "$tmp/still-b.png"
ok "frame step ($base, '.' $((base + 1)), ',' $base)"

# 5. Right skips 5 s (150 frames at 30 fps; the landing frame may lie up to a second early,
# on the key frame before the moment).
key space
poll_until 8 moved_from 1 "$base" || fail "skip: Space does not resume playing after the frame search (read: $seen)"
key space
poll_until 8 still 1 || fail "skip: after Space the picture does not stand still (read: $seen)"
before=${still_frames[0]}
keep skip-before "$tmp/still-b.png"
key Right
poll_until 10 eval 'still 1 && [ "${still_frames[0]}" -ne '"$before"' ]' \
    || fail "skip: after Right the paused screen still shows frame $before (read: $seen)"
keep skip-after "$tmp/still-b.png"
jump=$((still_frames[0] - before))
((jump >= 120 && jump <= 180)) || fail "skip: Right moved from frame $before to ${still_frames[0]} ($jump frames, expected about 150)"
ok "skip (frame $before to ${still_frames[0]})"

# 6. Page Down plays the next recording on every channel: 4:3 pictures from near their start.
key space
click "$all_button"
poll_until 10 three_pictures || fail "next: after a click on All the display does not show channels 1, 2, 3 (read: $seen)"
key Next
next_shown() { three_pictures && ((pw[0] * 3 < ph[0] * 4 + 20 && pw[2] * 3 < ph[2] * 4 + 20)); }
poll_until 15 next_shown || fail "next: after Page Down the display does not show the second recording's 4:3 pictures on channels 1, 2, 3 (read: $seen)"
next_in_step() { next_shown && (($(spread) <= 2)); }
poll_until 3 next_in_step || fail "next: the second recording shows frames ${fr[*]}, more than 2 apart"
keep next
((fr[0] < 120)) || fail "next: the second recording shows frames ${fr[*]}, expected near its start"
ok "next recording ($seen)"

# A recording's open or a closed dialog leaves the X focus on the root window (no window
# manager hands it back): a click on the title bar gives it to the window again.
# new_window: the id and geometry (dialog_x, dialog_y) of a visible viewer window other than
# the main one.
new_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$viewer_pid" 2>/dev/null); do
        [ "$w" = "$win" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        dialog=$w dialog_x=$X dialog_y=$Y
        return 0
    done
    return 1
}
no_new_window() { ! new_window; }
# box_window: a new window titled like the main one (a message box, not a dialog of its own).
box_window() { new_window && [ "$(xdotool getwindowname "$dialog")" = "$main_title" ]; }
# dialog_click "X Y": a click at a position of the dialog found last.
dialog_click() {
    local x y
    read -r x y <<<"$1"
    xdotool mousemove $((dialog_x + x)) $((dialog_y + y)) click 1
}

# 7. Capture: one JPEG per channel, each the picture on screen.
click "$focus_spot"
key space
poll_until 8 still 3 || fail "capture: after Space the pictures do not stand still (read: $seen)"
keep capture-paused "$tmp/still-b.png"
moment=("${still_frames[@]}")
captures="$home/Documents/CAM_CAPTURE"
click "$capture_button"
captured() { [ "$(ls "$captures" 2>/dev/null | wc -l)" -ge 3 ] && box_window; }
poll_until 10 captured || fail "capture: after a click on Capture $captures holds: $(ls "$captures" 2>/dev/null | tr '\n' ' ')"
sleep 0.5 # the question box is drawn
full_shot capture-question
for n in 1 2 3; do
    file=$(ls "$captures" | grep -E "^ScreenCapture-[0-9]{8}-[0-9]{6}_ch$n\.jpg$")
    [ "$(echo "$file" | grep -c .)" -eq 1 ] || fail "capture: no single ScreenCapture-ddMMyyyy-hhmmss_ch$n.jpg in $captures: $(ls "$captures" | tr '\n' ' ')"
    read_file=$("$probe" frames "$captures/$file" 0 0 100000 100000 1)
    [ "$read_file" = "${moment[n - 1]}:$n:288x216" ] \
        || fail "capture: $file carries '$read_file', the screen showed frame ${moment[n - 1]} of channel $n (288x216)"
done
[ "$(ls "$captures" | wc -l)" -eq 3 ] || fail "capture: more files than channels: $(ls "$captures" | tr '\n' ' ')"
# The box asks whether to open the folder: No (Escape).
key Escape
poll_until 5 no_new_window || fail "capture: Escape does not close the question box"
ok "capture ($(ls "$captures" | tr '\n' ' ')at frame ${moment[*]})"

# 8. Print to a PDF file through the print dialog (Qt's own: without a print server its printer
# is "Print to File (PDF)"; Alt+F reaches the output file name, Return prints).
report="$home/report.pdf"
click "$focus_spot"
click "$print_button"
poll_until 15 new_window || fail "print: no print dialog after a click on Print"
sleep 0.5 # the dialog is drawn
full_shot print-dialog
key alt+f ctrl+a
xdotool type --delay 10 "$report"
key Return
poll_until 20 eval '[ -s "$report" ] && pdfinfo "$report" >/dev/null 2>&1' \
    || fail "print: no readable $report after Print in the print dialog"
poll_until 5 no_new_window || fail "print: the print dialog stays open"
pages=$(pdfinfo "$report" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || fail "print: $report has $pages pages, expected 2"
pdftotext "$report" - | grep -q "Vistrel Report" || fail "print: $report does not hold the report's title"
mkdir "$tmp/report"
pdfimages -png "$report" "$tmp/report/image" || fail "print: pdfimages cannot read $report"
pictures=""
for image in "$tmp/report"/image-*.png; do
    read_file=$("$probe" frames "$image" 0 0 100000 100000 1)
    if [ "$read_file" != - ]; then
        pictures+="$read_file "
    elif [ "$(colour_count "$image" "0 0 100000 100000" "$vehicle_colour")" -ge 2000 ]; then
        pictures+="map "
    fi
done
[ "$pictures" = "${moment[0]}:1:288x216 ${moment[1]}:2:288x216 ${moment[2]}:3:288x216 map " ] \
    || fail "print: the report's pictures read '$pictures', expected the paused frames ${moment[*]} of channels 1-3 and a map of the route's tiles"
ok "print ($report: $pages pages, pictures $pictures)"

# 9. Save files: the export dialog's "Separate" writes one file per channel into the default
# folder (Documents/SavedVideos). The dialog (416 x 109 on this screen) has its buttons in a
# row: "Original" at (62, 90), "Separate" at (200, 90), "Cancel" at (340, 90). The message
# box after it has its OK at (144, 64).
saved="$home/Documents/SavedVideos"
click "$focus_spot"
click "$save_button"
poll_until 10 new_window || fail "export: no dialog after a click on Save files"
sleep 0.5
full_shot export-dialog
dialog_click "200 90"
saved_box() { box_window && [ "$(ls "$saved" 2>/dev/null | wc -l)" -ge 3 ]; }
poll_until 60 saved_box || fail "export: after Separate $saved holds: $(ls "$saved" 2>/dev/null | tr '\n' ' ')"
sleep 0.5
full_shot export-done
dialog_click "144 64"
poll_until 5 no_new_window || fail "export: the message box after saving does not close on OK"
name=$(basename "$second" .mp4)
n=0
for suffix in f r i; do
    n=$((n + 1))
    file="$saved/${name}_$suffix.mp4"
    [ -s "$file" ] || fail "export: no $file (folder holds: $(ls "$saved" | tr '\n' ' '))"
    ffmpeg -nostdin -loglevel error -y -i "$file" -frames:v 1 "$tmp/export-$suffix.png" \
        || fail "export: ffmpeg cannot decode $file"
    read_file=$("$probe" frames "$tmp/export-$suffix.png" 0 0 100000 100000 1)
    [ "$read_file" = "0:$n:288x216" ] || fail "export: the first picture of $file carries '$read_file', expected frame 0 of channel $n"
    streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$file" | sort | uniq -c | tr -s ' \n' ' ')
    [[ "$streams" == " 1 audio"*" 1 video " ]] \
        || fail "export: $file has the streams (count, kind)'$streams', expected one video and one audio stream"
done
[ "$(ls "$saved" | wc -l)" -eq 3 ] || fail "export: $saved holds more than the three files: $(ls "$saved" | tr '\n' ' ')"
ok "export ($(ls "$saved" | tr '\n' ' '))"

# 10. The close button ends the program in order (exit status 0: "the window was closed").
click "$close_button"
poll_until 20 eval '! kill -0 "$viewer_pid" 2>/dev/null' || fail "close: the viewer still runs 20 s after a click on the close button"
wait "$viewer_pid"
status=$?
[ "$status" -eq 0 ] || fail "close: the viewer exited with status $status after a click on the close button"
ok "close"
