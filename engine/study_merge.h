// SPDX-License-Identifier: GPL-3.0-or-later
// Joining the parts of a study run in shards (on several machines, say) into the study one
// run would have written: the same inputs, every point once.
#pragma once

#include <optional>
#include <vector>

#include "engine/study_file.h"

namespace tavolin {

// Why parts do not join: a part of another study (other inputs or seeds), a point two parts
// both hold, or a cell no part holds (a shard not given, or one stopped early).
struct MergeRefusal {
    enum class Kind { OtherStudy, Overlap, Missing } kind;
    std::size_t part = 0;  // the part that differs, or that holds a point twice
    int point = 0;         // the point held twice or missing
};

struct MergedStudy {
    std::optional<LoadedStudy> study;
    std::optional<MergeRefusal> refusal;
};

// The parts' cells in (point, code) order under the first part's inputs, as one shard 0/1.
MergedStudy merge_studies(std::vector<LoadedStudy> parts);

}  // namespace tavolin
