# shellcheck shell=bash
# shellcheck disable=SC2154  # program, pointer_tool and test_name are the sourcing test's
# shellcheck disable=SC2034  # what it sets (background_rgb, width, floating ...) is the test's
# Sourced by the desktop tests on Wayland: a private headless sway (1280 x 1024, a plain
# background, no bar, Xwayland on demand) run by an unprivileged user, the one made for the
# tests when run as root (sway refuses root), a scratch home with the store of a returning
# player, and helpers to start the program on a platform, find its window in sway's tree,
# take screenshots (grim), type keys (wtype) and point (the virtual pointer), poll and fail.
# Set `program`, `pointer_tool` (may be missing where only keys are sent) and `test_name`
# first (`screen_w` and `screen_h` for a screen other than 1280 x 1024). Exits 77 (skipped),
# saying why, when a tool is missing or sway cannot start.
title='Fluffo Brambo (Zentrix, Gleeplay) Simulator'
screen_w=${screen_w:-1280}
screen_h=${screen_h:-1024}
background='#2f6f4f' # a colour the handheld never shows at its corners
background_rgb='srgb(47,111,79)'
test_user=fluffo-test

skip() {
    echo "$test_name: $*, skipped"
    exit 77
}
for tool in sway swaymsg swaybg grim wtype Xwayland python3 setsid; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
for tool in convert compare; do
    command -v "$tool" >/dev/null || { echo "$test_name: $tool is missing" >&2; exit 1; }
done

tmp=$(mktemp -d)
chmod 711 "$tmp"
sway_pid=""
sway_group=""
app_pid=""
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    # sway leads a session of its own: its Xwayland and swaybg go with it.
    if [ -n "$sway_group" ]; then kill -- "-$sway_group" 2>/dev/null || true; fi
    if [ -n "$sway_pid" ]; then kill "$sway_pid" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "$test_name: $*" >&2
    if [ -s "$tmp/app.log" ]; then sed 's/^/  program: /' "$tmp/app.log" >&2; fi
    if [ -s "$tmp/sway.log" ]; then tail -n 40 "$tmp/sway.log" | sed 's/^/  sway: /' >&2; fi
    exit 1
}

# Polls a command every 50 ms for up to $1 seconds (of the clock: a look may take a while).
now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
wait_for() {
    local until=$(($(now_ms) + $1 * 1000))
    shift
    while ! "$@"; do
        [ "$(now_ms)" -lt "$until" ] || return 1
        sleep 0.05
    done
}

