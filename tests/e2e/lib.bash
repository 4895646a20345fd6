# Shared helpers of the end-to-end tests: a private Xvfb display, a null sound device and
# a scratch copy of the game folder. Source it; call e2e_setup <game dir> first.

e2e_setup() {
    game_src=$1
    if [ ! -f "$game_src/gor.dat" ]; then
        echo "skipped: no game data in $game_src"
        exit 77
    fi
    work=$(mktemp -d)
    trap e2e_cleanup EXIT
    cp -r "$game_src" "$work/game"
    rm -f "$work/game/gorSetup.cfg" "$work/game/gorMaps.cfg"

    # ALSA's null device stands in for the sound card.
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$work/asound.conf"
    export ALSA_CONFIG_PATH=$work/asound.conf

    for n in $(seq 90 140); do
        [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 1600x1200x16 -nolisten tcp > "$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:$n
        for _ in $(seq 50); do
            xdpyinfo > /dev/null 2>&1 && return 0
            kill -0 $xvfb_pid 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "FAIL: could not start Xvfb"
    exit 1
}

e2e_cleanup() {
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}

# Starts the game in the scratch folder; sets game_pid.
e2e_start_game() {
    (cd "$work/game" && exec ./gor > "$work/gor.out" 2> "$work/gor.err") &
    game_pid=$!
}

# Waits for the game's window; prints its id.
e2e_wait_window() {
    for _ in $(seq 100); do
        w=$(xdotool search --class allegro 2>/dev/null | head -1)
        if [ -n "$w" ]; then echo "$w"; return 0; fi
        kill -0 "$game_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the game to end; sets exit_status to its exit status, or to
# "timeout".
e2e_wait_exit() {
    exit_status=timeout
    for _ in $(seq $(( $1 * 10 ))); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid"; exit_status=$?; game_pid=; return 0
        fi
        sleep 0.1
    done
}

# Holds a key long enough for the game's once-a-tick read to see it.
e2e_key() {
    xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"
}
