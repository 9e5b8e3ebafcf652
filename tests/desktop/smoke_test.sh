#!/usr/bin/env bash
# The real program on a virtual X server, started the way a returning player starts it (a
# sound choice stored, no start screen, windowed): its window comes up centred and cut to the
# handheld's shape, answers the keys while a game runs, opens its about window and manual over
# the game and closes each alone, grows to 175 % by Ctrl+plus, still shaped and centred with its
# drawn buttons answering, and Escape ends it cleanly with the player's choices still in the
# store; started again, it comes back at 175 %.
# Usage: smoke_test.sh <fluffo-brambo>. Exits 77 (skipped) when there is no Xvfb.
set -euo pipefail

program=$1
title='Fluffo Brambo (Zentrix, Gleeplay) Simulator'
screen_w=1920 # room for the handheld at 175 %
screen_h=1200
root_colour='#2f6f4f'   # a colour the handheld never shows at its corners
root_rgb='srgb(47,111,79)'
lcd_area='248x224+96+52' # the LCD glass, in window pixels

if ! command -v Xvfb >/dev/null; then
    echo "smoke: no Xvfb, skipped"
    exit 77
fi
for tool in xsetroot xdotool xwininfo import convert compare; do
    command -v "$tool" >/dev/null || { echo "smoke: $tool is missing" >&2; exit 1; }
done

tmp=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "smoke: $*" >&2
    if [ -s "$tmp/app.log" ]; then sed 's/^/  program: /' "$tmp/app.log" >&2; fi
    exit 1
}

# Polls a command every 50 ms for up to $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 20))
    while ! "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.05
    done
}

# Xvfb picks a free display and names it once it is ready. -noreset: the root keeps its
# colour when xsetroot disconnects.
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp -noreset \
    3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
wait_for 5 test -s "$tmp/display" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
DISPLAY=":$(head -n 1 "$tmp/display")"
export DISPLAY
xsetroot -solid "$root_colour"

mkdir -p "$tmp/config/Quillmoor" "$tmp/runtime"
chmod 700 "$tmp/runtime"
store="$tmp/config/Quillmoor/FluffoB50.conf"
cat >"$store" <<'EOF'
[General]
SoundMode=2
SplashScreen=0
FullscreenMode=0
CtrlrOverlay=1
HiScore1=1234
HiScore2=567
EOF

