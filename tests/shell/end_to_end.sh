#!/usr/bin/env bash
# The whole game under a virtual X server (run through xvfb-run): the decline
# path, the course cancel, a played game closed by its close box with the
# high score saved, its replay played back headless and in the window, the
# demo, and the missing display.
#
# Usage: end_to_end.sh VELNO X11_CLOSE RESOURCE_DIR VELNO_SIM
set -euo pipefail

VELNO=$1
X11_CLOSE=$2
RESOURCES=$3
VELNO_SIM=$4
WORK=$(mktemp -d /tmp/velno-e2e-XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$WORK"' EXIT
cd "$WORK"
[ -f "$RESOURCES/VELNO.MID" ] && cp "$RESOURCES/VELNO.MID" .
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

trap 'echo "FAIL: line $LINENO: $BASH_COMMAND exited with status $?" >&2' ERR

fail() {
    echo "FAIL: $*" >&2
    for f in "$WORK"/*.err; do [ -s "$f" ] && { echo "--- $f"; cat "$f"; } >&2; done
    exit 1
}

# Waits up to 10 s for a visible window whose title is exactly $1; prints its id.
window_named() {
    # (xdotool's own name search does not match non-ASCII titles.)
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null || true); do
            if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s for process $1 to end; sets RC to its exit status.
wait_exit() {
    RC=timeout
    for _ in $(seq 100); do
        if ! kill -0 "$1" 2>/dev/null; then
            RC=0
            wait "$1" || RC=$?
            return 0
        fi
        sleep 0.1
    done
}

# Keys go to the window under the pointer (there is no window manager); the
# pointer rests in the middle of the screen, where every window is centred.
press() { xdotool key --delay 80 "$@"; sleep 0.3; }

pixel() {  # pixel FILE X Y -> "R,G,B"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

TITLE_INTRO='模造MassPoster'
TITLE_QUESTION='質問'
TITLE_ANSWER='回答'
TITLE_COURSE='コース選択'

echo "== decline: Escape, three times Yes, OK"
export XDG_DATA_HOME=$WORK/decline
"$VELNO" 2>"$WORK/decline.err" &
pid=$!
window_named "$TITLE_INTRO" >/dev/null || fail "no intro dialog"
press Escape
window_named "$TITLE_QUESTION" >/dev/null || fail "no first question"
press Return
press Return
press Return
window_named "$TITLE_ANSWER" >/dev/null || fail "no final answer box"
press Return
wait_exit $pid
[ "$RC" = 0 ] || fail "decline exit status $RC"
[ ! -e "$XDG_DATA_HOME" ] || fail "declining wrote $(find "$XDG_DATA_HOME")"

echo "== the close box asks too, a No keeps the intro open; then agree and cancel the course"
export XDG_DATA_HOME=$WORK/cancel
"$VELNO" 2>"$WORK/cancel.err" &
pid=$!
intro=$(window_named "$TITLE_INTRO") || fail "no intro dialog"
"$X11_CLOSE" "$intro"
window_named "$TITLE_QUESTION" >/dev/null || fail "the close box asked no question"
press Tab Return      # No to the first question
kill -0 $pid || fail "a No ended the program"
press alt+n
window_named "$TITLE_QUESTION" >/dev/null || fail "no first question"
press Return          # Yes
press Tab Return      # No to the second question
kill -0 $pid || fail "a No ended the program"
press alt+a
window_named "$TITLE_COURSE" >/dev/null || fail "no course dialog"
press Escape
wait_exit $pid
[ "$RC" = 0 ] || fail "cancel exit status $RC"
[ ! -e "$XDG_DATA_HOME" ] || fail "cancelling wrote a file"

echo "== play: agree, ADSL by keyboard, play, close box"
export XDG_DATA_HOME=$WORK/play
mkdir -p "$XDG_DATA_HOME/velno"
printf '; kept\r\n[HISCORE]\r\nDIALUP=360\r\n' >"$XDG_DATA_HOME/velno/VELNO.INI"
"$VELNO" 2>"$WORK/play.err" &
pid=$!
window_named "$TITLE_INTRO" >/dev/null || fail "no intro dialog"
press Return
window_named "$TITLE_COURSE" >/dev/null || fail "no course dialog"
press Tab Tab Down Down Return
game=$(window_named "$TITLE_INTRO - ＡＤＳＬ") || fail "no game window with the ADSL caption"
# Hold keys across many 36 ms ticks.
xdotool keydown Left; sleep 1.5; xdotool keyup Left
xdotool keydown z; xdotool keydown Right; sleep 3; xdotool keyup Right; xdotool keyup z
import -window "$game" "$WORK/play.png"
cp "$WORK/play.png" /tmp/velno-e2e-play.png 2>/dev/null || true
# The banner: the navy band across rows 1 to 3.
[ "$(pixel "$WORK/play.png" 10 2)" = "0,0,128" ] || fail "no banner band: $(pixel "$WORK/play.png" 10 2)"
# The lanes: black lines at x = 100 .. 500, most rows between 78 and 339.
for x in 100 200 300 400 500; do
    black=0
    for y in 90 130 170 210 250 290 330; do
        [ "$(pixel "$WORK/play.png" $x $y)" = "0,0,0" ] && black=$((black + 1))
    done
    [ $black -ge 4 ] || fail "lane at x=$x not drawn ($black of 7 rows black)"
done
"$X11_CLOSE" "$game"
wait_exit $pid
[ "$RC" = 0 ] || fail "play exit status $RC"
ini=$(cat "$XDG_DATA_HOME/velno/VELNO.INI")
echo "$ini"
grep -q '^ADSL=[0-9][0-9]*'$'\r''$' <<<"$ini" || fail "no ADSL key saved"
grep -q '^DIALUP=360'$'\r''$' <<<"$ini" || fail "the DIALUP key was not kept"
grep -q '^; kept' <<<"$ini" || fail "the comment was not kept"

echo "== replay: the played game plays back headless and in the window"
replay=$XDG_DATA_HOME/velno/replays/ADSL-latest.vrp
[ -f "$replay" ] || fail "the played game was not kept as $replay"
"$VELNO_SIM" --replay "$replay" >"$WORK/replay-sim.out" 2>"$WORK/replay-sim.err" ||
    fail "velno-sim --replay: $(cat "$WORK/replay-sim.err")"
cat "$WORK/replay-sim.out"
before=$(cd "$XDG_DATA_HOME" && find . -type f -exec md5sum {} + | sort)
# Watched to its end, the playback closes its window by itself.
"$VELNO" --replay "$replay" 2>"$WORK/replay.err" &
pid=$!
window_named "$TITLE_INTRO - ＡＤＳＬ" >/dev/null || fail "no replay window"
for _ in $(seq 30); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
wait_exit $pid
[ "$RC" = 0 ] || fail "replay exit status $RC"
if grep -q differs "$WORK/replay.err"; then fail "playback differs: $(cat "$WORK/replay.err")"; fi
# Escape stops a playback; the player's other keys do nothing to it.
"$VELNO" --replay "$replay" 2>"$WORK/replay2.err" &
pid=$!
window_named "$TITLE_INTRO - ＡＤＳＬ" >/dev/null || fail "no replay window"
press q
kill -0 $pid 2>/dev/null || fail "a key other than Escape ended the playback"
press Escape
wait_exit $pid
[ "$RC" = 0 ] || fail "replay stopped by Escape: exit status $RC"
after=$(cd "$XDG_DATA_HOME" && find . -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "watching a replay changed the saved files"

echo "== demo: the bot plays, another key ends it, no file"
export XDG_DATA_HOME=$WORK/demo
"$VELNO" --demo --course 3 2>"$WORK/demo.err" &
pid=$!
window_named "$TITLE_INTRO - 光" >/dev/null || fail "no demo window"
sleep 2
press q
wait_exit $pid
[ "$RC" = 0 ] || fail "demo exit status $RC"
[ ! -e "$XDG_DATA_HOME" ] || fail "the demo wrote a file"

echo "== no display"
rc=0
DISPLAY= "$VELNO" 2>"$WORK/nodisplay.err" || rc=$?
[ $rc = 1 ] || fail "no display gave status $rc"
[ "$(wc -l <"$WORK/nodisplay.err")" = 1 ] || fail "no display: $(cat "$WORK/nodisplay.err")"
grep -q display "$WORK/nodisplay.err" || fail "no display: $(cat "$WORK/nodisplay.err")"

echo "all end-to-end checks passed"
