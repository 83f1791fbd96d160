#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Where a study's --out cannot be written the command says so before the first cell (exit 2,
# no study run, nothing left behind); where the last step, the rename, fails all the same, the
# results are kept beside the target and the message says where.
#   sweep_output.sh EXE
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
study="sweep --vary p --from 0.01 --to 0.02 --points 2 --codes none --size 100 --seed1 1 --seed2 2 --quiet"
fail() { echo "$*"; exit 1; }

touch "$dir/file"
mkdir "$dir/folder.csv"
for target in "$dir/missing/s.csv" "$dir/file/s.json" "$dir/folder.csv"; do
    # A study of hours: only a refusal before the first cell ends it within the timeout.
    timeout 20 "$exe" $study --max-symbols 1000000000000 --min-distorted 1000000000000 \
        --out "$target" >"$dir/out" 2>"$dir/err"
    status=$?
    [ "$status" -eq 2 ] || fail "$target: exit status $status, expected 2"
    grep -q -- "--out: $target" "$dir/err" || fail "$target: message '$(cat "$dir/err")'"
    [ ! -s "$dir/out" ] || fail "$target: stdout not empty"
done
! ls "$dir" | grep -q '\.part$' || fail "left behind: $(ls "$dir")"

# The target turns into a folder while the study runs: the rename fails at the end.
timeout 60 "$exe" $study --max-symbols 1000000000000 --min-distorted 1000000000000 \
    --out "$dir/late.csv" >"$dir/out" 2>"$dir/err" &
pid=$!
sleep 1
mkdir "$dir/late.csv"
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -eq 1 ] || fail "late folder: exit status $status, expected 1"
grep -q "kept in $dir/late.csv.part" "$dir/err" || fail "late folder: message '$(cat "$dir/err")'"
head -n 1 "$dir/late.csv.part" | grep -q '^point,value,code,' || fail "late folder: nothing kept"
