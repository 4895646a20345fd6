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

    # Xvfb picks a free display itself and writes its number once it takes connections:
    # tests run side by side, and a number picked here by its lock file could be taken by
    # another test between the look and the start, leaving this one on the other's display
    # (gone when that test ends).
    Xvfb -displayfd 3 -screen 0 1600x1200x16 -nolisten tcp 3> "$work/display" \
        > "$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$work/display" ]; then
            export DISPLAY=:$(head -1 "$work/display")
            xdpyinfo > /dev/null 2>&1 && return 0
        fi
        kill -0 $xvfb_pid 2>/dev/null || break
        sleep 0.1
    done
    echo "FAIL: could not start Xvfb"
    exit 1
}

# Ends the test as failed, with the game's error output (a script may define its own).
fail() {
    echo "FAIL: $*"
    echo "--- stderr:"; cat "$work/gor.err" 2>/dev/null
    [ -n "${E2E_SHOTS:-}" ] && echo "(screenshots in $E2E_SHOTS)"
    exit 1
}

e2e_cleanup() {
    # The library's own signal handler can hang in its shut-down: end the game outright.
    [ -n "${game_pid:-}" ] && kill -KILL "$game_pid" 2>/dev/null
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

# Waits for one of the library's message boxes (an xmessage window); prints its id.
e2e_wait_box() {
    for _ in $(seq 100); do
        w=$(xdotool search --class xmessage 2>/dev/null | head -1)
        if [ -n "$w" ]; then echo "$w"; return 0; fi
        sleep 0.1
    done
    return 1
}

# Answers the box with a real key press, the pointer (and so the focus) inside it.
e2e_answer_box() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $(( X + 5 )) $(( Y + 5 ))
    sleep 0.2
    e2e_key Return
}

# Holds a key long enough for the game's once-a-tick read to see it.
e2e_key() {
    xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"
}

# ---- Driving the game's page. The game draws a 1600x1200 page stretched onto its
# display (resx x resy), which the X server shows centred on its root window.

# Sets page_w/page_h (the game's display) and off_x/off_y (where it sits on the root).
e2e_page_geometry() {
    page_w=${1:-800}; page_h=${2:-600}
    read -r root_w root_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
    off_x=$(( (root_w - page_w) / 2 )); off_y=$(( (root_h - page_h) / 2 ))
}

# Root pixel of a page pixel (the page is stretched onto (page_w - 1) x (page_h - 1)).
e2e_root_x() { echo $(( off_x + $1 * (page_w - 1) / 1600 )); }
e2e_root_y() { echo $(( off_y + $1 * (page_h - 1) / 1200 )); }

# Moves the pointer onto a page pixel (focus follows it under Xvfb).
e2e_point() {
    xdotool mousemove $(( off_x + ($1 * page_w + 1599) / 1600 )) $(( off_y + ($2 * page_h + 1199) / 1200 ))
}

# A left click on a page pixel, the button held long enough for a tick to see it.
e2e_click() {
    e2e_point "$1" "$2"; sleep 0.1
    xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
}

# A left click on a page pixel with no hold at all, as a touchpad's tap can be: press and
# release reach the game between two of its ticks.
e2e_tap() {
    e2e_point "$1" "$2"; sleep 0.1
    xdotool mousedown 1 mouseup 1
}

# Screenshot of the root window into $work/<name>.png (also into $E2E_SHOTS when set).
e2e_shot() {
    import -window root "$work/$1.png" 2>/dev/null
    [ -n "${E2E_SHOTS:-}" ] && cp "$work/$1.png" "$E2E_SHOTS/$1.png"
    return 0
}

# Crop of a page rectangle (x y w h in page pixels) of a screenshot, as ImageMagick args.
e2e_crop() {
    local x0 y0 x1 y1
    x0=$(e2e_root_x "$2"); y0=$(e2e_root_y "$3")
    x1=$(e2e_root_x $(( $2 + $4 ))); y1=$(e2e_root_y $(( $3 + $5 )))
    echo "$work/$1.png -crop $(( x1 - x0 ))x$(( y1 - y0 ))+$x0+$y0 +repage"
}

# Mean colour "r g b" (0..255) of a page rectangle of a screenshot.
e2e_mean() {
    # shellcheck disable=SC2046
    convert $(e2e_crop "$@") -scale '1x1!' -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# Hash of the pixels of a page rectangle of a screenshot.
e2e_hash() {
    # shellcheck disable=SC2046
    convert $(e2e_crop "$@") rgb:- | md5sum | cut -c1-16
}

# Share (0..1000) of a page rectangle's pixels that are clearly green (the green fighter).
e2e_green_share() {
    # shellcheck disable=SC2046
    convert $(e2e_crop "$@") -fx 'g > r + 0.15 && g > b + 0.15 ? 1 : 0' -format '%[fx:int(1000*mean+0.5)]' info:
}

# 0 when the mean colour of a page rectangle is within `tol` of (r, g, b) in each part.
# Usage: e2e_colour_near <shot> x y w h r g b tol
e2e_colour_near() {
    local got
    got=$(e2e_mean "$1" "$2" "$3" "$4" "$5")
    read -r gr gg gb <<< "$got"
    last_colour=$got
    [ $(( gr > $6 ? gr - $6 : $6 - gr )) -le "$9" ] &&
        [ $(( gg > $7 ? gg - $7 : $7 - gg )) -le "$9" ] &&
        [ $(( gb > $8 ? gb - $8 : $8 - gb )) -le "$9" ]
}
