// SPDX-License-Identifier: GPL-3.0-or-later
// A priori channel matrices (sent symbol by received symbol, plus the "other" column for words
// of no symbol and erased words) and the code word tables they and the packet run use.
#pragma once

#include "codes/code.h"
#include "core/types.h"

namespace tavolin {

// The plain channel: symbol i travels as its 4-bit word.
matr kan_matr(const matr& isk, Byte razm);
// The same channel with every single-bit error counted as corrected.
matr kan_matr_big(const matr& isk, Byte razm);
// mass[i] := code word of symbol i under the run's code.
void encode_mass(const Code& code, vectw& mass);
// Index of the first entry equal to `inpc`, or the table's length.
Byte posit(const vectw& inpa, Word inpc);

}  // namespace tavolin