# The user everything runs as: the test user when run as root (made when absent; two tests
# may race to make it), else whoever runs the test.
home="$tmp/home"
mkdir -p "$home/.config/Quillmoor" "$tmp/runtime"
if [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null || skip "as root, setpriv is needed to leave root for sway"
    if ! id "$test_user" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            "$test_user" 2>/dev/null || id "$test_user" >/dev/null 2>&1 ||
            skip "as root, cannot make the user $test_user for sway"
    fi
    chown -R "$test_user:" "$home" "$tmp/runtime"
    as_user=(setpriv "--reuid=$test_user" "--regid=$(id -g "$test_user")" --clear-groups)
else
    as_user=()
fi
chmod 700 "$home" "$tmp/runtime"
session_env=(env -i "PATH=$PATH" "HOME=$home" "XDG_RUNTIME_DIR=$tmp/runtime" LANG=C.UTF-8
    "TZ=${TZ:-UTC}")
# Runs a command as the test user, in the session once it is up.
run_as() { "${as_user[@]}" "${session_env[@]}" "$@"; }

# The program and its data must be readable by that user: where the build tree is not (a
# checkout in root's home), the run folder and the pointer are copied into the scratch home.
if ! run_as test -r "$(dirname "$program")/Config.ini" || ! run_as test -x "$program" ||
    { [ -x "$pointer_tool" ] && ! run_as test -x "$pointer_tool"; }; then
    cp -r "$(dirname "$program")" "$home/run"
    if [ -x "$pointer_tool" ]; then cp "$pointer_tool" "$home/run/"; fi
    chown -R "$(stat -c %u:%g "$home")" "$home/run"
    program="$home/run/$(basename "$program")"
    pointer_tool="$home/run/$(basename "$pointer_tool")"
fi

# sway, headless and drawn in software; once up it tells where its clients connect.
cat >"$tmp/session.sh" <<'TELL'
printf 'WAYLAND_DISPLAY=%s\nSWAYSOCK=%s\nDISPLAY=%s\n' "$WAYLAND_DISPLAY" "$SWAYSOCK" \
    "$DISPLAY" >"$HOME/session.part" && mv "$HOME/session.part" "$HOME/session"
TELL
cat >"$tmp/sway.config" <<CONFIG
xwayland enable
output HEADLESS-1 resolution ${screen_w}x${screen_h} position 0 0 bg $background solid_color
exec sh $tmp/session.sh
CONFIG
chmod 644 "$tmp/sway.config" "$tmp/session.sh"
run_as WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    setsid --wait sway -c "$tmp/sway.config" >"$tmp/sway.log" 2>&1 &
sway_pid=$!
sway_up() { [ -s "$home/session" ] || ! kill -0 "$sway_pid" 2>/dev/null; }
wait_for 10 sway_up
if [ ! -s "$home/session" ]; then
    echo "$test_name: sway did not start, skipped; its log:"
    tail -n 20 "$tmp/sway.log" | sed 's/^/  sway: /'
    exit 77
fi
mapfile -t session_vars <"$home/session"
session_env+=("${session_vars[@]}")
# Its socket is named after its process, the leader of its session.
sway_group=$(sed -n 's/^SWAYSOCK=.*\.\([0-9]*\)\.sock$/\1/p' "$home/session")

# A returning player's store: a sound output stored, no start screen, windowed.
store="$home/.config/Quillmoor/FluffoB50.conf"
write_store() {
    printf '[General]\nSoundMode=2\nSplashScreen=0\nFullscreenMode=0\n' >"$store"
    chown "$(stat -c %u:%g "$home")" "$store"
}

# Runs the program on platform $1 (wayland or xcb) with the rest as its arguments, in the
# background, as the test user, on a fresh store; its log in app.log.
start_program() {
    local platform=$1
    shift
    write_store
    # Not through run_as: the process started is the program itself.
    "${as_user[@]}" "${session_env[@]}" QT_QPA_PLATFORM="$platform" SDL_AUDIODRIVER=dummy \
        "$program" "$@" >"$tmp/app.log" 2>&1 &
    app_pid=$!
}

# The program's window as sway has it: sets left, top, width and height (its content, without
# any border sway draws) and floating (yes or no). Fails while there is none.
find_window() {
    local place
    place=$(run_as swaymsg -r -t get_tree | python3 -c '
import json, sys
def views(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from views(child)
title, pid = sys.argv[1], int(sys.argv[2])
for node in views(json.load(sys.stdin)):
    if node.get("name") == title and node.get("pid") == pid and node.get("visible"):
        r, w = node["rect"], node["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"],
              "yes" if node.get("type") == "floating_con" else "no")
        sys.exit(0)
sys.exit(1)' "$title" "$app_pid") || return 1
    read -r left top width height floating <<<"$place"
}

# A screenshot of the whole screen (into the scratch home), one pixel of one, the same area
# (WxH+L+T in window pixels, the window at left, top) of two compared: the pixels that differ.
shot() { run_as grim "$home/$1.png"; }
pixel() { convert "$home/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
on_screen() {
    awk -F'[x+]' -v l="$left" -v t="$top" '{ printf "%sx%s+%d+%d", $1, $2, $3 + l, $4 + t }' \
        <<<"$1"
}
area_changes() {
    local g
    g=$(on_screen "$3")
    compare -metric AE "$home/$1.png[$g]" "$home/$2.png[$g]" null: 2>&1 || true
}
# A screenshot of one area only (WxH+L+T in window pixels).
area_shot() {
    local w h l t
    IFS='x+' read -r w h l t <<<"$(on_screen "$2")"
    run_as grim -g "$l,$t ${w}x$h" "$home/$1.png"
}
same() { [ "$(compare -metric AE "$home/$1.png" "$home/$2.png" null: 2>&1)" = 0 ]; }

# The pointer: `point COMMAND...` as the virtual pointer takes them, at screen pixels;
# click_at X Y at window pixels.
point() { run_as "$pointer_tool" "${screen_w}x$screen_h" "$@"; }
click_at() {
    point move-abs $((left + $1)) $((top + $2)) wait 50 press left wait 80 release left
}
# Keys: `keys ARGS...` as wtype takes them. Its keyboard exists only while it runs, so it
# waits a moment before and after the keys for the window to take the new keyboard.
keys() { run_as wtype -s 300 "$@" -s 300; }

# Ended: gone, or a zombie waiting to be reaped.
exited() { [ ! -e "/proc/$app_pid" ] || grep -q '^State:.*Z' "/proc/$app_pid/status"; }
