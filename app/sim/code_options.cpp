// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/code_options.h"

#include <vector>

#include "app/sim/base_options.h"
#include "engine/code_settings.h"
#include "engine/study_codes.h"

namespace tavolin::sim {

namespace {

std::vector<std::string> code_names() {
    std::vector<std::string> names;
    for (const CodeKind& k : code_kinds()) names.emplace_back(k.name);
    return names;
}

}  // namespace

std::optional<std::string> CodeChoice::apply(SimState& st) const {
    st.coding_type = coding_type;
    if (poly) {
        const PolynomialCheck c = check_polynomial_text(*poly);
        if (c.refusal) return setting_message(*c.refusal).text;
        st.Polinom_default = c.polynomial;
    }
    if (frame) {
        const FrameCheck c = check_frame_text(*frame);
        if (c.refusal) return setting_message(*c.refusal).text;
        st.L_default = c.frame;
    }
    return std::nullopt;
}

void CodeOptions::add_to(CLI::App& app, CodeChoice& choice) {
    app.add_option("--code", code_, "cyclic, hamming, continuous or none")
        ->check(CLI::IsMember(code_names()));
    app.add_option("--poly", choice.poly, "generator polynomial of the cyclic code, as bits");
    app.add_option("--frame", choice.frame, "frame size of the continuous code, 1 to 4");
}

void CodeOptions::finish(CodeChoice& choice, bool erasure) const {
    const CodeKind& kind = *code_kind(code_);
    choice.coding_type = kind.coding_type;
    if (erasure && !kind.on_erasure)
        throw Malformed{"--code " + code_ + ": not available with --noise erasure"};
}

}  // namespace tavolin::sim
