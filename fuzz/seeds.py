#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/, one file per case, in
the input layouts the targets describe. Run it again after changing a layout."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def x87(significand, sign_exponent):
    return struct.pack("<QH", significand, sign_exponent)


def x87_of(value):
    """The canonical 80-bit encoding of a double's value."""
    if value == 0:
        return x87(0, 0x8000 if str(value).startswith("-") else 0)
    m, e = math.frexp(abs(value))  # value = m * 2^e, m in [0.5, 1)
    significand = int(m * (1 << 64))
    return x87(significand, (e - 1 + 16383) | (0x8000 if value < 0 else 0))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


TOP = 1 << 63

# fuzz_number_text: separator bit, precision, decimals, ten bytes of a value, then the text.
def number(name, text, value=x87(0, 0), point=False, precision=4, decimals=4):
    write("fuzz_number_text", name,
          bytes([1 if point else 0, precision - 1, decimals]) + value + text.encode())

number("sixteenth_comma", "0,0625", x87_of(0.0625))
number("tenth_point", "0.1", x87_of(0.1), point=True)
number("exponent", "1e-3", x87_of(1e-3), point=True, precision=18, decimals=9)
number("spaced_signed", "  -12,5E+3 ", x87_of(-12500.0), precision=9, decimals=6)
number("lone_separator", ",", x87(TOP, 0x3FFE))
number("exponent_without_digits", "1e-", point=True)
number("leading_separator", ",5")
number("largest", "1,18973149535723176502e4932", x87(2**64 - 1, 0x7FFE), precision=18)
number("overflow", "1,2e4932")
number("denormal", "3.6e-4951", x87(1, 0), point=True)
number("underflow", "1e-4960", point=True)
number("hex_dollar", "$1F", x87_of(1e15))
number("hex_0x", "0x7FFFFFFF", x87_of(123456.5), precision=5, decimals=0)
number("integer_min", "-2147483648", x87_of(-0.00004))
number("integer_over", "2147483648")
number("half_below", "0.73125", x87_of(0.73125), point=True, precision=5, decimals=4)
number("nan", "1 2", x87(TOP | (TOP >> 1), 0x7FFF))
number("infinity", "-", x87(TOP, 0xFFFF))
number("nines", "9,99995", x87_of(9.99995), precision=5, decimals=4)

# fuzz_import_record: 24-byte records.
def record(symbol, value):
    return struct.pack("<H", symbol) + b"\xab" * 6 + value + b"\xcd" * 6

write("fuzz_import_record", "normal", record(0x41, x87(TOP, 0x3FFB)))
write("fuzz_import_record", "ninths", record(0x61, x87_of(1 / 9)) * 9)
write("fuzz_import_record", "denormal", record(0x416, x87(1, 0)))
write("fuzz_import_record", "pseudo_denormal", record(0x42, x87(TOP | 5, 0)))
write("fuzz_import_record", "unnormal", record(0x43, x87(TOP >> 3, 0x3FFF)))
write("fuzz_import_record", "infinities",
      record(0x44, x87(TOP, 0x7FFF)) + record(0x45, x87(TOP, 0xFFFF)) + record(0x46, x87(0, 0x7FFF)))
write("fuzz_import_record", "nans",
      record(0x47, x87(TOP | (TOP >> 1), 0x7FFF)) + record(0x48, x87(TOP | 1, 0xFFFF)))
write("fuzz_import_record", "largest", record(0x49, x87(2**64 - 1, 0x7FFE)))
write("fuzz_import_record", "short_tail", record(0x4A, x87(TOP, 0x3FFF))[:17])

# fuzz_code_settings: polynomial (0) or frame (1), text length, text, tie-break seed, words.
def setting(name, frame, text, words=b""):
    write("fuzz_code_settings", name,
          bytes([1 if frame else 0, len(text)]) + text.encode() + b"\x01\x02\x03\x04" + words)

ERASED = struct.pack("<HH", 0b0101100, 0b0000010) + struct.pack("<HH", 0b1000000, 0b0100001)
setting("start_polynomial", False, "1101", ERASED)
setting("degree_four", False, "10011", ERASED)
setting("degree_twelve", False, "1000001010011", ERASED)
setting("leading_zeros", False, "0001101")
setting("refused", False, "1111")
setting("too_long", False, "10000000011011")
setting("not_binary", False, "12")
setting("constant", False, "1")
setting("frame_three", True, "3", struct.pack("<HH", 0b10110011001101, 0))
setting("frame_four_hex", True, "$4", struct.pack("<HH", 0xFFFF, 0))
setting("frame_spaced", True, " +1")
setting("frame_out", True, "5")

