// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/study_merge.h"

#include <algorithm>
#include <sstream>

namespace tavolin {

namespace {

// A plan's inputs as written, but for its shard: parts of one study write the same text.
std::string inputs_text(StudyPlan plan) {
    plan.shard = 0;
    plan.shards = 1;
    std::ostringstream out;
    write_study_json(out, plan, {});
    return out.str();
}

}  // namespace

MergedStudy merge_studies(std::vector<LoadedStudy> parts) {
    using Kind = MergeRefusal::Kind;
    if (parts.empty()) return {std::nullopt, MergeRefusal{Kind::Missing, 0, 0}};
    LoadedStudy whole;
    whole.plan = parts[0].plan;
    whole.plan.shard = 0;
    whole.plan.shards = 1;
    const std::string inputs = inputs_text(whole.plan);
    const std::size_t codes = whole.plan.codes.size();
    // Which part holds each cell, point by point.
    std::vector<std::size_t> holder(static_cast<std::size_t>(whole.plan.points) * codes,
                                    parts.size());
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k > 0 && inputs_text(parts[k].plan) != inputs)
            return {std::nullopt, MergeRefusal{Kind::OtherStudy, k, 0}};
        for (const StudyCell& c : parts[k].cells) {
            std::size_t& h = holder[static_cast<std::size_t>(c.point) * codes + c.code];
            if (h != parts.size()) return {std::nullopt, MergeRefusal{Kind::Overlap, k, c.point}};
            h = k;
        }
    }
    for (std::size_t i = 0; i < holder.size(); ++i)
        if (holder[i] == parts.size())
            return {std::nullopt, MergeRefusal{Kind::Missing, 0, static_cast<int>(i / codes)}};
    for (LoadedStudy& part : parts)
        whole.cells.insert(whole.cells.end(), part.cells.begin(), part.cells.end());
    std::sort(whole.cells.begin(), whole.cells.end(), [](const StudyCell& a, const StudyCell& b) {
        return std::pair(a.point, a.code) < std::pair(b.point, b.code);
    });
    return {std::move(whole), std::nullopt};
}

}  // namespace tavolin
