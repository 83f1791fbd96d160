// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/capacity.h"

#include <cmath>

namespace tavolin {

namespace {

// -p log2 p, with 0 log 0 = 0.
Extended surprise(Extended p) {
    return p > 0 ? -p * std::log2(p) : 0;
}

// The channel's own terms, -p log2 p of every entry, which do not depend on the input.
struct EntryTerms {
    vect row0, row1;
    explicit EntryTerms(const matr& isk) {
        for (std::size_t c = 0; c < isk[0].size(); ++c) {
            row0.push_back(surprise(isk[0][c]));
            row1.push_back(surprise(isk[1][c]));
        }
    }
};

Extended mutual_information(const matr& isk, const EntryTerms& terms, Extended ones) {
    const Extended zeros = 1 - ones;
    Extended h_y = 0, h_y_given_x = 0;
    for (std::size_t c = 0; c < isk[0].size(); ++c) {
        h_y += surprise(zeros * isk[0][c] + ones * isk[1][c]);
        h_y_given_x += zeros * terms.row0[c] + ones * terms.row1[c];
    }
    return h_y - h_y_given_x;
}

}  // namespace

Extended mutual_information(const matr& isk, Extended ones) {
    return mutual_information(isk, EntryTerms(isk), ones);
}

Extended channel_capacity(const matr& isk) {
    const EntryTerms terms(isk);
    auto information = [&](Extended ones) { return mutual_information(isk, terms, ones); };
    const Extended ratio = (std::sqrt(5.0L) - 1) / 2;
    Extended lo = 0, hi = 1;
    Extended x1 = hi - ratio * (hi - lo), x2 = lo + ratio * (hi - lo);
    Extended f1 = information(x1), f2 = information(x2);
    // The interval shrinks by the ratio each step; 90 steps leave 1e-19 of it, far below where
    // the flat top of a concave function changes the value by 1e-15.
    for (int step = 0; step < 90; ++step) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + ratio * (hi - lo);
            f2 = information(x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - ratio * (hi - lo);
            f1 = information(x1);
        }
    }
    const Extended best = std::fmax(std::fmax(f1, f2), std::fmax(information(0), information(1)));
    return best < 0 ? 0 : best;  // rounding may leave -0 or -1e-19 for a useless channel
}

}  // namespace tavolin
