// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/study_codes.h"

namespace tavolin {

namespace {

constexpr CodeKind kKinds[] = {
    {"cyclic", kCyclic, CodeKind::Parameter::Polynomial, true},
    {"hamming", kHamming, CodeKind::Parameter::None, true},
    {"continuous", kContinuous, CodeKind::Parameter::Frame, false},
    {"none", kNoCoding, CodeKind::Parameter::None, true},
};

}  // namespace

std::span<const CodeKind> code_kinds() {
    return kKinds;
}

const CodeKind* code_kind(std::string_view name) {
    for (const CodeKind& k : kKinds)
        if (name == k.name) return &k;
    return nullptr;
}

const CodeKind& code_kind(Byte coding_type) {
    for (const CodeKind& k : kKinds)
        if (k.coding_type == coding_type) return k;
    return kKinds[0];
}

StudyCodeRead read_study_code(const std::string& name) {
    const std::size_t colon = name.find(':');
    const CodeKind* kind = code_kind(std::string_view(name).substr(0, colon));
    const bool has_parameter = colon != std::string::npos;
    if (!kind || (has_parameter && kind->parameter == CodeKind::Parameter::None)) return {};
    StudyCode code;
    code.name = name;
    code.coding_type = kind->coding_type;
    if (has_parameter) {
        const std::string_view parameter = std::string_view(name).substr(colon + 1);
        if (kind->parameter == CodeKind::Parameter::Polynomial) {
            const PolynomialCheck c = check_polynomial_text(parameter);
            if (c.refusal) return {std::nullopt, c.refusal};
            code.polynomial = c.polynomial;
        } else {
            const FrameCheck c = check_frame_text(parameter);
            if (c.refusal) return {std::nullopt, c.refusal};
            code.frame = c.frame;
        }
    }
    return {code, std::nullopt};
}

SimState code_state(const StudyCode& code) {
    SimState st;
    init_code_parameters(st);
    st.coding_type = code.coding_type;
    st.Polinom_default = code.polynomial;
    st.L_default = code.frame;
    return st;
}

}  // namespace tavolin
