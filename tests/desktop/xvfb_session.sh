# shellcheck shell=bash
# shellcheck disable=SC2154  # program, test_name and root_rgb are the sourcing test's
# Sourced by the desktop tests: a private virtual X server, a scratch folder with a store for a
# returning player, and helpers to start the program, find its window, poll and fail. Set
# `program` and `test_name` first (`screen_w` and `screen_h` for a screen other than 1024 x
# 768). Exits 77 (skipped) when there is no Xvfb.
title='Fluffo Brambo (Zentrix, Gleeplay) Simulator'

if ! command -v Xvfb >/dev/null; then
    echo "$test_name: no Xvfb, skipped"
    exit 77
fi
command -v xdotool >/dev/null || { echo "$test_name: xdotool is missing" >&2; exit 1; }

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
    echo "$test_name: $*" >&2
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

# Xvfb picks a free display and names it once it is ready. -noreset: the root keeps what was
# set on it when a client disconnects.
screen_w=${screen_w:-1024}
screen_h=${screen_h:-768}
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp -noreset \
    3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
wait_for 5 test -s "$tmp/display" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
DISPLAY=":$(head -n 1 "$tmp/display")"
export DISPLAY

# A returning player: a sound output stored, no start screen, windowed, the arrows shown.
mkdir -p "$tmp/config/Quillmoor" "$tmp/runtime"
chmod 700 "$tmp/runtime"
store="$tmp/config/Quillmoor/FluffoB50.conf"
cat >"$store" <<'STORE'
[General]
SoundMode=2
SplashScreen=0
FullscreenMode=0
CtrlrOverlay=1
HiScore1=1234
HiScore2=567
STORE

# Runs the program with the arguments given, in the background, with the private store.
start_program() {
    XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime" SDL_AUDIODRIVER=dummy \
        QT_QPA_PLATFORM=xcb "$program" "$@" >"$tmp/app.log" 2>&1 &
    app_pid=$!
}

# The main window, seen: sets window, left and top. (An unmapped helper window of the toolkit
# carries the title too.)
find_window() {
    window=$(xdotool search --onlyvisible --name "^${title//[()]/.}\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y)=')"
    left=$X
    top=$Y
}

# A left click at window pixel x, y.
click_at() {
    xdotool mousemove --sync $((left + $1)) $((top + $2)) click 1
}

# A screenshot of the whole screen into the scratch folder, one pixel of a screenshot, and the
# pixels of an area (WxH+L+T in window pixels, the window at left, top) that differ between two.
shot() { import -window root "$tmp/$1.png"; }
pixel() { convert "$tmp/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
area_changes() {
    local g
    g=$(awk -F'[x+]' -v l="$left" -v t="$top" '{ printf "%sx%s+%d+%d", $1, $2, $3 + l, $4 + t }' \
        <<<"$3")
    compare -metric AE "$tmp/$1.png[$g]" "$tmp/$2.png[$g]" null: 2>&1 || true
}

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
painted() {
    shot "$1"
    local middle
    middle=$(pixel "$1" $((left + width / 2)) $((top + height / 2)))
    [ "$middle" != "$root_rgb" ] && [ "$middle" != 'srgb(0,0,0)' ]
}

# The window is $1 (WxH), centred on the screen, painted (screenshot $2), and cut to the
# handheld's shape: the bounding box's corners show the root (root_rgb, the sourcing test's),
# and the key colour itself is nowhere on the screen.
check_window() {
    wait_for 3 centred_at_size "$1" ||
        fail "window is ${width}x${height} at $left,$top, not $1 centred on the screen"
    wait_for 3 painted "$2" || fail "the window's middle shows $(pixel "$2" \
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

# Ended: gone, or a zombie waiting to be reaped.
exited() { [ ! -e "/proc/$app_pid" ] || grep -q '^State:.*Z' "/proc/$app_pid/status"; }

# Escape ends the program; its exit status must be 0.
quit_program() {
    timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
    xdotool key Escape
    wait_for 3 exited || fail "still running 3 s after Escape"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 0 ] || fail "exit status $status"
}
