#!/usr/bin/env bash
# Measures the desktop program on a virtual X server or a headless Wayland compositor, the way
# a returning player starts it (sound choice stored, no start screen, windowed): the time from
# launch to its first frame, its share of one core in the clock mode and in Game B play, its
# resident memory, and how closely the game tick keeps its period in Game A (370 ms) and Game
# B (240 ms); then the clock mode again with one of SDL's virtual pads plugged in and idle
# (FLUFFO_VIRTUAL_PAD=1): a pad with no device to wait on, which is polled. Run by hand on a
# quiet machine; it takes about three minutes.
#
# Usage: bench/measure_desktop.sh [program]    (default: build/dev/run/fluffo-brambo)
# Environment: PLATFORM: xvfb (default: Xvfb, Qt on xcb), wayland (the desktop tests' headless
# sway, Qt on wayland) or xwayland (that sway, Qt on xcb through Xwayland); SOUND_MODE (stored
# choice, default 2 = no sound; 0 or 1 open SDL's output, SDL_AUDIODRIVER defaulting to
# dummy), LAUNCHES (first-frame runs, default 5), KEEP=1 keeps the logs (on Xvfb),
# XVFB_DISPLAY (a display number to take), ZOOM (the stored WindowZoom in percent, default
# none: 100 %), SCREEN (the virtual screen, default 1024x768 on Xvfb, 1280x1024 on sway; a
# zoomed window needs room). On Xvfb anything else in the environment (QT_NO_GLIB,
# QT_SCALE_FACTOR ...) reaches the program; on sway, which runs it as the tests' user when run
# as root, only those two do. A zoomed window or a scaled desktop is judged by the larger
# targets of the handheld drawn at the screen's resolution.
set -euo pipefail

program=$(realpath "${1:-build/dev/run/fluffo-brambo}")
sound_mode=${SOUND_MODE:-2}
launches=${LAUNCHES:-5}
window_s=20 # each CPU window
ticks_s=60  # play of each game whose ticks are counted (Game B's includes its CPU window)
hz=$(getconf CLK_TCK)
platform=${PLATFORM:-xvfb}
screen=${SCREEN:-1024x768}
if [ "$platform" != xvfb ]; then screen=${SCREEN:-1280x1024}; fi
zoom=${ZOOM:-}
first_target=180
game_b_target=0.5
rss_target=60
if [ -n "$zoom" ] || [ -n "${QT_SCALE_FACTOR:-}" ]; then
    first_target=250
    game_b_target=0.6
    rss_target=150
fi

case $platform in
xvfb | wayland | xwayland) ;;
*) echo "measure: PLATFORM is xvfb, wayland or xwayland, not $platform" >&2; exit 1 ;;
esac
die() {
    echo "measure: $*" >&2
    exit 1
}

if [ "$platform" = xvfb ]; then
    for tool in Xvfb xdotool; do
        command -v "$tool" >/dev/null || { echo "measure: $tool is missing" >&2; exit 1; }
    done

    tmp=$(mktemp -d)
    xvfb_pid=""
    app_pid=""
    cleanup() {
        if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
        if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
        if [ "${KEEP:-0}" = 1 ]; then echo "logs kept in $tmp"; else rm -rf "$tmp"; fi
    }
    trap cleanup EXIT

    # Polls a command every 20 ms for up to $1 seconds.
    wait_for() {
        local tries=$(($1 * 50))
        shift
        while ! "$@"; do
            tries=$((tries - 1))
            [ "$tries" -gt 0 ] || return 1
            sleep 0.02
        done
    }

    # XVFB_DISPLAY=N takes display :N instead of the first free one.
    if [ -n "${XVFB_DISPLAY:-}" ]; then
        Xvfb ":$XVFB_DISPLAY" -screen 0 "${screen}x24" -nolisten tcp -noreset 2>"$tmp/xvfb.log" &
        echo "$XVFB_DISPLAY" >"$tmp/display"
        sleep 1
    else
        Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$tmp/display" \
            2>"$tmp/xvfb.log" &
    fi
    xvfb_pid=$!
    wait_for 5 test -s "$tmp/display" || die "Xvfb did not start"
    DISPLAY=":$(head -n 1 "$tmp/display")"
    export DISPLAY
    mkdir -p "$tmp/runtime" && chmod 700 "$tmp/runtime"
    logs=$tmp
    # How the program is started: in this environment, Qt on xcb.
    as_player=(env XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb)
    show_key() { xdotool key --delay 30 "$@"; }
    # Waits for the main window, gives it the keyboard and sets X, Y, WIDTH and HEIGHT.
    take_window() {
        window=$(xdotool search --onlyvisible --name '^Fluffo Brambo' | head -n 1)
        [ -n "$window" ] || die "no visible main window"
        timeout 3 xdotool windowfocus --sync "$window"
        eval "$(xdotool getwindowgeometry --shell "$window")"
    }
    rest_pointer_at() { xdotool mousemove "$1" "$2"; }
    # A player's keys with pauses between, as lines of "key NAME" and "sleep SECONDS".
    player() { sed 's/^key /key --delay 30 /' | xdotool -; }
