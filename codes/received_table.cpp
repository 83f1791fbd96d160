// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/received_table.h"

#include <algorithm>
#include <array>

namespace tavolin {

ReceivedTable::ReceivedTable(const Code& code)
    : n0_(code.n0()),
      marks_(code.mark_rule()),
      info_(code.information_bits()),
      entries_((std::size_t{1} << n0_) + 3, 0) {
    code.tabulate(entries_.data());
}

std::shared_ptr<const ReceivedTable> received_table(const Code& code, std::size_t words) {
    // Least recently used last. A study's threads each keep their own.
    struct Kept {
        vectw identity;
        std::shared_ptr<const ReceivedTable> table;
    };
    thread_local std::array<Kept, 4> kept;
    const auto hit = std::find_if(kept.begin(), kept.end(), [&](const Kept& k) {
        return k.table && k.identity == code.identity();
    });
    if (hit != kept.end()) {
        std::rotate(kept.begin(), hit, hit + 1);
        return kept.front().table;
    }
    if ((std::size_t{1} << code.n0()) > 2 * words) return nullptr;
    std::rotate(kept.begin(), kept.end() - 1, kept.end());
    kept.front() = {code.identity(), std::make_shared<const ReceivedTable>(code)};
    return kept.front().table;
}

}  // namespace tavolin
