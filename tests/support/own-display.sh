#!/usr/bin/env bash
# Runs one test on an X display of its own: tests that read the screen back must not see the
# windows of the tests that ctest runs beside them. Usage: own-display.sh PROGRAM [ARGS...]
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# -displayfd picks a free display number and writes it once the server accepts connections.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 3>"$dir/display" &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.05
done
number=$(head -n1 "$dir/display" 2>/dev/null)
if [ -z "$number" ]; then
    echo "own-display: Xvfb did not start" >&2
    cat "$dir/xvfb.log" >&2
    kill $xvfb 2>/dev/null
    exit 1
fi
export DISPLAY=":$number"
"$@"
status=$?
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
exit $status