else
    # The desktop tests' sway session: its user, scratch home and helpers.
    pointer_tool=$(dirname "$0")/../build/dev/tests/virtual_pointer
    # shellcheck disable=SC2034  # read by the session helper
    test_name=measure
    IFS=x read -r screen_w screen_h <<<"$screen"
    # shellcheck source=tests/desktop/sway_session.sh
    . "$(dirname "$0")/../tests/desktop/sway_session.sh"
    logs=$home
    qpa=wayland
    if [ "$platform" = xwayland ]; then qpa=xcb; fi
    as_player=("${as_user[@]}" "${session_env[@]}" "QT_QPA_PLATFORM=$qpa")
    for name in QT_NO_GLIB QT_SCALE_FACTOR; do
        if [ -n "${!name+set}" ]; then as_player+=("$name=${!name}"); fi
    done
    show_key() {
        local args=()
        for k in "$@"; do args+=(-k "$k" -s 30); done
        keys "${args[@]}"
    }
    take_window() {
        wait_for 5 find_window || die "no main window in sway's tree"
        X=$left Y=$top WIDTH=$width HEIGHT=$height
    }
    # sway 1.7 crashes when a virtual pointer enters an Xwayland window after others have
    # closed: through Xwayland the pointer rests where it is.
    rest_pointer_at() {
        if [ -x "$pointer_tool" ] && [ "$qpa" = wayland ]; then point move-abs "$1" "$2"; fi
    }
    player() {
        local args=() word what
        while read -r word what; do
            if [ "$word" = key ]; then args+=(-k "$what" -s 30); elif [ -n "$word" ]; then
                args+=(-s "$(awk -v s="$what" 'BEGIN { printf "%d", s * 1000 }')")
            fi
        done
        run_as wtype "${args[@]}"
    }
fi

# Starts the program on a fresh store with fresh logs named after $1; waits for its first
# frame and sets app_pid and first_frame_ms (from the moment just before the program's exec).
launch() {
    local run=$1
    local config="$logs/config"
    rm -rf "$config"
    mkdir -p "$config/Quillmoor"
    printf '[General]\nSoundMode=%s\nSplashScreen=0\nFullscreenMode=0\n' "$sound_mode" \
        >"$config/Quillmoor/FluffoB50.conf"
    if [ -n "$zoom" ]; then echo "WindowZoom=$zoom" >>"$config/Quillmoor/FluffoB50.conf"; fi
    frames="$logs/$run.frames"
    ticks="$logs/$run.ticks"
    : >"$frames"
    : >"$ticks"
    # The program writes the store and its logs as whoever it runs as.
    chown -R "$(stat -c %u:%g "$logs")" "$config" "$frames" "$ticks"
    (
        echo "$EPOCHREALTIME" >"$tmp/$run.launch"
        exec "${as_player[@]}" XDG_CONFIG_HOME="$config" \
            SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" FLUFFO_FRAME_LOG="$frames" \
            FLUFFO_TICK_LOG="$ticks" ${FLUFFO_VIRTUAL_PAD:+FLUFFO_VIRTUAL_PAD=$FLUFFO_VIRTUAL_PAD} \
            "$program"
    ) >"$tmp/$run.log" 2>&1 &
    app_pid=$!
    wait_for 10 test -s "$frames" || die "no frame within 10 s (see $tmp/$run.log)"
    local launched first
    launched=$(tr -d '.' <"$tmp/$run.launch")
    first=$(head -n 1 "$frames" | cut -d' ' -f1)
    first_frame_ms=$(awk -v a="$launched" -v b="$first" 'BEGIN { printf "%.1f", (b - a) / 1000 }')
    take_window
}

# Escape, and the program gone with status 0.
quit() {
    show_key Escape
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 0 ] || die "the program ended with status $status"
}

