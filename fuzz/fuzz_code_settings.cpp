// SPDX-License-Identifier: GPL-3.0-or-later
// The settings prompts' checks of the polynomial and the frame size. A refusal must be the one
// the grammar and an independent primitivity test give; an accepted setting must build a code
// whose table, decoder and error test equal the literal encoder and decoder of the reference,
// on every single-bit error of every code word and on the received words the input adds.
//
// Input: byte 0 chooses the polynomial (even) or the frame size (odd), byte 1 the length of the
// text that follows; the rest are received words (two bytes of bits, two of erasure marks) and
// bytes 2 to 5 the tie-break stream's start.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codes/code.h"
#include "codes/cyclic.h"
#include "codes/hamming.h"
#include "core/defaults.h"
#include "core/number_text.h"
#include "engine/code_settings.h"
#include "fuzz_check.h"
#include "reference/dispatch_reference.h"

namespace tavolin::fuzzing {
namespace {

// Remainder over GF(2) by plain long division.
std::uint32_t gf2_mod(std::uint32_t a, std::uint32_t b) {
    const int db = std::bit_width(b) - 1;
    for (int d = std::bit_width(a) - 1; d >= db; --d)
        if (a & (1u << d)) a ^= b << (d - db);
    return a;
}

// Whether the polynomial test passes: x and the constant polynomial 1 trivially, otherwise the
// powers of x run through all 2^r - 1 non-zero remainders, i.e. x has that order (primitive).
bool passes_polynomial_test(std::uint32_t pol) {
    if (pol == 1 || pol == 2) return true;
    if ((pol & 1) == 0) return false;
    const int r = std::bit_width(pol) - 1;
    const std::uint32_t order = (1u << r) - 1;
    std::uint32_t p = gf2_mod(2, pol);
    for (std::uint32_t k = 1; k <= order; ++k, p = gf2_mod(p << 1, pol))
        if (p == 1) return k == order;
    return false;
}

SimState state_for(Byte coding_type, Word polynomial, Word frame) {
    SimState st;
    st.coding_type = coding_type;
    st.Polinom_default = polynomial;
    st.L_default = frame;
    por_m_x(st.p_m_x);
    prover_m_x(st.pr_m_x);
    return st;
}

// The code of the accepted setting against the reference on the table, the error test, and the
// decoder (tie-break draws included) for the given received words.
void check_code(SimState st, const vectenc& extra, Integer seed, const std::string& what) {
    const auto code = make_code(st);
    vectb symbols(16);
    for (Byte s = 0; s < 16; ++s) symbols[s] = s;
    vectenc table(16), reference_table(16);
    code->encode(symbols, table);
    reference::encode(st, symbols, reference_table);
    FUZZ_CHECK(code->n0() == st.n0, what + ": word length " + std::to_string(code->n0()) + " for " +
                                        std::to_string(st.n0));
    for (Byte s = 0; s < 16; ++s)
        FUZZ_CHECK(table[s] == reference_table[s] && code->encode_one(s) == table[s].inv,
                   what + ": code word of " + std::to_string(s));

    const Byte n0 = st.n0;
    const auto word_mask = static_cast<Word>((1u << n0) - 1);
    const bool erasures = st.coding_type != kContinuous;  // never on the erasure channel
    vectenc received;
    for (Byte s = 0; s < 16; ++s) {
        received.push_back({table[s].inv, 0});
        for (int bit = 0; bit < n0; ++bit)
            received.push_back({static_cast<Word>(table[s].inv ^ (1u << bit)), 0});
    }
    for (enc_sym w : extra) {
        w.stir = erasures ? static_cast<Word>(w.stir & word_mask) : Word{0};
        w.inv = static_cast<Word>(w.inv & word_mask & ~w.stir);  // erased bits arrive as 0
        received.push_back(w);
    }
    for (const enc_sym& w : received)
        FUZZ_CHECK(code->found_error(w.inv) == reference::found_error(st, w.inv),
                   what + ": error test of " + std::to_string(w.inv));

    vectenc decoded(received.size()), reference_decoded(received.size());
    Integer code_seed = seed;
    code->decode(received, decoded, code_seed);
    st.RandSeed = seed;
    reference::decode(st, received, reference_decoded);
    for (std::size_t i = 0; i < received.size(); ++i)
        FUZZ_CHECK(decoded[i] == reference_decoded[i],
                   what + ": decoding of " + std::to_string(received[i].inv) + " marks " +
                       std::to_string(received[i].stir));
    FUZZ_CHECK(code_seed == st.RandSeed, what + ": tie-break draws");
    for (Byte s = 0; s < 16; ++s)
        FUZZ_CHECK(decoded[s * (n0 + 1u)] == (enc_sym{s, 0}),
                   what + ": the code word of " + std::to_string(s) + " decodes to another");
}

void check_polynomial(std::string_view text, const vectenc& extra, Integer seed) {
    const PolynomialCheck got = check_polynomial_text(text);
    const std::string what = "polynomial \"" + std::string(text) + "\"";
    bool binary = !text.empty();
    for (char c : text) binary = binary && (c == '0' || c == '1');
    if (!binary) {
        FUZZ_CHECK(got.refusal == SettingRefusal::NotBinary, what);
        return;
    }
    if (text.size() > 32) {  // beyond the 32 bits its value is read in
        FUZZ_CHECK(got.refusal.has_value(), what);
        return;
    }
    std::uint32_t value = 0;
    for (char c : text) value = (value << 1) | static_cast<std::uint32_t>(c - '0');
    if (value == 0) {
        FUZZ_CHECK(got.refusal == SettingRefusal::NotBinary, what);
        return;
    }
    if (text.size() > 13 || !passes_polynomial_test(value)) {
        FUZZ_CHECK(got.refusal == SettingRefusal::PolynomialRefused, what);
        return;
    }
    FUZZ_CHECK(!got.refusal && got.polynomial == value, what + " refused or misread");
    check_code(state_for(kCyclic, got.polynomial, kStartup.frame), extra, seed, what);
}

void check_frame(std::string_view text, const vectenc& extra, Integer seed) {
    const FrameCheck got = check_frame_text(text);
    const std::string what = "frame \"" + std::string(text) + "\"";
    const std::optional<Integer> v = parse_integer(text);
    if (!v || *v < 1 || *v > 4) {
        FUZZ_CHECK(got.refusal == SettingRefusal::FrameOutOfRange, what);
        return;
    }
    FUZZ_CHECK(!got.refusal && got.frame == *v, what + " refused or misread");
    check_code(state_for(kContinuous, kStartup.polynomial, got.frame), extra, seed, what);
}

}  // namespace
}  // namespace tavolin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolin;
    if (size < 2) return 0;
    const bool frame = (data[0] & 1) != 0;
    const std::size_t length = std::min<std::size_t>(data[1], size - 2);
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, length);
    const std::uint8_t* rest = data + 2 + length;
    const std::size_t rest_size = size - 2 - length;

    Integer seed = 0;
    for (std::size_t i = 0; i < 4 && i < rest_size; ++i)
        seed = static_cast<Integer>(static_cast<Cardinal>(seed) << 8 | rest[i]);
    vectenc extra;
    for (std::size_t i = 4; i + 4 <= rest_size && extra.size() < 64; i += 4)
        extra.push_back({static_cast<Word>(rest[i] | rest[i + 1] << 8),
                         static_cast<Word>(rest[i + 2] | rest[i + 3] << 8)});
    if (frame)
        fuzzing::check_frame(text, extra, seed);
    else
        fuzzing::check_polynomial(text, extra, seed);
    return 0;
}
