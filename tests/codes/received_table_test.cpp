// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/received_table.h"

#include <gtest/gtest.h>

#include <thread>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "polynomial_cases.h"
#include "reference/dispatch_reference.h"

namespace tavolin {
namespace {

using testing_support::started_state;

struct TableCase {
    const char* name;
    Byte coding_type;
    const char* polynomial;  // cyclic only
    Word frame;              // continuous only
};

SimState state_of(const TableCase& c) {
    SimState st = started_state(c.coding_type);
    if (c.polynomial) st.Polinom_default = static_cast<Word>(BinToInt(c.polynomial));
    if (c.frame) st.L_default = c.frame;
    st.n0 = make_code(st)->n0();
    return st;
}

// The kept tables live per thread: each case starts from none kept.
template <typename Body>
void on_fresh_thread(Body body) {
    std::thread(body).join();
}

class EveryReceivedWord : public testing::TestWithParam<TableCase> {};

// Every entry against the literal decoders and checks, not the code's own.
TEST_P(EveryReceivedWord, EntryIsTheReferenceDecodingAndCheck) {
    SimState st = state_of(GetParam());
    const auto code = make_code(st);
    const ReceivedTable table(*code);
    ASSERT_EQ(table.n0(), st.n0);
    vectenc all(std::size_t{1} << st.n0), decoded(all.size());
    for (std::size_t u = 0; u < all.size(); ++u) all[u].inv = static_cast<Word>(u);
    reference::decode(st, all, decoded);
    for (std::size_t u = 0; u < all.size(); ++u) {
        const auto w = static_cast<Word>(u);
        ASSERT_EQ(table[w] & kDecodedSymbol, decoded[u].inv) << "word " << u;
        ASSERT_EQ((table[w] & kFoundError) != 0, reference::found_error(st, w)) << "word " << u;
        ASSERT_EQ(table[w] & ~(kDecodedSymbol | kFoundError), 0) << "word " << u;
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, EveryReceivedWord,
                         testing::Values(TableCase{"cyclic_degree_3", kCyclic, "1011", 0},
                                         TableCase{"cyclic_degree_5", kCyclic, "100101", 0},
                                         TableCase{"cyclic_degree_8", kCyclic, "100011101", 0},
                                         TableCase{"cyclic_degree_12", kCyclic, "1000001010011", 0},
                                         TableCase{"cyclic_not_primitive", kCyclic, "1111", 0},
                                         TableCase{"hamming", kHamming, nullptr, 0},
                                         TableCase{"continuous_frame_1", kContinuous, nullptr, 1},
                                         TableCase{"continuous_frame_4", kContinuous, nullptr, 4},
                                         TableCase{"none", kNoCoding, nullptr, 0}),
                         [](const testing::TestParamInfo<TableCase>& i) { return i.param.name; });

TEST(KeptTables, ATableIsBuiltOnlyWhenThePacketOutweighsIt) {
    on_fresh_thread([] {
        const auto code = make_code(state_of({"", kCyclic, "10000001001", 0}));  // 2^14 entries
        EXPECT_EQ(received_table(*code, 8191), nullptr);
        EXPECT_NE(received_table(*code, 8192), nullptr);
    });
}

TEST(KeptTables, AKeptTableServesAnEqualCodeEvenForOneWord) {
    on_fresh_thread([] {
        const SimState st = state_of({"", kContinuous, nullptr, 4});
        const auto built = received_table(*make_code(st), 50000);
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(received_table(*make_code(st), 1), built);
    });
}

// A kept table must never answer for a code that decodes otherwise: each parameter a decoder is
// built from changes the identity.
TEST(KeptTables, CodesThatDifferInAnyParameterGetTheirOwnTables) {
    on_fresh_thread([] {
        SimState other_checks = state_of({"", kHamming, nullptr, 0});
        std::swap(other_checks.pr_m_x[0], other_checks.pr_m_x[2]);
        const SimState states[] = {
            state_of({"", kCyclic, "1011", 0}),      state_of({"", kCyclic, "1101", 0}),
            state_of({"", kHamming, nullptr, 0}),    other_checks,
            state_of({"", kContinuous, nullptr, 1}),
        };
        for (const SimState& st : states) {
            const auto code = make_code(st);
            const auto table = received_table(*code, 1000);
            ASSERT_NE(table, nullptr);
            const ReceivedTable own(*code);
            for (Cardinal u = 0; u < (1u << code->n0()); ++u)
                ASSERT_EQ((*table)[static_cast<Word>(u)], own[static_cast<Word>(u)])
                    << "code " << int{st.coding_type} << " word " << u;
        }
    });
}

TEST(KeptTables, TheLeastRecentlyUsedIsDroppedFirst) {
    on_fresh_thread([] {
        std::vector<std::unique_ptr<Code>> codes;
        for (const char* p : {"1011", "1101", "10011", "11001", "100101"})
            codes.push_back(make_code(state_of({"", kCyclic, p, 0})));
        for (int i = 0; i < 4; ++i) ASSERT_NE(received_table(*codes[i], 1000), nullptr);
        ASSERT_NE(received_table(*codes[0], 1), nullptr);  // used again: now the most recent
        ASSERT_NE(received_table(*codes[4], 1000), nullptr);
        EXPECT_EQ(received_table(*codes[1], 1), nullptr);
        EXPECT_NE(received_table(*codes[0], 1), nullptr);
    });
}

}  // namespace
}  // namespace tavolin
