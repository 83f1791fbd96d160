// How one packet flows:
//   read the inputs (size, alphabet, exact sum, channel), refusing what cannot run;
//   draw sz symbols from the source stream and replace the probabilities by their frequencies;
//   encode under the code chosen for the run, which fixes n0;
//   a priori side: the channel matrix from the bit matrix, and its measures;
//   send every word bit by bit through the channel on the noise stream, then decode;
//   count distorted, detected and corrected words and show the shares;
//   a posteriori side: count (sent, received) pairs into a matrix, normalise its rows, measures;
//   publish labels, matrices and charts.
#include "engine/packet_run.h"

#include "channel/matrices.h"
#include "channel/measures.h"
#include "channel/noise.h"
#include "channel/source.h"
#include "engine/number_text.h"
#include "engine/statistics.h"
#include "engine/sums.h"

namespace tavolin {

namespace {

constexpr Integer kDefaultPacketSize = 1000;

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
    const Integer size = to_integer_or(in.packet_size_text(), kDefaultPacketSize);
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

void doPocket(SimState& st, const RunInputs& in, RunOutputs& out) {
    std::optional<RunSetup> setup = read_run_inputs(in, out, ReadMode::Packet);
    if (!setup) return;
    const std::unique_ptr<Code> code = make_code(st);
    if (!code) return;
    const auto n = static_cast<Byte>(setup->probs.size());
    const std::size_t sz = setup->sz;

    Packet p(sz);
    vectc counts(n, 0);
    draw_message(st, setup->probs, p.inp_s, counts);
    vect alph_ver(n);
    for (Byte j = 0; j < n; ++j)
        alph_ver[j] = static_cast<Extended>(counts[j]) / static_cast<Extended>(sz);

    st.n0 = code->n0();
    code->encode(p.inp_s, p.s2_coded);
    matr k_m;
    if (in.model_switch())
        kan_matr_big(k_m, setup->isk, n);
    else
        kan_matr(k_m, setup->isk, n);
    if (st.s_matrix) out.set_mat1(k_m);
    vect apr;
    apriori(k_m, apr, alph_ver);

    noise(st, p.s2_coded, p.s3_noise, setup->isk);
    code->decode(p.s3_noise, p.s4, st.RandSeed);

    count_errors(st, p, *code, true);
    show_shares(st, out);

    // (sent, received) pairs counted as integers, then each row normalised by its sum.
    matrc pairs(n, vectc(n + 1u, 0));
    if (in.counting_switch()) {
        // The channel measured on the code words themselves, before decoding.
        vectw tmp(n);
        encode_mass(st, tmp);
        for (std::size_t i = 0; i < sz; ++i) {
            const Byte r = posit(tmp, p.s2_coded[i].inv);
            const Byte q = posit(tmp, p.s3_noise[i].inv);
            if (r < n) ++pairs[r][q <= n - 1 && p.s3_noise[i].stir == 0 ? q : n];
        }
    } else {
        for (std::size_t i = 0; i < sz; ++i) ++pairs[p.inp_s[i]][received_class(p.s4[i], n)];
    }
    for (Byte r = 0; r < n; ++r) {
        vect& row = k_m[r];
        for (std::size_t c = 0; c <= n; ++c) row[c] = static_cast<Extended>(pairs[r][c]);
        const Extended s = Sum(row);
        if (s > 0)
            for (Extended& v : row) v /= s;
    }
    vect apost;
    apriori(k_m, apost, alph_ver);
    show_results(st, in, out, apr, apost, k_m, nullptr);
}

}  // namespace tavolin