# The main window, seen. (An unmapped helper window of the toolkit carries the title too.)
find_window() {
    window=$(xdotool search --onlyvisible --name "^${title//[()]/.}\$" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
start_program() {
    XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime" SDL_AUDIODRIVER=dummy \
        QT_QPA_PLATFORM=xcb "$program" >"$tmp/app.log" 2>&1 &
    app_pid=$!
    window=""
    wait_for 5 find_window || fail "no visible window titled '$title'"
}

shot() { import -window root "$tmp/$1.png"; }
pixel() { convert "$tmp/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
# Pixels of an area (WxH+L+T in window pixels) that differ between two screenshots.
area_changes() {
    local g
    g=$(awk -F'[x+]' -v l="$left" -v t="$top" '{ printf "%sx%s+%d+%d", $1, $2, $3 + l, $4 + t }' \
        <<<"$3")
    compare -metric AE "$tmp/$1.png[$g]" "$tmp/$2.png[$g]" null: 2>&1 || true
}
lcd_changes() { area_changes "$1" "$2" "$lcd_area"; }

# The window at its place: left, top, width and height, as the window system has them.
place_window() {
    local info
    info=$(xwininfo -id "$window")
    field() { sed -n "s/^ *$1: *//p" <<<"$info"; }
    left=$(field 'Absolute upper-left X')
    top=$(field 'Absolute upper-left Y')
    width=$(field 'Width')
    height=$(field 'Height')
    [ "$(field 'Map State')" = IsViewable ]
}
# At size $1 (WxH) and centred on the screen; the window system may move it a moment after
# it resized it.
centred_at_size() {
    place_window && [ "${width}x${height}" = "$1" ] &&
        [ "$left,$top" = "$(((screen_w - width) / 2)),$(((screen_h - height) / 2))" ]
}

# The window is $1 (WxH), centred on the screen, painted, and cut to the handheld's shape:
# the bounding box's corners show the root, and the key colour itself is nowhere on the screen.
check_window() {
    wait_for 3 centred_at_size "$1" ||
        fail "window is ${width}x${height} at $left,$top, not $1 centred on the screen"
    painted() {
        shot "$2"
        local middle
        middle=$(pixel "$2" $((left + width / 2)) $((top + height / 2)))
        [ "$middle" != "$root_rgb" ] && [ "$middle" != 'srgb(0,0,0)' ]
    }
    wait_for 3 painted "$1" "$2" || fail "the window's middle shows $(pixel "$2" \
$((left + width / 2)) $((top + height / 2))), not the handheld"
    local right=$((left + width - 1)) bottom=$((top + height - 1)) corner x y colour keyed
    for corner in "$left $top" "$right $top" "$left $bottom" "$right $bottom"; do
        read -r x y <<<"$corner"
        colour=$(pixel "$2" "$x" "$y")
        [ "$colour" = "$root_rgb" ] || fail "corner $x,$y shows $colour, not the root $root_rgb"
    done
    keyed=$(convert "$tmp/$2.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
        -format '%[fx:round(mean*w*h)]' info:)
    [ "$keyed" = 0 ] || fail "$keyed pixels of the key colour are on the screen"
}

start_program
check_window 440x664 lit

# Play: a direction leaves the all-segments test for the clock, GAME A (the "1" key by
# default) starts a game, the directions steer it.
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key --delay 60 Up
xdotool key --delay 60 1
sleep 3.3 # the game's start-up tune runs before play
for key in Left Down Right Up Left; do
    xdotool key --delay 60 "$key"
    sleep 0.25
done
shot playing
sleep 0.8 # more than two game ticks
shot later
to_game=$(lcd_changes lit playing)
[ "$to_game" -gt 0 ] || fail "the LCD did not change from the lit test to the game"
in_game=$(lcd_changes playing later)
[ "$in_game" -gt 0 ] || fail "the LCD stood still for 0.8 s of play"

# Ended: gone, or a zombie waiting to be reaped.
exited() { [ ! -e "/proc/$app_pid" ] || grep -q '^State:.*Z' "/proc/$app_pid/status"; }

# The about window (F1) and the manual (F4) come up over the game; Escape in either closes
# only that window, and the game runs on.
shown_titled() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone_titled() { ! shown_titled "$1"; }
for aux in 'F1 About the author\.\.\.' 'F4 Manual'; do
    read -r key name <<<"$aux"
    timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
    xdotool key "$key"
    wait_for 3 shown_titled "$name" || fail "$key did not bring up '$name'"
    xdotool key Escape
    wait_for 3 gone_titled "$name" || fail "Escape did not close '$name'"
    sleep 0.2
    exited && fail "Escape in '$name' ended the program"
done

# Ctrl+plus three times: 175 %, centred and shaped; the keys never reach the bindings (the
# game's state stays). The TIME button drawn at its new place still takes a press: its
# pressed picture shows while the button is held.
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key --delay 150 ctrl+plus ctrl+plus ctrl+plus
check_window 770x1162 zoomed
time_x=$((left + (281 + 13) * 175 / 100))
time_y=$((top + (305 + 10) * 175 / 100))
time_button="47x35+$(((281 * 175) / 100))+$(((305 * 175) / 100))"
xdotool mousemove "$time_x" "$time_y" mousedown 1
sleep 0.3
shot pressed
xdotool mouseup 1
pressed=$(area_changes zoomed pressed "$time_button")
[ "$pressed" -gt 0 ] || fail "the TIME button at 175 % did not show its press"

ends_cleanly() {
    timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
    xdotool key Escape
    wait_for 2 exited || fail "still running 2 s after Escape"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 0 ] || fail "exit status $status"
}
ends_cleanly

# Nothing the player chose is lost, and the key bindings were written (their defaults).
for entry in SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1 HiScore1=1234 \
    HiScore2=567 Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38 WindowZoom=175; do
    grep -qx "$entry" "$store" || fail "the store lacks $entry: $(tr '\n' ' ' <"$store")"
done

# Started again, the handheld comes back at the size the player chose.
start_program
check_window 770x1162 again
ends_cleanly
echo "smoke: window centred and shaped at 100 % and 175 %; LCD pixels changed: $to_game into" \
    "the game, $in_game in 0.8 s of play; about and manual closed alone; TIME pressed at 175 %" \
    "($pressed pixels); exited 0; store kept; back at 175 % after a restart"
