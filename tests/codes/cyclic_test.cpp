// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/cyclic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "core/random.h"
#include "polynomial_cases.h"
#include "reference/cyclic_reference.h"

namespace tavolin {
namespace {

using reference::decode_cycle;
using reference::decode_cycle_one;
using reference::decode_cycle_stir;
using reference::encode_cycle;
using testing_support::flip_sent_bits;
using testing_support::started_state;

SimState cyclic_state(Word pol) {
    SimState st = started_state(kCyclic);
    st.Polinom_default = pol;
    st.n0 = static_cast<Byte>(degree(pol) + 4);
    return st;
}

// Remainder of a by b over GF(2) by plain long division, independent of Ost.
Cardinal gf2_mod(Cardinal a, Cardinal b) {
    const int db = std::bit_width(b) - 1;
    for (int d = std::bit_width(a) - 1; d >= db; --d)
        if (a & (1u << d)) a ^= b << (d - db);
    return a;
}

// Period of x modulo pol: primitive polynomials of degree r have period 2^r - 1.
Cardinal period_of_x(Cardinal pol) {
    const Cardinal one = gf2_mod(1, pol);
    Cardinal p = gf2_mod(2, pol);
    for (Cardinal k = 1; k <= (1u << 13); ++k, p = gf2_mod(p << 1, pol))
        if (p == one) return k;
    return 0;
}

TEST(CyclicCode, CodeWordsOfTheStartPolynomial) {
    const char* words[16] = {"0000000", "0001101", "0010111", "0011010", "0100011", "0101110",
                             "0110100", "0111001", "1000110", "1001011", "1010001", "1011100",
                             "1100101", "1101000", "1110010", "1111111"};
    SimState st = cyclic_state(13);
    for (Word s = 0; s < 16; ++s) EXPECT_EQ(IntToBin(encode_cycle_one(st, s), 7), words[s]) << s;
    vectb msg{0, 5, 15};
    vectenc out(3);
    st.n0 = 0;
    encode_cycle(st, msg, out);
    EXPECT_EQ(st.n0, 7);
    EXPECT_EQ(out[1].inv, BinToInt("0101110"));
}

TEST(CyclicCode, SyndromesOfSingleErrorsOfTheStartPolynomial) {
    const Cardinal expected[7] = {0b110, 0b011, 0b111, 0b101, 0b100, 0b010, 0b001};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(Ost(1u << (6 - i), 13, 4, 3), expected[i]) << i;
}

TEST(CyclicCode, EncodedWordsHaveZeroSyndrome) {
    for (Word pol : {Word{13}, Word{0b10011}, Word{0b1000000000011}})
        for (Word s = 0; s < 16; ++s) {
            SimState st = cyclic_state(pol);
            EXPECT_EQ(gf2_mod(encode_cycle_one(st, s), pol), 0u) << pol << ' ' << s;
        }
}

TEST(CheckPolinom, ExamplesPassAndFailAsStated) {
    for (const testing_support::PolynomialCase& c : testing_support::kPolynomialCases) {
        const PolynomialTest t = Check_Polinom(static_cast<Word>(BinToInt(c.bits)));
        EXPECT_EQ(t.passed(), c.passes) << c.bits;
        EXPECT_EQ(t.pol_ost, c.distinct) << c.bits;
        EXPECT_EQ(t.pol_needed, c.needed) << c.bits;
    }
}

TEST(CheckPolinom, AcceptsExactlyThePrimitivePolynomialsUpToThirteenDigits) {
    for (Cardinal pol = 3; pol < (1u << 13); ++pol) {
        const Cardinal r = std::bit_width(pol) - 1;
        const bool primitive = (pol & 1) && period_of_x(pol) == (1u << r) - 1;
        ASSERT_EQ(Check_Polinom(static_cast<Word>(pol)).passed(), primitive) << pol;
    }
}

TEST(CheckPolinom, KnownPrimitivePolynomialsOfDegreeThreeToTwelvePass) {
    for (const char* bits : testing_support::kPrimitivePolynomials) {
        EXPECT_TRUE(Check_Polinom(static_cast<Word>(BinToInt(bits))).passed()) << bits;
    }
}

TEST(Comb, BinomialCoefficients) {
    EXPECT_EQ(comb(1, 7), 7.0L);
    EXPECT_EQ(comb(7, 7), 1.0L);
    EXPECT_EQ(comb(2, 10), 45.0L);
    EXPECT_EQ(comb(0, 5), 1.0L);
    EXPECT_EQ(comb(3, 13), 286.0L);
}

TEST(Polinom, HammingBoundForFourInformationBits) {
    EXPECT_EQ(polinom(1, 4), 3);
    EXPECT_EQ(polinom(2, 4), 6);
    EXPECT_EQ(polinom(3, 4), 9);
}

// Accepted polynomials of every degree the prompt admits, a few of each.
std::vector<Word> sample_polynomials() {
    std::map<int, int> per_degree;
    std::vector<Word> out{1, 2};
    for (Cardinal pol = 3; pol < (1u << 13); ++pol) {
        if (!Check_Polinom(static_cast<Word>(pol)).passed()) continue;
        if (per_degree[std::bit_width(pol)]++ < 3) out.push_back(static_cast<Word>(pol));
    }
    return out;
}

TEST(CyclicDecoder, EverySingleErrorOfEveryCodeWordIsCorrected) {
    for (Word pol : sample_polynomials()) {
        const SimState st = cyclic_state(pol);
        if (degree(pol) < 3) continue;  // fewer syndromes than positions
        const CyclicCode code(st);
        for (Word s = 0; s < 16; ++s)
            for (int bit = 1; bit <= st.n0; ++bit) {
                const Word received = flip_sent_bits(encode_cycle_one(st, s), st.n0, {bit});
                ASSERT_EQ(decode_cycle_one(st, received), s) << pol << ' ' << s << ' ' << bit;
                ASSERT_EQ(code.decode_word(received), s);
            }
    }
}

TEST(CyclicDecoder, TablesEqualTheSearchOnEveryReceivedWord) {
    for (Word pol : sample_polynomials()) {
        const SimState st = cyclic_state(pol);
        const CyclicCode code(st);
        for (Cardinal w = 0; w < (1u << st.n0); ++w) {
            ASSERT_EQ(code.decode_word(static_cast<Word>(w)),
                      decode_cycle_one(st, static_cast<Word>(w)))
                << "polynomial " << pol << " word " << w;
            ASSERT_EQ(code.found_error(static_cast<Word>(w)), gf2_mod(w, pol) != 0);
        }
    }
}

// Error patterns of `weight` bits in the decoder's search order.
std::vector<Word> patterns(Byte n0, int weight) {
    std::vector<Word> out;
    for (Cardinal m = 1; m < (1u << n0); ++m)
        if (std::popcount(m) == weight) out.push_back(static_cast<Word>(m));
    // The search runs i < j < k from the first bit sent, i.e. from the highest bit.
    std::sort(out.begin(), out.end(), std::greater<>());
    return out;
}

TEST(CyclicDecoder, PairsAndTriplesTheSearchReachesAreCorrected) {
    for (Word pol : sample_polynomials()) {
        const int r = degree(pol);
        if (r < 6) continue;
        const SimState st = cyclic_state(pol);
        std::map<Cardinal, Word> first;  // syndrome -> first pattern searched with it
        for (int weight = 1; weight <= (r >= 9 ? 3 : 2); ++weight)
            for (Word e : patterns(st.n0, weight)) first.emplace(gf2_mod(e, pol), e);
        int corrected_patterns = 0;
        for (int weight = 2; weight <= (r >= 9 ? 3 : 2); ++weight)
            for (Word e : patterns(st.n0, weight)) {
                // A pattern that is itself a code word leaves no syndrome to correct by.
                const Cardinal syndrome = gf2_mod(e, pol);
                if (syndrome == 0 || first.at(syndrome) != e) continue;
                ++corrected_patterns;
                for (Word s = 0; s < 16; ++s)
                    ASSERT_EQ(decode_cycle_one(st, encode_cycle_one(st, s) ^ e), s)
                        << pol << " pattern " << e;
            }
        EXPECT_GT(corrected_patterns, 0) << pol;
    }
}

TEST(CyclicDecoder, NoPairSearchBelowSixCheckBits) {
    // Degree 4: a double error is taken for the single error of its syndrome, or left alone.
    const SimState st = cyclic_state(0b10011);
    const Word sent = encode_cycle_one(st, 9);
    const Word received = flip_sent_bits(sent, 8, {1, 2});
    EXPECT_NE(decode_cycle_one(st, received), 9);
}

TEST(CyclicDecoder, AnotherCodeWordDecodesToItsSymbol) {
    const SimState st = cyclic_state(13);
    EXPECT_EQ(decode_cycle_one(st, encode_cycle_one(st, 12)), 12);
}

TEST(CyclicDecoder, PolynomialOneHasNoCheckBits) {
    const SimState st = cyclic_state(1);
    EXPECT_EQ(st.n0, 4);
    for (Word s = 0; s < 16; ++s) {
        EXPECT_EQ(encode_cycle_one(st, s), s);
        EXPECT_EQ(Ost(s, 1, 4, 0), 0);
        EXPECT_EQ(decode_cycle_one(st, s), s);
    }
}

TEST(CyclicErasures, OneErasureWithoutOtherErrorNeedsNoDraw) {
    SimState st = cyclic_state(13);
    for (Word s = 0; s < 16; ++s)
        for (int bit = 1; bit <= 7; ++bit) {
            const Word sent = encode_cycle_one(st, s);
            const Word mask = flip_sent_bits(0, 7, {bit});
            st.RandSeed = 77;
            const enc_sym got = decode_cycle_stir(st, {static_cast<Word>(sent & ~mask), mask});
            EXPECT_EQ(got, (enc_sym{s, 0}));
            EXPECT_EQ(st.RandSeed, 77);
        }
}

TEST(CyclicErasures, DifferingFillingsDrawOnceFromTheGenerator) {
    SimState st = cyclic_state(13);
    // Symbol 0 with bit 1 inverted and bit 2 erased: read as 1 the erased bit makes a double
    // error (decoded wrongly), read as 0 a single one (decoded as 0).
    const Word received = flip_sent_bits(0, 7, {1});
    const Word mask = flip_sent_bits(0, 7, {2});
    const Word v1 = decode_cycle_one(st, received | mask), v2 = decode_cycle_one(st, received);
    ASSERT_NE(v1, v2);
    for (Integer seed : {0, 649090867, -5}) {
        st.RandSeed = seed;
        st.seed1 = 1;
        st.seed2 = 2;
        Integer expected_seed = seed;
        const Extended x = Random(expected_seed);
        const enc_sym got = decode_cycle_stir(st, {received, mask});
        EXPECT_EQ(got.inv, x > 0.5L ? v2 : v1);
        EXPECT_EQ(got.stir, 0);
        EXPECT_EQ(st.RandSeed, expected_seed);
        EXPECT_EQ(st.seed1, 1);
        EXPECT_EQ(st.seed2, 2);
    }
}

TEST(CyclicErasures, TwoErasuresLeaveTheInformationBitsAndTheirMarks) {
    SimState st = cyclic_state(13);
    const Word sent = encode_cycle_one(st, 0b1011);  // 1011 100
    // Both on check bits: the received information bits, no marks.
    const Word check_mask = flip_sent_bits(0, 7, {5, 7});
    EXPECT_EQ(decode_cycle_stir(st, {static_cast<Word>(sent & ~check_mask), check_mask}),
              (enc_sym{0b1011, 0}));
    // On information bits 1 and 3: those read as 0 and marked.
    const Word info_mask = flip_sent_bits(0, 7, {1, 3});
    EXPECT_EQ(decode_cycle_stir(st, {static_cast<Word>(sent & ~info_mask), info_mask}),
              (enc_sym{0b0001, 0b1010}));
}

TEST(CyclicErasures, MessageDecoderAgreesWithTheTables) {
    SimState st = cyclic_state(0b1000011);
    const CyclicCode code(st);
    vectenc received;
    for (Cardinal w = 0; w < (1u << st.n0); w += 7)
        for (Word mask : {Word{0}, Word{1}, Word{0x40}, Word{0x41}, Word{0x200}})
            received.push_back({static_cast<Word>(w & ~mask), mask});
    vectenc a(received.size()), b(received.size());
    st.RandSeed = 12345;
    decode_cycle(st, received, a);
    Integer seed = 12345;
    code.decode(received, b, seed);
    EXPECT_EQ(a, b);
    EXPECT_EQ(seed, st.RandSeed);
}

}  // namespace
}  // namespace tavolin
