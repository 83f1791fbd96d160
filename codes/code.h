// The narrow interface every code offers a run: its word length, a per-symbol encoder, a message
// decoder and the error test. The run chooses its code once; the packet loops never branch on
// the code type.
#pragma once

#include <array>
#include <memory>

#include "engine/sim_state.h"
#include "engine/types.h"

namespace tavolin {

class Code {
public:
    virtual ~Code() = default;

    Byte n0() const { return n0_; }
    Word encode_one(Word symbol) const { return words_[symbol & 15u]; }
    void encode(const vectb& inp, vectenc& outp) const {
        for (std::size_t i = 0; i < inp.size(); ++i) outp[i].inv = words_[inp[i] & 15u];
    }
    // Decodes every received word; tie-break draws continue from `RandSeed`.
    virtual void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const = 0;
    // Whether the code's check finds an error in a received word (erasures read as 0).
    virtual bool found_error(Word received) const = 0;

protected:
    // Fills the code word table from the per-symbol coder under the state's parameters.
    Code(const SimState& st, fcode coder, Byte n0);

private:
    std::array<Word, 16> words_{};
    Byte n0_;
};

// The code of `st.coding_type` with the state's parameters, or nullptr for any other type.
std::unique_ptr<Code> make_code(const SimState& st);

}  // namespace tavolin
