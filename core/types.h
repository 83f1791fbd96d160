// SPDX-License-Identifier: GPL-3.0-or-later
// Vocabulary shared by every layer: the array and record types of the simulator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavolin {

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Integer = std::int32_t;
using Extended = long double;  // 80-bit x87 extended on this platform

// Run counters are 64-bit: a continuous run of large packets passes 2^32 symbols in hours.
using Count = std::uint64_t;

using vect = std::vector<Extended>;
using matr = std::vector<vect>;
using vectb = std::vector<Byte>;
using vectw = std::vector<Word>;
using vectc = std::vector<Count>;
using matrc = std::vector<vectc>;

// One transmitted code word: the bits in `inv`, the erasure marks in `stir`.
struct enc_sym {
    Word inv = 0;
    Word stir = 0;
    friend bool operator==(const enc_sym&, const enc_sym&) = default;
};
// The vector lanes load a word as one 32-bit lane, bits in the low half and marks in the high.
static_assert(sizeof(enc_sym) == 4 && offsetof(enc_sym, inv) == 0 && offsetof(enc_sym, stir) == 2,
              "a word record is two 16-bit halves, bits first, with no padding");
using vectenc = std::vector<enc_sym>;

// One alphabet entry: the symbol's UTF-16 code unit and its probability.
struct alp {
    char16_t s = 0;
    Extended v = 0;
};

struct SimState;
// A per-symbol coder: symbol index in, code word out, under the parameters of the state.
using fcode = Word (*)(const SimState&, Word);

// Coding types as the menu numbers them.
enum CodingType : Byte { kCyclic = 1, kHamming = 2, kContinuous = 3, kNoCoding = 4 };

}  // namespace tavolin
