#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Ctrl+C during a long plain run (packet or continuous mode, text or JSON): the command stops
# after the packet under way, exits with 130 and prints the report of what it ran, exactly the
# report of a run of that many ticks. A run that ignored Ctrl+C would hold the test until
# `timeout` ends it, which fails it.
#   run_interrupt.sh EXE [OPTIONS...]
exe=$1
shift
out=$(mktemp)
again=$(mktemp)
trap 'rm -f "$out" "$again"' EXIT
timeout 30 "$exe" --ticks 2147483647 --size 50000 --seed1 1 --seed2 2 "$@" >"$out" &
pid=$!
sleep 1
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -eq 130 ] || { echo "exit status $status, expected 130"; cat "$out"; exit 1; }
# The symbols sent tell the ticks made where the run accumulates them.
symbols=$(sed -n 's/^Всего передано символов: \([0-9]*\)$/\1/p; s/.*"symbols_sent": *\([0-9]*\).*/\1/p' "$out")
[ -n "$symbols" ] && [ "$symbols" -gt 0 ] || { echo "no report:"; cat "$out"; exit 1; }
case " $* " in
    *" continuous "*) ;;
    *) exit 0 ;;  # packet runs each replace the last: their count is not in the report
esac
ticks=$((symbols / 50000))
"$exe" --ticks "$ticks" --size 50000 --seed1 1 --seed2 2 "$@" >"$again"
cmp "$out" "$again" || { echo "the report differs from a run of $ticks ticks"; exit 1; }
