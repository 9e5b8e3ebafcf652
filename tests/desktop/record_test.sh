#!/usr/bin/env bash
# A short game played on the real program under a virtual X server, with keys and with clicks on
# the drawn buttons, recorded with --record; then fluffo-sim replays the recording: every
# expectation in it holds, and the state it prints at the end is the one the program wrote.
# This is where the recorder's timing is tested: a line timed anywhere but at the scheduler's
# moment of the input puts the replay's inputs between other ticks, and the states part.
# Usage: record_test.sh <fluffo-brambo> <fluffo-sim>. Exits 77 (skipped) when there is no Xvfb.
set -euo pipefail
program=$1
sim=$2
test_name=record
# shellcheck source=tests/desktop/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

recording="$tmp/game.fsim"
start_program --record "$recording"
wait_for 5 find_window || fail "no visible window titled '$title'"
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"

# A direction key leaves the all-segments test for the clock; a click on GAME B starts a game.
xdotool key --delay 60 Up
sleep 0.3
click_at 244 315
sleep 3.4 # the intro tune, then the stage starts
# Steering: arrow keys, and clicks on the drawn arrows (left at 138,453 and up at 196,392).
xdotool key --delay 80 Right
sleep 0.6
click_at 162 477
sleep 0.7
xdotool key --delay 80 Down
sleep 0.5
click_at 220 416
sleep 0.9
quit_program

[ -s "$recording" ] || fail "no recording written"
for line in "press up" "press game_b" "release game_b" "press right" "press left" "release left" \
    "press down" "play" "state"; do
    grep -qx "$line" "$recording" || fail "the recording lacks '$line':
$(cat "$recording")"
done
grep -Eq '^seed -?[0-9]+$' "$recording" || fail "no seed in the recording"
grep -Eq '^clock [0-2][0-9]:[0-5][0-9]$' "$recording" || fail "no clock in the recording"
grep -qx 'set hiscore_b 567' "$recording" || fail "the stored Game B high score is not set"
expected=$(sed -n "s/^# the program's state: //p" "$recording")
[ -n "$expected" ] || fail "the recording does not end with the program's state"

status=0
"$sim" <"$recording" >"$tmp/replay.out" 2>&1 || status=$?
[ "$status" = 0 ] || fail "the replay exited $status: $(cat "$tmp/replay.out")"
replayed=$(tail -n 1 "$tmp/replay.out")
[ "$replayed" = "$expected" ] || fail "the replay ends in
  $replayed
not in the program's
  $expected"
duration=${expected#\{\"t\":}
echo "record: $(grep -c '^\(press\|release\) ' "$recording") inputs recorded over" \
    "${duration%%,*} ms; the replay met $(grep -c '^expect ' "$recording") expectations and" \
    "ended in the program's state"
