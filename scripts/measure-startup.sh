#!/usr/bin/env bash
# Start-up time and memory of a built program on a virtual X server (Xvfb): the time from start
# until the install test's probe plugin, loaded into the program, has pressed the required-lines
# button, checked the answer and ended the program (hyperfine, after 3 warm-up runs), and the
# median of the peak resident memory over the same number of runs. Needs a build with tests
# (BUILD/tests/install/plugins) and the packages xvfb, hyperfine and time.
# Usage: scripts/measure-startup.sh [BUILD] [RUNS]   (default: build, 40)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-40}
display=":$((60 + RANDOM % 30))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
server=$!
peaks=$(mktemp)
trap 'kill $server; rm -f "$peaks"' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb QT_PLUGIN_PATH=$build/tests/install/plugins \
    QT_QPA_GENERIC_PLUGINS=pelmoraprobe
hyperfine -N -w 3 -r "$runs" "$build/bin/Pelmora" 2> /dev/null | grep -E 'Time|Range'
for _ in $(seq "$runs"); do
    /usr/bin/time -f %M -a -o "$peaks" "$build/bin/Pelmora" 2> /dev/null
done
sort -n "$peaks" | awk '{ kb[NR] = $1 } END { printf "peak memory: median %.1f MiB\n", kb[int((NR + 1) / 2)] / 1024 }'
