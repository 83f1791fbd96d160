// A priori channel matrices (sent symbol by received symbol, plus the "other" column for words
// of no symbol and erased words) and the code word tables they and the packet run use.
#pragma once

#include "engine/sim_state.h"
#include "engine/types.h"

namespace tavolin {

// The plain channel: symbol i travels as its 4-bit word.
void kan_matr(matr& k_m, const matr& isk, Byte razm);
// The same channel with every single-bit error counted as corrected. Leaves the state alone.
void kan_matr_big(matr& k_m, const matr& isk, Byte razm);
// mass[i] := code word of symbol i under `coding_type` (the cyclic coder for unknown types).
void encode_mass(const SimState& st, vectw& mass);
// Index of the first entry equal to `inpc`, or the table's length.
Byte posit(const vectw& inpa, Word inpc);

}  // namespace tavolin
