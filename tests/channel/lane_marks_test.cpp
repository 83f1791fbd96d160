// SPDX-License-Identifier: GPL-3.0-or-later
// Packets with erasure marks decoded and counted on every path against the codes' own decoders
// and count: the decoded words and their marks, the counts, the (sent, received class) pairs
// and the tie-break draws, for every code and word length the erasure channel takes.
#include <gtest/gtest.h>

#include "../codes/polynomial_cases.h"
#include "../lane_paths.h"
#include "bit_channels.h"
#include "engine/code_settings.h"
#include "engine/transmission.h"

namespace tavolin {
namespace {

using testing_support::erasure;
using testing_support::under;
using testing_support::wide_paths;

struct CodeCase {
    std::string name;
    Byte coding_type;
    Word polynomial = 0;
    Word frame = 0;
};

Word bits_of(const char* text) {
    Word w = 0;
    for (const char* c = text; *c; ++c) w = static_cast<Word>(2 * w + (*c == '1'));
    return w;
}

// No coding (4 bits), Hamming (7), a cyclic code of every word length from 5 to 16 and the
// continuous code, which reads marks as the 0s they hold, of every frame.
std::vector<CodeCase> every_code() {
    std::vector<CodeCase> codes = {{"none", kNoCoding}, {"hamming", kHamming}};
    std::vector<Word> polynomials = {0b11, 0b111};
    for (const char* p : testing_support::kPrimitivePolynomials) polynomials.push_back(bits_of(p));
    for (Word p : polynomials) codes.push_back({"cyclic " + std::to_string(p), kCyclic, p});
    for (Word frame = 1; frame <= 4; ++frame)
        codes.push_back({"continuous " + std::to_string(frame), kContinuous, 0, frame});
    return codes;
}

struct RowsCase {
    const char* name;
    matr isk;
    bool ties;  // the codes that resolve one mark draw tie-breaks in a large packet
};

const RowsCase kRows[] = {
    {"no_erasures", erasure(0.05L, 0, 0.1L, 0), false},
    {"few_marks", erasure(0.01L, 0.004L, 0.02L, 0.006L), false},
    {"only_erasures", erasure(0, 0.2L, 0, 0.25L), false},
    {"everything_erased", erasure(0, 1, 0, 1), false},
    {"ties", erasure(0.06L, 0.1L, 0.08L, 0.12L), true},
};

struct Decoded {
    vectenc words;
    ErrorCounters errors;
    matrc pairs;
    Integer rand_seed;
    bool operator==(const Decoded&) const = default;
};

Decoded decoded_on(Lanes lanes, const SimState& start, const Code& code, const Packet& sent,
                   const vectc& counts) {
    return under(lanes, [&] {
        SimState st = start;
        Packet p = sent;
        Decoded d{{}, {}, matrc(counts.size(), vectc(counts.size() + 1, 0)), 0};
        // A run long past the size at which a table of received words pays.
        decode_and_count(st, code, p, counts, Count{1} << 20, d.errors, &d.pairs);
        d.words = p.s4;
        d.rand_seed = st.RandSeed;
        return d;
    });
}

TEST(LaneMarks, EveryPathDecodesAndCountsMarkedPacketsAsTheCodesDo) {
    const vect probs(16, 0.0625L);
    for (const CodeCase& c : every_code())
        for (const RowsCase& rows : kRows)
            for (std::size_t size : {1u, 15u, 16u, 17u, 1000u, 50000u}) {
                SimState st;
                init_code_parameters(st);
                st.coding_type = c.coding_type;
                if (c.polynomial) st.Polinom_default = c.polynomial;
                if (c.frame) st.L_default = c.frame;
                st.seed1 = static_cast<Integer>(size);
                st.seed2 = -77;
                const auto code = make_code(st);
                Packet p(size);
                vectc counts(probs.size(), 0);
                transmit(st, *code, probs, rows.isk, p, counts);
                const std::string where = c.name + ' ' + rows.name + ' ' + std::to_string(size);
                const Decoded scalar = decoded_on(Lanes::scalar, st, *code, p, counts);
                if (size >= 1000 && rows.ties && code->mark_rule() == MarkRule::one_resolved) {
                    EXPECT_NE(scalar.rand_seed, st.RandSeed) << where << ": no tie was drawn";
                }
                for (Lanes l : wide_paths())
                    ASSERT_EQ(decoded_on(l, st, *code, p, counts), scalar)
                        << lanes_name(l) << ' ' << where << " (" << int{code->n0()} << " bits)";
            }
}

}  // namespace
}  // namespace tavolin
