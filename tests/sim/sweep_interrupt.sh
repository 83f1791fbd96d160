#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Ctrl+C during a study: the command stops, exits with 130, and writes the header, the cells
# already finished and those under way (complete false). A study that never stops would hold
# the test until `timeout` ends it, which fails it.
exe=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# A channel so quiet that no cell reaches its stop rule for hours.
timeout 60 "$exe" sweep --vary p --from 0.000001 --to 0.00001 --points 4 --codes hamming,none \
    --min-distorted 1000000000 --max-symbols 1000000000000 --seed1 1 --seed2 2 --threads 2 \
    >"$out" &
pid=$!
sleep 1
kill -INT "$pid"
wait "$pid"
status=$?
cat "$out"
[ "$status" -eq 130 ] || { echo "exit status $status, expected 130"; exit 1; }
head -n 1 "$out" | grep -q '^point,value,code,' || { echo "no header"; exit 1; }
# The column named complete, wherever the header puts it.
awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "complete") c = i; next }
         c && $c == "false" { found = 1 } END { exit !found }' "$out" ||
    { echo "no cell under way was written"; exit 1; }
