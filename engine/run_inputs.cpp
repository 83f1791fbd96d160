// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_inputs.h"

#include "core/defaults.h"
#include "core/number_text.h"
#include "core/sums.h"

namespace tavolin {

namespace {

// Rows 1 to 16 up to the first cell that is empty, not a number, or zero.
vect read_alphabet(const RunInputs& in, char sep) {
    vect probs;
    for (int row = 1; row <= kMaxSymbols; ++row) {
        const Extended v = to_number_or(in.probability_text(row), sep, 0);
        if (v == 0) break;
        probs.push_back(v);
    }
    return probs;
}

// Cells are [column, row]: column 1 inversion, column 2 erasure; row 1 a sent 0, row 2 a sent 1.
matr read_channel(const RunInputs& in, int noise_type, char sep) {
    auto cell = [&](int col, int row) { return to_number(in.channel_text(col, row), sep); };
    matr isk(2);
    if (noise_type == 0) {
        isk[0] = {0, cell(1, 1)};
        isk[0][0] = 1 - isk[0][1];
        isk[1] = {cell(1, 2), 0};
        isk[1][1] = 1 - isk[1][0];
    } else {
        isk[0] = {0, cell(1, 1), cell(2, 1)};
        isk[0][0] = 1 - isk[0][1] - isk[0][2];
        isk[1] = {cell(1, 2), 0, cell(2, 2)};
        isk[1][1] = 1 - isk[1][0] - isk[1][2];
    }
    return isk;
}

}  // namespace

std::optional<RunSetup> read_run_inputs(const RunInputs& in, RunOutputs& out, ReadMode mode) {
    const char sep = in.decimal_separator();
    const Integer size = to_integer_or(in.packet_size_text(), kStartup.packet_size);
    if (mode == ReadMode::Packet) out.show_symbols_sent(size);
    if (size < 1 || size > kMaxPacketSize) {
        out.refuse(Refusal::PacketSize);
        return std::nullopt;
    }
    RunSetup setup;
    setup.sz = static_cast<Word>(size);
    setup.probs = read_alphabet(in, sep);
    if (setup.probs.size() < kMinSymbols) {
        out.refuse(Refusal::AlphabetTooShort);
        return std::nullopt;
    }
    // No tolerance: the extended sum in its fixed order must be exactly 1.
    if (Sum(setup.probs) != 1) {
        out.refuse(mode == ReadMode::Packet ? Refusal::SumNotOne : Refusal::SumNotOneContinuous);
        return std::nullopt;
    }
    const int noise_type = in.noise_type();
    if (noise_type != 0 && noise_type != 1) {
        if (mode == ReadMode::Continuous) out.refuse(Refusal::UnknownNoise);
        return std::nullopt;
    }
    try {
        setup.isk = read_channel(in, noise_type, sep);
    } catch (const ConversionError& e) {
        out.report_error(e.what());
        return std::nullopt;
    }
    return setup;
}

}  // namespace tavolin
