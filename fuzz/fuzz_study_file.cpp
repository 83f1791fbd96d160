// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a study's JSON from any bytes: never a crash, and whatever reads as a study is a
// fixed point of writing and reading: written again it reads back to the same text, every
// 80-bit value bit for bit. The seeds are small studies written by `tavolin-sim sweep`.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/study_file.h"
#include "fuzz_check.h"

namespace {

std::string written(const tavolin::LoadedStudy& s) {
    std::ostringstream out;
    tavolin::write_study_json(out, s.plan, s.cells);
    return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tavolin::StudyFileRead read = tavolin::read_study_json(text);
    FUZZ_CHECK(read.study.has_value() != read.refusal.has_value(), "a study or a refusal");
    if (!read.study) return 0;
    const std::string once = written(*read.study);
    const tavolin::StudyFileRead again = tavolin::read_study_json(once);
    FUZZ_CHECK(again.study.has_value(), "the writer's text is refused: " + once);
    FUZZ_CHECK(written(*again.study) == once, "written again differs: " + once);
    std::ostringstream csv;
    tavolin::write_study_csv(csv, again.study->plan, again.study->cells);
    return 0;
}
