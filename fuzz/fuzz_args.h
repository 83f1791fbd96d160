// SPDX-License-Identifier: GPL-3.0-or-later
// Command lines made from fuzz input: options from a fixed list with texts the input chooses,
// and free arguments; then the options that set a run's length are held small, so every
// execution is quick, without narrowing what the parsers see (a value the command refuses is
// left as it is).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavolin::fuzzing {

struct FuzzOption {
    const char* name;
    bool flag;  // takes no value
};

// An option whose accepted values above `cap` (up to `hi`, the most the command accepts) are
// brought down to 1 + value mod `cap`.
struct Cap {
    const char* name;
    unsigned long long hi;
    unsigned long long cap;
};

// Reads the input as records: a byte choosing an option of `options` (or, past their number,
// a free argument), then for an option with a value or a free argument a length byte and that
// many bytes of text.
inline std::vector<std::string> arguments_from(const std::uint8_t* data, std::size_t size,
                                               const std::vector<FuzzOption>& options) {
    std::vector<std::string> args;
    std::size_t i = 0;
    auto text = [&]() {
        if (i >= size) return std::string();
        const std::size_t wanted = data[i++];
        const std::size_t n = std::min(wanted, size - i);
        std::string t(reinterpret_cast<const char*>(data) + i, n);
        i += n;
        return t;
    };
    while (i < size && args.size() < 64) {
        const std::size_t choice = data[i++] % (options.size() + 1);
        if (choice == options.size()) {
            args.push_back(text());
            continue;
        }
        args.emplace_back(options[choice].name);
        if (!options[choice].flag) args.push_back(text());
    }
    return args;
}

// The value of a text the command reads as a plain decimal integer, or nothing.
inline bool plain_decimal(const std::string& t, unsigned long long& value) {
    if (t.empty()) return false;
    value = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
        if (value < (1ULL << 62)) value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return true;
}

inline std::string capped(const std::string& value_text, const Cap& cap) {
    unsigned long long v = 0;
    if (!plain_decimal(value_text, v) || v <= cap.cap || v > cap.hi) return value_text;
    return std::to_string(1 + v % cap.cap);
}

// Applies the caps to "--name VALUE" and "--name=VALUE" alike.
inline void apply_caps(std::vector<std::string>& args, const std::vector<Cap>& caps) {
    for (std::size_t k = 0; k < args.size(); ++k)
        for (const Cap& cap : caps) {
            const std::string name = cap.name;
            if (args[k] == name && k + 1 < args.size()) {
                args[k + 1] = capped(args[k + 1], cap);
            } else if (args[k].rfind(name + "=", 0) == 0) {
                args[k] = name + "=" + capped(args[k].substr(name.size() + 1), cap);
            }
        }
}

// Whether the option is given, as "--name" or "--name=...".
inline bool given(const std::vector<std::string>& args, const std::string& name) {
    for (const std::string& a : args)
        if (a == name || a.rfind(name + "=", 0) == 0) return true;
    return false;
}

}  // namespace tavolin::fuzzing
