#!/usr/bin/env bash
# Seeds for the data-file fuzzer made from the generated gor.dat (30 MB, too large to keep
# in the repository or to fuzz whole): truncations of its start, and bit flips in the
# fields the loader trusts (magic, object count, the first property's length, the first
# chunk's sizes, the first picture's depth and size). Usage: datafile_seeds.sh <game dir> <out dir>
set -eu
dat=$1/gor.dat; out=$2
[ -f "$dat" ] || exit 0
for n in 12 16 20 40 56 60 64 256 4096 16384; do
    head -c "$n" "$dat" > "$out/cut-$n"
done
for at in 3 8 11 20 23 42 46 49 50 53 54 55 57 59 61; do
    for bit in 1 128; do
        f=$out/flip-$at-$bit
        head -c 4096 "$dat" > "$f"
        b=$(od -An -tu1 -j "$at" -N 1 "$f")
        printf "$(printf '\\%03o' $(( b ^ bit )))" | dd of="$f" bs=1 seek="$at" conv=notrunc status=none
    done
done
