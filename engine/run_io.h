// SPDX-License-Identifier: GPL-3.0-or-later
// The two sides of a run. A run reads its inputs through RunInputs, in the order it needs them,
// and writes every result through RunOutputs. The main window implements both over its widgets,
// the command over its options and report, so both run the very same steps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "channel/measures.h"
#include "core/types.h"

namespace tavolin {

class PacketLog;

// Refusals a run reports; the front ends turn them into their messages.
enum class Refusal {
    AlphabetTooShort,     // fewer than 9 symbols with a non-zero probability
    SumNotOne,            // packet run: the probabilities do not sum to exactly 1
    SumNotOneContinuous,  // continuous start: the same, with its own text
    UnknownNoise,         // continuous start: no noise type selected
    PacketSize,           // packet size outside 1 .. 50000
};

class RunInputs {
  public:
    virtual ~RunInputs() = default;
    virtual std::string packet_size_text() const = 0;         // Edit2
    virtual std::string probability_text(int row) const = 0;  // StringGrid1 column 2, rows 1..16
    virtual int noise_type() const = 0;                       // RadioGroup1: 0, 1, or -1 for none
    virtual std::string channel_text(int col, int row) const = 0;  // StringGrid2 cell [col, row]
    virtual bool model_switch() const = 0;                         // CheckBox2: kan_matr_big
    virtual bool counting_switch() const = 0;                      // CheckBox3: count on code words
    virtual std::string bit_time_text() const = 0;                 // Edit1
    virtual char decimal_separator() const = 0;
};

enum class ValueLabel { Label12, Label14, Label19, Label20, Label21, Label22 };
enum class Chart { Chart1, Chart2 };

class RunOutputs {
  public:
    virtual ~RunOutputs() = default;
    // Label10: the packet size as read, or the symbols drawn since a continuous run started.
    virtual void show_symbols_sent(std::int64_t count) = 0;
    // A result label, shown in the fixed format of the labels.
    virtual void show_value(ValueLabel label, Extended value) = 0;
    // Both measures of a finished run, before its labels and charts are written.
    virtual void show_measures(const Measures& /*apr*/, const Measures& /*apost*/) {}
    // Clears both series of a chart and adds one bar to each that has a value.
    virtual void show_bars(Chart chart, std::optional<double> apriori,
                           std::optional<double> aposteriori) = 0;
    // Whether the matrices are wanted (the matrix window has been opened); when not, the three
    // calls below are not made.
    virtual bool wants_matrices() const = 0;
    // The matrix window: copies of the a priori and a posteriori matrices, then showing them.
    virtual void set_mat1(const matr& m) = 0;
    virtual void set_mat2(const matr& m) = 0;
    virtual void show_matrix() = 0;
    // The transmission log: where a run keeps the words of its packet (of each step, in a
    // continuous run), or none when no one reads them. After keeping them it calls show_words.
    virtual PacketLog* packet_log() { return nullptr; }
    virtual void show_words() {}
    // A refused run: a message box, after which nothing is computed.
    virtual void refuse(Refusal why) = 0;
    // A cell that must hold a number does not: the general error report.
    virtual void report_error(const std::string& description) = 0;
};

// The messages of the refusals, and the caption they all share.
const char* refusal_text(Refusal why);
inline constexpr const char* kInputCaption = "Ввод начальных данных";

}  // namespace tavolin
