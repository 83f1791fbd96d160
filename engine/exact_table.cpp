// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exact_table.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "codes/bitstring.h"
#include "core/check.h"

namespace tavolin {

namespace {

// An outcome byte: the decoded symbol (bits 0-3), whether the decoded word carries erasure
// marks (bit 4), and whether the code's check finds an error in the bits that arrived (bit 5).
// kTie stands for a word whose two fillings decode apart; its halves are kept beside.
constexpr Byte kTie = 64;
constexpr std::size_t kKeys = kTie + 1;

Byte outcome_key(enc_sym decoded, bool found) {
    TAVOLIN_CHECK(decoded.inv < 16, "a decoded word is a symbol");
    return static_cast<Byte>(decoded.inv | (decoded.stir != 0 ? 16u : 0u) | (found ? 32u : 0u));
}

// The decoded word an outcome byte stands for, as far as the count and the classes read it:
// its symbol and whether it carries marks.
enc_sym decoded_of(Byte key) {
    return {static_cast<Word>(key & 15u), static_cast<Word>((key >> 4) & 1u)};
}

// A generator state from which the tie-break's next draw settles `outcome`.
Integer tie_seed(bool outcome) {
    for (Integer s = 0;; ++s) {
        Integer t = s;
        if (tie_break(t) == outcome) return s;
    }
}

// The received words of `positions` bit positions from bit `shift` up, in mixed radix: digit i
// (bit shift + i) is 0 or 1 for a bit received as such, 2 for an erased one (its bit reads 0).
std::vector<enc_sym> received_words(Byte positions, Byte shift, Cardinal radix) {
    std::size_t count = 1;
    for (Byte i = 0; i < positions; ++i) count *= radix;
    std::vector<enc_sym> words(count);
    for (std::size_t index = 0; index < count; ++index) {
        std::size_t rest = index;
        for (Byte i = 0; i < positions; ++i, rest /= radix) {
            const auto bit = static_cast<Word>(1u << (shift + i));
            if (rest % radix == 1) words[index].inv |= bit;
            if (rest % radix == 2) words[index].stir |= bit;
        }
    }
    return words;
}

struct Tie {
    std::size_t word;  // high index * low count + low index
    Byte first, second;
};

// Every received word as the low half's words within the high half's, each word's outcome.
struct Enumeration {
    Word low_mask = 0, high_mask = 0;  // the bits of each half
    std::vector<enc_sym> low, high;
    std::vector<Byte> keys;  // high major
    std::vector<Tie> ties;
    std::vector<bool> found;  // the check's verdict on every word of bits
};

// Runs `work(k, thread)` for every k below `count` on `threads` threads, thread t taking every
// threads-th k from t on.
template <typename Work>
void spread(std::size_t count, std::size_t threads, Work work) {
    auto run = [&](std::size_t first) {
        for (std::size_t k = first; k < count; k += threads) work(k, first);
    };
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(run, t);
    run(0);
    for (std::thread& t : pool) t.join();
}

// Decodes every received word with the code's own decoder. A packet decodes its words one by
// one, and only a word with one erasure can draw the tie-break; such a word is decoded again on
// its own under both draws, each of which it then counts for half.
Enumeration enumerate(const Code& code, bool erasures, std::size_t threads) {
    Enumeration e;
    const Byte n0 = code.n0();
    const Cardinal radix = erasures ? 3 : 2;
    const auto low_positions = static_cast<Byte>(n0 / 2);
    e.low_mask = static_cast<Word>((1u << low_positions) - 1);
    e.high_mask = static_cast<Word>(((1u << n0) - 1) & ~e.low_mask);
    e.low = received_words(low_positions, 0, radix);
    e.high = received_words(static_cast<Byte>(n0 - low_positions), low_positions, radix);
    e.found.resize(std::size_t{1} << n0);
    for (std::size_t w = 0; w < e.found.size(); ++w)
        e.found[w] = code.found_error(static_cast<Word>(w));
    e.keys.resize(e.low.size() * e.high.size());

    const Integer draws[2] = {tie_seed(false), tie_seed(true)};
    struct Worker {
        vectenc in, out, one = vectenc(1), one_out = vectenc(1);
        std::vector<Tie> ties;
    };
    std::vector<Worker> workers(threads);
    for (Worker& w : workers) {
        w.in.resize(e.low.size());
        w.out.resize(e.low.size());
    }
    spread(e.high.size(), threads, [&](std::size_t h, std::size_t thread) {
        auto& [in, out, one, one_out, ties] = workers[thread];
        for (std::size_t l = 0; l < e.low.size(); ++l)
            in[l] = {static_cast<Word>(e.low[l].inv | e.high[h].inv),
                     static_cast<Word>(e.low[l].stir | e.high[h].stir)};
        Integer seed = 0;
        code.decode(in, out, seed);
        Byte* keys = e.keys.data() + h * e.low.size();
        for (std::size_t l = 0; l < in.size(); ++l) {
            const bool found = e.found[in[l].inv];
            keys[l] = outcome_key(out[l], found);
            if (bit_count(in[l].stir) != 1) continue;
            one[0] = in[l];
            Byte halves[2];
            for (int d = 0; d < 2; ++d) {
                Integer s = draws[d];
                code.decode(one, one_out, s);
                halves[d] = outcome_key(one_out[0], found);
            }
            keys[l] = halves[0];
            if (halves[0] == halves[1]) continue;
            keys[l] = kTie;
            ties.push_back({h * e.low.size() + l, halves[0], halves[1]});
        }
    });
    for (const Worker& w : workers) e.ties.insert(e.ties.end(), w.ties.begin(), w.ties.end());
    return e;
}

// Mixed-radix index of a combination: 0->1 inversions, erased 0s, 1->0 inversions, erased 1s.
// Erased bits have a digit only where words can carry marks.
struct Combinations {
    Byte zeros, ones;
    std::size_t e1 = 1, b, e0, a, count;
    Combinations(Byte z0, Byte z1, bool erasures) : zeros(z0), ones(z1) {
        b = erasures ? z1 + 1u : 1u;
        e0 = b * (z1 + 1u);
        a = e0 * (erasures ? z0 + 1u : 1u);
        count = a * (z0 + 1u);
    }
    // The combination that turns code word bits `c` into `w`, over the bits of `mask`.
    std::size_t of(Word c, enc_sym w, Word mask) const {
        const auto zeros_of_c = static_cast<Word>(~c & mask);
        return a * bit_count(static_cast<Word>(w.inv & zeros_of_c)) +
               e0 * bit_count(static_cast<Word>(w.stir & zeros_of_c)) +
               b * bit_count(static_cast<Word>(~w.inv & ~w.stir & c & mask)) +
               e1 * bit_count(static_cast<Word>(w.stir & c & mask));
    }
};

// The run's count of a word of outcome `key` sent as symbol `s`, distorted or not: count_errors
// on a one-word packet whose received bits differ from the code word, or not, and get the
// outcome's verdict from the check.
std::array<std::array<ErrorCounters, kTie>, 2> verdicts(const Code& code, Word s,
                                                        const std::vector<bool>& found) {
    std::array<std::array<ErrorCounters, kTie>, 2> v{};
    const Word c = code.encode_one(s);
    const vectb sent = {static_cast<Byte>(s)};
    const vectenc coded = {{c, 0}};
    for (Byte key = 0; key < kTie; ++key) {
        const vectenc decoded = {decoded_of(key)};
        v[0][key] = code.count_errors(sent, coded, coded, decoded);
        const bool wanted = (key & 32u) != 0;
        for (std::size_t w = 0; w < found.size(); ++w)
            if (w != c && found[w] == wanted) {
                v[1][key] = code.count_errors(sent, coded, {{static_cast<Word>(w), 0}}, decoded);
                break;
            }
    }
    return v;
}

SymbolOutcomes count_symbol(const Code& code, bool erasures, Word s, const Enumeration& e,
                            std::vector<std::uint32_t>& t) {
    const Byte n0 = code.n0();
    const Word c = code.encode_one(s);
    const auto ones = bit_count(c);
    const Combinations comb(static_cast<Byte>(n0 - ones), ones, erasures);
    std::vector<std::uint32_t> low(e.low.size()), high(e.high.size());
    for (std::size_t l = 0; l < low.size(); ++l)
        low[l] = static_cast<std::uint32_t>(comb.of(c, e.low[l], e.low_mask));
    for (std::size_t h = 0; h < high.size(); ++h)
        high[h] = static_cast<std::uint32_t>(comb.of(c, e.high[h], e.high_mask));

    t.assign(kKeys * comb.count, 0);
    const std::size_t stride = comb.count;
    for (std::size_t h = 0; h < high.size(); ++h) {
        std::uint32_t* base = t.data() + high[h];
        const Byte* keys = e.keys.data() + h * low.size();
        for (std::size_t l = 0; l < low.size(); ++l) base[keys[l] * stride + low[l]] += 2;
    }
    for (const Tie& tie : e.ties) {
        const std::size_t k = high[tie.word / low.size()] + low[tie.word % low.size()];
        t[tie.first * stride + k] += 1;
        t[tie.second * stride + k] += 1;
    }

    const auto v = verdicts(code, s, e.found);
    SymbolOutcomes out;
    out.zeros = comb.zeros;
    out.ones = comb.ones;
    const Byte most_erased0 = erasures ? comb.zeros : 0, most_erased1 = erasures ? comb.ones : 0;
    for (Byte a = 0; a <= comb.zeros; ++a)
        for (Byte e0 = 0; e0 <= std::min<Byte>(most_erased0, comb.zeros - a); ++e0)
            for (Byte b = 0; b <= comb.ones; ++b)
                for (Byte e1 = 0; e1 <= std::min<Byte>(most_erased1, comb.ones - b); ++e1) {
                    const std::size_t k = a * comb.a + e0 * comb.e0 + b * comb.b + e1 * comb.e1;
                    // An erased bit arrives as 0, so only inversions and erased 1s make the
                    // bits that arrive differ from the code word.
                    const bool distorted = a + b + e1 > 0;
                    CombinationCounts cc{a, b, e0, e1};
                    bool any = false;
                    for (Byte key = 0; key < kTie; ++key) {
                        const std::uint32_t n = t[key * stride + k];
                        if (n == 0) continue;
                        any = true;
                        cc.decoded[(key & 16u) ? kMarkedOutcome : key & 15u] += n;
                        const ErrorCounters& verdict = v[distorted][key];
                        TAVOLIN_CHECK(verdict.iskaj == distorted, "a distorted word has a verdict");
                        cc.distorted += n * static_cast<std::uint32_t>(verdict.iskaj);
                        cc.detected += n * static_cast<std::uint32_t>(verdict.oshib);
                        cc.corrected += n * static_cast<std::uint32_t>(verdict.ispr);
                    }
                    if (any) out.combinations.push_back(cc);
                }
    return out;
}

}  // namespace

OutcomeTable::OutcomeTable(const Code& code, bool erasures, int threads)
    : n0_(code.n0()), erasures_(erasures) {
    // Below some 60000 words a thread costs more than it saves.
    const bool big = std::pow(erasures ? 3.0 : 2.0, n0_) >= 59049;
    const std::size_t used = big ? static_cast<std::size_t>(std::max(threads, 1)) : 1;
    const Enumeration e = enumerate(code, erasures, used);
    std::vector<std::vector<std::uint32_t>> counts(used);
    spread(symbols_.size(), used, [&](std::size_t s, std::size_t thread) {
        symbols_[s] = count_symbol(code, erasures, static_cast<Word>(s), e, counts[thread]);
    });
}

OutcomeTables::OutcomeTables(int threads, std::size_t most)
    : threads_(threads > 0 ? threads
                           : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))),
      most_(std::max<std::size_t>(most, 1)) {}

std::shared_ptr<const OutcomeTable> OutcomeTables::get(const Code& code, bool erasures) {
    using Table = std::shared_ptr<const OutcomeTable>;
    const Key key{code.identity(), erasures};
    std::promise<Table> promise;
    std::shared_future<Table> table;
    bool build = false;
    {
        const std::lock_guard guard(lock_);
        if (const auto it = kept_.find(key); it != kept_.end()) {
            table = it->second;
        } else {
            table = promise.get_future().share();
            kept_.emplace(key, table);
            order_.push_back(key);
            if (order_.size() > most_) {
                kept_.erase(order_.front());
                order_.pop_front();
            }
            build = true;
        }
    }
    if (build) {
        try {
            promise.set_value(std::make_shared<const OutcomeTable>(code, erasures, threads_));
        } catch (...) {
            // Out of memory or threads: the callers waiting get the failure, later ones try again.
            {
                const std::lock_guard guard(lock_);
                kept_.erase(key);
                std::erase(order_, key);
            }
            promise.set_exception(std::current_exception());
        }
    }
    return table.get();
}

OutcomeTables& kept_outcome_tables() {
    static OutcomeTables tables;
    return tables;
}

}  // namespace tavolin
