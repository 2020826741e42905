#!/usr/bin/env bash
# Start-up time and CPU use of the game window under a virtual X server.
#   - time from process start to the first painted frame of the game window
#     (the demo skips the dialogs; the game reports the wall-clock time of its
#     first present when VELNO_TIMING=1), median of RUNS starts;
#   - CPU time used over 10 s of play (the built-in player, picture and sound
#     to the dummy audio device), as a share of one core, and the mean period
#     of the processed game ticks.
#
# Usage: bench/shell/game_timing.sh [VELNO] [RUNS]
set -euo pipefail
VELNO=$(realpath "${1:-build/shell/sdl/velno}")
RUNS=${2:-5}
RESOURCES=$(realpath "$(dirname "$0")/../../resources")

if [ -z "${VELNO_TIMING_INNER:-}" ]; then
    exec env VELNO_TIMING_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$VELNO" "$RUNS"
fi

cd "$RESOURCES"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_DATA_HOME"' EXIT

times=()
for _ in $(seq "$RUNS"); do
    log=$(mktemp)
    start=$(date +%s%3N)
    VELNO_TIMING=1 "$VELNO" --demo 2>"$log" &
    pid=$!
    for _ in $(seq 100); do grep -q 'first frame at' "$log" && break; sleep 0.05; done
    frame=$(sed -n 's/.*first frame at \([0-9]*\),.*/\1/p' "$log")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    rm -f "$log"
    [ -n "$frame" ] || { echo "no first frame reported" >&2; exit 1; }
    times+=($((frame - start)))
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(sed -n "$(( (RUNS + 1) / 2 ))p" <<<"$sorted")
echo "first painted frame after start: median ${median} ms (runs: ${times[*]} ms)"

playlog=$(mktemp)
VELNO_TIMING=1 "$VELNO" --demo 2>"$playlog" &
pid=$!
sleep 3  # past start-up: measure play only
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu); t0=$(date +%s%3N)
sleep 10
after=$(cpu); t1=$(date +%s%3N)
kill "$pid"; wait "$pid" 2>/dev/null || true
awk -v c=$((after - before)) -v hz="$ticks" -v ms=$((t1 - t0)) \
    'BEGIN { printf "CPU over %.1f s of play: %.1f%% of one core\n", ms / 1000, 100 * c / hz / (ms / 1000) }'
sed -n 's/^velno: \(.*ticks processed.*\)/game timer: \1 (36 ms wanted)/p' "$playlog"
rm -f "$playlog"