# CPU time of all the program's threads: clock ticks from /proc/<pid>/stat (utime + stime,
# the exited threads included) and nanoseconds of run time from the threads' schedstat.
cpu_ticks() {
    local line
    read -r line <"/proc/$app_pid/stat"
    # shellcheck disable=SC2086  # the fields after the command name, split on purpose
    set -- ${line##*) }
    echo $((${12} + ${13}))
}
cpu_ns() { cat /proc/"$app_pid"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }
# Context switches of all threads: how often the program sleeps and wakes.
switches() {
    cat /proc/"$app_pid"/task/*/status |
        awk '/ctxt_switches/ { s += $2 } END { printf "%d", s }'
}
now_us() { echo "${EPOCHREALTIME/./}"; }

# Runs "$2" for $1 seconds and leaves in cpu_pct (from the ticks), cpu_fine_pct (from the
# schedstat), wakes_per_s and frames_per_s what the program used meanwhile.
measure() {
    local seconds=$1 action=$2
    local t0 ns0 tk0 sw0 fr0 t1 ns1 tk1 sw1 fr1
    t0=$(now_us) ns0=$(cpu_ns) tk0=$(cpu_ticks) sw0=$(switches) fr0=$(wc -l <"$frames")
    "$action" "$seconds"
    t1=$(now_us) ns1=$(cpu_ns) tk1=$(cpu_ticks) sw1=$(switches) fr1=$(wc -l <"$frames")
    read -r cpu_pct cpu_fine_pct wakes_per_s frames_per_s < <(awk \
        -v us=$((t1 - t0)) -v ticks=$((tk1 - tk0)) -v hz="$hz" -v ns=$((ns1 - ns0)) \
        -v sw=$((sw1 - sw0)) -v fr=$((fr1 - fr0)) 'BEGIN {
            printf "%.3f %.3f %.1f %.2f\n", 100 * ticks / hz / (us / 1e6),
                100 * ns / 1e3 / us, sw / (us / 1e6), fr / (us / 1e6) }')
}

idle() { sleep "$1"; }
# A player: a direction every 0.4 s; the game key now and then restarts a game that ended
# (during play it does nothing). One xdotool (or wtype) runs it all, so the player costs the
# machine little while the program is measured.
play() {
    local game_key=$1 presses=$(($2 * 5 / 2))
    local keys=(Up Down Left Right) script="" n
    for ((n = 1; n <= presses; n++)); do
        script+="key ${keys[RANDOM % 4]}"$'\n'
        if [ $((n % 8)) = 0 ]; then script+="key $game_key"$'\n'; fi
        script+="sleep 0.4"$'\n'
    done
    player <<<"$script"
}
play_a() { play 1 "$1"; }
play_b() { play 2 "$1"; }

# Game tick periods against $2 ms: intervals within half a period of it are ticks (a longer
# gap is the game standing still between lives or stages). Prints the tick count, median,
# 99th percentile (nearest rank) and largest |period - target| in ms, the mean period, and the
# gaps left out.
tick_stats() {
    awk -v p="$2" 'NR > 1 {
            d = ($1 - last) / 1000
            if (d > p / 2 && d < 1.5 * p) { e = d - p; print (e < 0 ? -e : e), d } else gaps++
        }
        { last = $1 }
        END { print "gaps", gaps + 0 > "/dev/stderr" }' "$1" 2>"$1.gaps" | sort -n >"$1.errors"
    local n gaps
    n=$(wc -l <"$1.errors")
    gaps=$(cut -d' ' -f2 <"$1.gaps")
    [ "$n" -gt 0 ] || die "no game ticks in $1"
    awk -v n="$n" -v gaps="$gaps" '
        { e[NR] = $1; sum += $2 }
        END {
            median = n % 2 ? e[(n + 1) / 2] : (e[n / 2] + e[n / 2 + 1]) / 2
            r = int(0.99 * n); if (r < 0.99 * n) r++
            printf "%d %.3f %.3f %.3f %.3f %d\n", n, median, e[r], e[n], sum / n, gaps
        }' "$1.errors"
}

echo "measuring $program on $platform (SoundMode=$sound_mode${QT_NO_GLIB+, QT_NO_GLIB=$QT_NO_GLIB}," \
    "screen $screen${zoom:+, WindowZoom=$zoom}${QT_SCALE_FACTOR:+, QT_SCALE_FACTOR=$QT_SCALE_FACTOR})"

first_frames=()
for i in $(seq "$launches"); do
    launch "start$i"
    first_frames+=("$first_frame_ms")
    quit
done
read -r first_median first_max < <(printf '%s\n' "${first_frames[@]}" | sort -n | awk '
    { v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[NR] }')
echo "first frame, ms: ${first_frames[*]}"

# The clock, then Game A.
launch clock_a
rest_pointer_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) # the pointer resting on the handheld
show_key 3                                                # TIME: the clock
sleep 2
measure "$window_s" idle
clock=("$cpu_pct" "$cpu_fine_pct" "$wakes_per_s" "$frames_per_s")
echo "clock mode: ${cpu_pct} % CPU (ticks), ${cpu_fine_pct} % (schedstat)," \
    "${wakes_per_s} wakes/s, ${frames_per_s} frames/s"
show_key 1 # GAME A
play_a "$ticks_s"
quit
read -r a_n a_median a_p99 a_max a_mean a_gaps < <(tick_stats "$logs/clock_a.ticks" 370)

# Game B.
launch game_b
show_key 3 2 # the clock, then GAME B
sleep 3         # its start-up tune
measure "$window_s" play_b
echo "Game B play: ${cpu_pct} % CPU (ticks), ${cpu_fine_pct} % (schedstat)," \
    "${wakes_per_s} wakes/s, ${frames_per_s} frames/s"
b_cpu=("$cpu_pct" "$cpu_fine_pct" "$wakes_per_s" "$frames_per_s")
rss_kb=$(awk '/^VmRSS/ { print $2 }' "/proc/$app_pid/status")
play_b $((ticks_s - window_s))
hwm_kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$app_pid/status")
quit
read -r b_n b_median b_p99 b_max b_mean b_gaps < <(tick_stats "$logs/game_b.ticks" 240)

# The clock with an idle pad that has to be polled.
export FLUFFO_VIRTUAL_PAD=1
launch clock_pad
unset FLUFFO_VIRTUAL_PAD
show_key 3 # TIME: the clock
sleep 2
measure "$window_s" idle
pad_clock=("$cpu_pct" "$cpu_fine_pct" "$wakes_per_s" "$frames_per_s")
echo "clock mode, one idle virtual pad: ${cpu_pct} % CPU (ticks), ${cpu_fine_pct} % (schedstat)," \
    "${wakes_per_s} wakes/s"
quit

verdict() { awk -v v="$1" -v op="$2" -v t="$3" 'BEGIN {
    ok = op == "<=" ? v + 0 <= t + 0 : v + 0 < t + 0; print ok ? "ok" : "MISSED" }'; }
# A row: what, the value shown, the value judged, the comparison, unit, target.
row() { printf '%-36s %16s   %-10s %s\n' "$1" "$2 $5" "$4 $6 $5" "$(verdict "$3" "$4" "$6")"; }

# Over 20 s a clock tick of utime+stime is 1/$hz s, a step of 0.05 % at 100 Hz: too coarse to
# judge 0.1 % by. The threads' schedstat counts run time in nanoseconds.
echo
echo "CPU: utime+stime from /proc/<pid>/stat (in 1/$hz s steps) / run time from the threads'" \
    "schedstat (judged)"
printf '%-36s %16s   %-10s %s\n' measure value target ""
row "first frame (median of $launches)" "$first_median" "$first_median" "<=" ms "$first_target"
row "CPU, clock mode (${window_s} s)" "${clock[0]} / ${clock[1]}" "${clock[1]}" "<" % 0.1
row "wakes, clock mode, no pad" "${clock[2]}" "${clock[2]}" "<=" /s 2.5
row "CPU, clock mode, idle polled pad" "${pad_clock[0]} / ${pad_clock[1]}" "${pad_clock[1]}" "<=" % 0.2
row "CPU, Game B play (${window_s} s)" "${b_cpu[0]} / ${b_cpu[1]}" "${b_cpu[1]}" "<" % \
    "$game_b_target"
row "resident memory (VmRSS)" "$((rss_kb / 1024))" "$((rss_kb / 1024))" "<" MB "$rss_target"
row "Game A tick |error| median ($a_n)" "$a_median" "$a_median" "<" ms 0.5
row "Game A tick |error| p99" "$a_p99" "$a_p99" "<" ms 3
row "Game B tick |error| median ($b_n)" "$b_median" "$b_median" "<" ms 0.5
row "Game B tick |error| p99" "$b_p99" "$b_p99" "<" ms 3
echo
echo "also: first frame at most $first_max ms; clock mode ${clock[2]} wakes/s," \
    "${clock[3]} frames/s; with the idle polled pad ${pad_clock[2]} wakes/s; Game B play ${b_cpu[2]} wakes/s, ${b_cpu[3]} frames/s;" \
    "peak RSS $((hwm_kb / 1024)) MB; tick period mean $a_mean ms (A), $b_mean ms (B)," \
    "largest error $a_max ms (A), $b_max ms (B); gaps left out $a_gaps (A), $b_gaps (B)"
