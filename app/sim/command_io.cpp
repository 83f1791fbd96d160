#include "app/sim/command_io.h"

namespace tavolin::sim {

std::string CommandInputs::probability_text(int row) const {
    const auto i = static_cast<std::size_t>(row - 1);
    return i < o_.probs.size() ? o_.probs[i] : std::string();
}

std::string CommandInputs::channel_text(int col, int row) const {
    if (col == 1) return row == 1 ? o_.p0 : o_.p1;
    return row == 1 ? o_.e0 : o_.e1;
}

}  // namespace tavolin::sim
