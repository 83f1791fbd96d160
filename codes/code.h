// SPDX-License-Identifier: GPL-3.0-or-later
// The narrow interface every code offers a run: its word length, a per-symbol encoder, a message
// decoder and the error test. The run chooses its code once; the packet loops never branch on
// the code type.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "codes/bitstring.h"
#include "core/random.h"
#include "core/sim_state.h"
#include "core/types.h"

namespace tavolin {

// An entry of a code's table of received words (`tabulate`): the decoded symbol in the low four
// bits, and kFoundError when the check finds an error in the word.
inline constexpr Byte kDecodedSymbol = 0x0F;
inline constexpr Byte kFoundError = 0x10;

// How a code's decoder treats a received word's erasure marks.
enum class MarkRule : Byte {
    ignored,       // an erased bit is decoded as the 0 it holds; no marks come out
    passed_on,     // a word with marks is passed on as received, marks and all
    one_resolved,  // one mark: decoded under both fillings, a draw settling a disagreement; two
                   // or more: the received information bits and their marks, undecoded
};

// Where a code word's four information bits sit: bit k of the symbol is bit at[k] of the word.
struct InformationBits {
    std::array<Byte, 4> at{0, 1, 2, 3};
    constexpr Word of(Word w) const {
        Word s = 0;
        for (unsigned k = 0; k < 4; ++k) s = static_cast<Word>(s | (((w >> at[k]) & 1u) << k));
        return s;
    }
    // A word left undecoded: its information bits and their marks.
    constexpr enc_sym of(enc_sym w) const { return {of(w.inv), of(w.stir)}; }
};

class Code {
  public:
    virtual ~Code() = default;

    Byte n0() const { return n0_; }
    Word encode_one(Word symbol) const { return words_[symbol & 15u]; }
    void encode(const vectb& inp, vectenc& outp) const {
        for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = {words_[inp[i] & 15u], 0};
    }
    // Decodes every received word; tie-break draws continue from `RandSeed`.
    virtual void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const = 0;
    // Whether the code's check finds an error in a received word (erasures read as 0).
    virtual bool found_error(Word received) const = 0;
    // A packet's counts: distorted words (received bits differ from the code word, erasure
    // marks aside), those the check detects, and those of them decoded back to the symbol sent.
    virtual ErrorCounters count_errors(const vectb& inp_s, const vectenc& s2_coded,
                                       const vectenc& s3_noise, const vectenc& s4) const = 0;
    // Fills entries[u] for every word u of n0 bits received without erasure marks.
    virtual void tabulate(Byte* entries) const = 0;
    // What the decoder saw in a received word that it decoded as `decoded`, for the
    // transmission log: the cyclic code's remainder and the error pattern taken away, the
    // Hamming code's syndrome and the bit it names, the continuous code's disagreeing control
    // bits; for a word with erasure marks, how they were resolved; "—" without coding.
    virtual std::string explain(enc_sym received, enc_sym decoded) const = 0;
    // What the code is made of: its type, word length, code words and decoding parameters. Two
    // codes of equal identity encode, decode and check every word alike.
    const vectw& identity() const { return identity_; }
    MarkRule mark_rule() const { return marks_; }
    const InformationBits& information_bits() const { return info_; }

  protected:
    // The message decoder of the codes that resolve one erasure: a word with one erased bit is
    // decoded under both fillings and a draw settles a disagreement; a word with more keeps its
    // received information bits and their marks. A packet without erasures takes the plain loop;
    // with them, both fillings are decoded for every word so that only a real tie-break costs a
    // branch.
    template <typename DecodeWord>
    void decode_with_erasures(const vectenc& inp, vectenc& outp, Integer& RandSeed,
                              DecodeWord decode_word) const {
        Word any_erasure = 0;
        for (const enc_sym& w : inp) any_erasure |= w.stir;
        if (any_erasure == 0) {
            for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = {decode_word(inp[i].inv), 0};
            return;
        }
        for (std::size_t i = 0; i < inp.size(); ++i) {
            const enc_sym w = inp[i];
            const Word v1 = decode_word(static_cast<Word>(w.inv ^ w.stir));
            const Word v2 = decode_word(w.inv);
            const bool several = (w.stir & (w.stir - 1)) != 0;  // two or more erasures
            Word v = v1;
            if (v1 != v2 && !several) v = tie_break(RandSeed) ? v2 : v1;
            outp[i] = several ? info_.of(w) : enc_sym{v, 0};
        }
    }

    // `explain` of the codes that resolve one erasure, as `decode_with_erasures` decodes:
    // `explain_word` tells what the decoder saw in a word without marks.
    template <typename DecodeWord, typename ExplainWord>
    static std::string explain_with_erasures(enc_sym received, enc_sym decoded,
                                             DecodeWord decode_word, ExplainWord explain_word) {
        if (received.stir == 0) return explain_word(received.inv);
        if ((received.stir & (received.stir - 1)) != 0)
            return "стираний: " + std::to_string(bit_count(received.stir)) +
                   ", слово не декодируется";
        const auto one = static_cast<Word>(received.inv ^ received.stir);
        if (decode_word(one) == decode_word(received.inv))
            return "стирание, заполнения совпали; " + explain_word(one);
        // The draw chose one filling: the one whose decoding was kept.
        const Word won = decode_word(one) == decoded.inv ? one : received.inv;
        return std::string("стирание, ничья: выбрано заполнение ") + (won == one ? "1" : "0") +
               "; " + explain_word(won);
    }

    // Fills the code word table from the per-symbol coder under the state's parameters;
    // `decoding` holds whatever else the decoder is built from.
    Code(const SimState& st, CodingType type, fcode coder, Byte n0, MarkRule marks,
         InformationBits info, const vectw& decoding = {});

  private:
    std::array<Word, 16> words_{};
    Byte n0_;
    MarkRule marks_;
    InformationBits info_;
    vectw identity_;
};

// The shared count of a code, with the derived code's check called directly (no virtual call
// per word) and no branch on data.
template <typename Derived>
class CountingCode : public Code {
  public:
    ErrorCounters count_errors(const vectb& inp_s, const vectenc& s2_coded, const vectenc& s3_noise,
                               const vectenc& s4) const final {
        const auto& code = static_cast<const Derived&>(*this);
        ErrorCounters c;
        for (std::size_t i = 0; i < inp_s.size(); ++i) {
            const Word received = s3_noise[i].inv;
            const bool distorted = s2_coded[i].inv != received;
            const bool detected = distorted & code.found_error(received);
            c.iskaj += distorted;
            c.oshib += detected;
            c.ispr += detected & (inp_s[i] == s4[i].inv);
        }
        return c;
    }

    void tabulate(Byte* entries) const final {
        const auto& code = static_cast<const Derived&>(*this);
        for (Cardinal u = 0; u < (Cardinal{1} << n0()); ++u) {
            const auto w = static_cast<Word>(u);
            entries[u] = static_cast<Byte>((code.decode_word(w) & kDecodedSymbol) |
                                           (code.found_error(w) ? kFoundError : 0));
        }
    }

  protected:
    using Code::Code;
};

// The code of `st.coding_type` with the state's parameters: the one place the type is switched
// on. Any other type is a programming error.
std::unique_ptr<Code> make_code(const SimState& st);

}  // namespace tavolin
