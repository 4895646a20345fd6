#!/usr/bin/env bash
# The real program under Xvfb: it starts in its folder, opens its window, runs its loop,
# and ends cleanly when the window is asked to close, also where it cannot read or save its
# files (it names them on the terminal, and leaves them as they were); without gor.dat it
# stops with a message naming the file (answered in its box) and a failure status.
set -u
here=$(dirname "$0")
. "$here/lib.bash"
wmclose=$2
e2e_setup "$1"
fail() {
    echo "FAIL: $*"; echo "--- stderr:"; cat "$work/gor.err" 2>/dev/null
    umount "$work/full" 2>/dev/null
    kill "${lease_pid:-}" 2>/dev/null
    exit 1
}

e2e_start_game
win=$(e2e_wait_window) || fail "no window appeared"
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the game ended on its own"
import -window root "$work/shot.png" 2>/dev/null
[ -n "${E2E_SHOTS:-}" ] && cp "$work/shot.png" "$E2E_SHOTS/startup.png"
"$wmclose" "$win"
e2e_wait_exit 10
[ "$exit_status" = "0" ] || fail "close request: exit status $exit_status"
[ -f "$work/game/gorSetup.cfg" ] && ! grep -q 'cannot save' "$work/gor.err" ||
    fail "close request: the settings were not saved"
echo "ok: started, ran and closed cleanly"

# The settings under another program's lease at start (a file server's), let go during play:
# the terminal says at start that they could not be read and will not be saved over, and at
# the quit why they are not; the file stays byte for byte.
cp "$work/game/gorSetup.cfg" "$work/before.cfg"
perl -e '$SIG{IO} = "IGNORE"; open(F, "<", $ARGV[0]) && fcntl(F, 1024, 1) || exit;
         $| = 1; print "held\n"; sleep 60' "$work/game/gorSetup.cfg" > "$work/lease" 2>&1 &
lease_pid=$!
while kill -0 $lease_pid 2>/dev/null && [ ! -s "$work/lease" ]; do sleep 0.1; done
if [ -s "$work/lease" ]; then
    e2e_start_game
    win=$(e2e_wait_window) || fail "lease: no window appeared"
    for _ in $(seq 100); do grep -q playing "$work/gor.err" && break; sleep 0.1; done
    grep -qx "gor: cannot read gorSetup.cfg: Resource temporarily unavailable; playing on the \
default settings, which will not be saved over it" "$work/gor.err" ||
        fail "lease: not told at start"
    kill $lease_pid
    "$wmclose" "$win"
    e2e_wait_exit 10
    [ "$exit_status" = "0" ] || fail "lease: exit status $exit_status"
    grep -qx "gor: gorSetup.cfg is not saved over: it could not be read at start (Resource \
temporarily unavailable)" "$work/gor.err" && cmp -s "$work/before.cfg" "$work/game/gorSetup.cfg" ||
        fail "lease: the quit did not leave the file as it was, saying why"
    echo "ok: lease: $(grep '^gor:' "$work/gor.err" | tr '\n' ' ')"
else
    kill $lease_pid 2>/dev/null
    echo "skipped: lease (no leases here)"
fi

# Directories where the settings and the unlock store should be, which not even root can
# write: the game runs and ends as ever, and the terminal names each file once.
rm "$work/game/gorSetup.cfg" "$work/game/gorMaps.cfg"
mkdir "$work/game/gorSetup.cfg" "$work/game/gorMaps.cfg"
e2e_start_game
win=$(e2e_wait_window) || fail "unwritable files: no window appeared"
sleep 2
"$wmclose" "$win"
e2e_wait_exit 10
[ "$exit_status" = "0" ] || fail "unwritable files: exit status $exit_status"
for f in gorSetup.cfg gorMaps.cfg; do
    [ "$(grep -c "cannot save $f: Is a directory" "$work/gor.err")" = 1 ] ||
        fail "unwritable files: $f is not named once"
done
rmdir "$work/game/gorSetup.cfg" "$work/game/gorMaps.cfg"
echo "ok: unwritable files: $(grep 'cannot save' "$work/gor.err" | tr '\n' ' ')"

# A full disk (a small one, where this may mount one): the files there stay as they were,
# no new one is left empty, and the terminal names each.
mkdir "$work/full"
if mount -t tmpfs -o size=64k tmpfs "$work/full" 2>/dev/null; then
    for f in "$work"/game/*; do ln -s "$f" "$work/full/"; done
    printf '[Settings]\nresx = 800\nresy = 600\np1left = 5\n' > "$work/full/gorSetup.cfg"
    cp "$work/full/gorSetup.cfg" "$work/before.cfg"
    dd if=/dev/zero of="$work/full/fill" bs=1k count=64 2>/dev/null
    (cd "$work/full" && exec ./gor > "$work/gor.out" 2> "$work/gor.err") &
    game_pid=$!
    win=$(e2e_wait_window) || fail "full disk: no window appeared"
    sleep 2
    "$wmclose" "$win"
    e2e_wait_exit 10
    [ "$exit_status" = "0" ] || fail "full disk: exit status $exit_status"
    cmp -s "$work/full/gorSetup.cfg" "$work/before.cfg" || fail "full disk: gorSetup.cfg changed"
    [ ! -e "$work/full/gorMaps.cfg" ] && [ -z "$(ls "$work/full" | grep tmp)" ] ||
        fail "full disk: files left behind: $(ls "$work/full")"
    for f in gorSetup.cfg gorMaps.cfg; do
        grep -q "cannot save $f: No space left on device" "$work/gor.err" ||
            fail "full disk: $f is not named"
    done
    umount "$work/full"
    echo "ok: full disk: $(grep 'cannot save' "$work/gor.err" | tr '\n' ' ')"
else
    echo "skipped: full disk (no small disk can be mounted here)"
fi

rm "$work/game/gor.dat"
e2e_start_game
box=$(e2e_wait_box) || fail "without gor.dat: no message box"
e2e_answer_box "$box"
e2e_wait_exit 20
[ "$exit_status" != "0" ] && [ "$exit_status" != "timeout" ] || fail "without gor.dat: exit status $exit_status"
grep -q 'gor.dat' "$work/gor.err" || fail "without gor.dat: the message does not name it"
echo "ok: without gor.dat: $(grep "gor.dat" "$work/gor.err")"

# With no display at all the library cannot start: a message, and a failure status.
cp "$1/gor.dat" "$work/game/gor.dat"
(cd "$work/game" && DISPLAY= exec ./gor > "$work/gor.out" 2> "$work/gor.err") &
game_pid=$!
e2e_wait_exit 20
[ "$exit_status" != "0" ] && [ "$exit_status" != "timeout" ] || fail "no display: exit status $exit_status"
grep -q 'cannot start' "$work/gor.err" || fail "no display: no message"
echo "ok: no display: $(grep 'cannot start' "$work/gor.err")"