# The command targets: an option index, and for an option with a value a length and its text.
SIM = ["--mode", "--ticks", "--no-accumulate", "--code", "--poly", "--frame", "--size", "--probs",
       "--noise", "--p0", "--p1", "--e0", "--e1", "--bit-time", "--seed1", "--seed2",
       "--plain-apriori", "--count-codewords", "--json", "--code-table", "--help", "--version"]
SIM_FLAGS = {"--no-accumulate", "--plain-apriori", "--count-codewords", "--json", "--code-table",
             "--help", "--version"}
SWEEP = ["--vary", "--from", "--to", "--points", "--log", "--codes", "--size", "--probs", "--noise",
         "--p0", "--p1", "--e0", "--e1", "--bit-time", "--seed1", "--seed2", "--plain-apriori",
         "--min-distorted", "--max-symbols", "--confidence", "--shard", "--quiet", "--help"]
SWEEP_FLAGS = {"--log", "--plain-apriori", "--quiet", "--help"}


def options(names, flags, *pairs):
    out = b""
    for name, value in pairs:
        if name in names:
            out += bytes([names.index(name)])
            if name not in flags:
                out += bytes([len(value)]) + value.encode()
        else:  # a free argument
            out += bytes([len(names)]) + bytes([len(name)]) + name.encode()
    return out


def sim(name, *pairs):
    write("fuzz_sim_run", name, options(SIM, SIM_FLAGS, ("--seed1", "1"), ("--seed2", "2"), *pairs))

sim("default")
sim("continuous", ("--mode", "continuous"), ("--ticks", "3"), ("--size", "40"))
sim("per_packet", ("--mode", "continuous"), ("--no-accumulate", ""), ("--ticks", "2"))
sim("hamming_erasure", ("--code", "hamming"), ("--noise", "erasure"), ("--e0", "0.1"),
    ("--e1", "0.05"), ("--p0", "0.01"))
sim("continuous_code", ("--code", "continuous"), ("--frame", "4"), ("--p0", "0.02"), ("--p1", "0"))
sim("polynomial", ("--poly", "10011"), ("--count-codewords", ""), ("--plain-apriori", ""))
sim("nine_symbols", ("--probs", "0.22,0.18,0.11,0.24,0.01,0.03,0.04,0.08,0.09"))
sim("sum_refused", ("--probs", "0.5,0.5"))
sim("json", ("--json", ""), ("--bit-time", "0"))
sim("code_table", ("--code-table", ""), ("--poly", "1000001010011"))
sim("free_argument", ("--size=17", ""), ("--p1", "1e-3"))

def sweep(name, pick, *pairs):
    write("fuzz_sweep", name,
          options(SWEEP, SWEEP_FLAGS, ("--seed1", "3"), ("--seed2", "4"), *pairs) + bytes([pick]))

sweep("even", 0, ("--vary", "p"), ("--from", "0"), ("--to", "0.2"), ("--points", "3"))
sweep("log", 1, ("--vary", "p0"), ("--from", "0.001"), ("--to", "0.1"), ("--log", ""),
      ("--codes", "cyclic:10011,none"))
sweep("erasure", 2, ("--vary", "e"), ("--from", "0"), ("--to", "0.3"), ("--noise", "erasure"),
      ("--codes", "hamming,cyclic"))
sweep("shard", 3, ("--vary", "p1"), ("--from", "0.05"), ("--to", "0.1"), ("--points", "3"),
      ("--shard", "1/2"), ("--codes", "continuous:2"), ("--min-distorted", "5"))
sweep("nine_symbols", 0, ("--vary", "p"), ("--from", "0.1"), ("--to", "0.1"),
      ("--probs", "0.22,0.18,0.11,0.24,0.01,0.03,0.04,0.08,0.09"), ("--confidence", "0.5"))
sweep("refused_order", 0, ("--vary", "p"), ("--from", "0.3"), ("--to", "0.2"))
sweep("log_from_tiny", 1, ("--vary", "p"), ("--from", "1e-4000"), ("--to", "0.5"), ("--log", ""),
      ("--points", "3"), ("--codes", "none"))
