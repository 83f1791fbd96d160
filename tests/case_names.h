// SPDX-License-Identifier: GPL-3.0-or-later
// Names of parameterised test cases, so that the list of tests reads as a list of behaviours:
// a case's text with its letters and digits kept and every other character spelled out.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace tavolin::testing_support {

inline std::string spelled(std::string_view text) {
    if (text.empty()) return "empty";
    std::string out;
    bool in_word = false;
    auto token = [&](const std::string& t) {
        if (!out.empty()) out += '_';
        out += t;
        in_word = false;
    };
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            if (!in_word && !out.empty()) out += '_';
            out += c;
            in_word = true;
            continue;
        }
        switch (c) {
            case ',':
                token("comma");
                break;
            case '.':
                token("point");
                break;
            case '-':
                token("minus");
                break;
            case '+':
                token("plus");
                break;
            case ' ':
                token("space");
                break;
            case '$':
                token("dollar");
                break;
            default:
                token("char" + std::to_string(static_cast<unsigned char>(c)));
                break;
        }
    }
    return out;
}

// A name from the case's text, numbered so that two cases of one text stay apart.
inline std::string case_name(std::size_t index, std::string_view text) {
    return spelled(text) + "_" + std::to_string(index);
}

}  // namespace tavolin::testing_support
