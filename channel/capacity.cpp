#include "channel/capacity.h"

#include <cmath>

namespace tavolin {

namespace {

// -p log2 p, with 0 log 0 = 0.
Extended surprise(Extended p) {
    return p > 0 ? -p * std::log2(p) : 0;
}

}  // namespace

Extended mutual_information(const matr& isk, Extended ones) {
    const Extended zeros = 1 - ones;
    Extended h_y = 0, h_y_given_x = 0;
    for (std::size_t c = 0; c < isk[0].size(); ++c) {
        h_y += surprise(zeros * isk[0][c] + ones * isk[1][c]);
        h_y_given_x += zeros * surprise(isk[0][c]) + ones * surprise(isk[1][c]);
    }
    return h_y - h_y_given_x;
}

Extended channel_capacity(const matr& isk) {
    const Extended ratio = (std::sqrt(5.0L) - 1) / 2;
    Extended lo = 0, hi = 1;
    Extended x1 = hi - ratio * (hi - lo), x2 = lo + ratio * (hi - lo);
    Extended f1 = mutual_information(isk, x1), f2 = mutual_information(isk, x2);
    // The interval shrinks by the ratio each step; 90 steps leave 1e-19 of it, far below where
    // the flat top of a concave function changes the value by 1e-15.
    for (int step = 0; step < 90; ++step) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + ratio * (hi - lo);
            f2 = mutual_information(isk, x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - ratio * (hi - lo);
            f1 = mutual_information(isk, x1);
        }
    }
    const Extended best = std::fmax(
        std::fmax(f1, f2), std::fmax(mutual_information(isk, 0), mutual_information(isk, 1)));
    return best < 0 ? 0 : best;  // rounding may leave -0 or -1e-19 for a useless channel
}

}  // namespace tavolin
