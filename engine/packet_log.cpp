// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packet_log.h"

#include <utility>

#include "channel/matrices.h"

namespace tavolin {

void PacketLog::keep(Packet& p, std::shared_ptr<const Code> code, Byte n, bool on_code_words) {
    std::swap(packet_, p);
    code_ = std::move(code);
    n_ = n;
    on_code_words_ = on_code_words;
    if (on_code_words) {
        code_words_.assign(n, 0);
        encode_mass(*code_, code_words_);
    }
}

WordRecord PacketLog::record(std::size_t i) const {
    WordRecord r;
    r.position = i + 1;
    r.symbol = packet_.inp_s[i];
    r.code_word = packet_.s2_coded[i];
    r.received = packet_.s3_noise[i];
    r.decoded = packet_.s4[i];
    r.found_error = code_->found_error(r.received.inv);
    if (on_code_words_) {
        const Byte q = posit(code_words_, r.received.inv);
        r.received_class = q <= n_ - 1 && r.received.stir == 0 ? q : n_;
    } else {
        r.received_class = received_class(r.decoded, n_);
    }
    // As the error count decides it: erased bits read as the 0 the received word holds.
    const bool distorted = r.code_word.inv != r.received.inv;
    const bool detected = distorted && r.found_error;
    r.outcome = !distorted                  ? WordOutcome::Intact
                : !detected                 ? WordOutcome::Undetected
                : r.symbol == r.decoded.inv ? WordOutcome::Corrected
                                            : WordOutcome::Detected;
    return r;
}

std::string PacketLog::syndrome(std::size_t i) const {
    return code_->explain(packet_.s3_noise[i], packet_.s4[i]);
}

std::array<Count, kWordOutcomes> PacketLog::outcome_counts() const {
    std::array<Count, kWordOutcomes> counts{};
    for (std::size_t i = 0; i < size(); ++i) ++counts[static_cast<int>(record(i).outcome)];
    return counts;
}

const char* outcome_title(WordOutcome o) {
    switch (o) {
        case WordOutcome::Intact:
            return "не искажено";
        case WordOutcome::Corrected:
            return "исправлено";
        case WordOutcome::Detected:
            return "обнаружено, не исправлено";
        case WordOutcome::Undetected:
            return "не обнаружено";
    }
    return "";
}

std::string word_bits(enc_sym w, Byte bits) {
    std::string text(bits, '0');
    for (Byte k = 0; k < bits; ++k) {
        const auto mask = static_cast<Word>(1u << (bits - 1 - k));
        text[k] = (w.stir & mask) ? '?' : (w.inv & mask) ? '1' : '0';
    }
    return text;
}

const char* outcome_name(WordOutcome o) {
    switch (o) {
        case WordOutcome::Intact:
            return "intact";
        case WordOutcome::Corrected:
            return "corrected";
        case WordOutcome::Detected:
            return "detected";
        case WordOutcome::Undetected:
            return "undetected";
    }
    return "";
}

}  // namespace tavolin
