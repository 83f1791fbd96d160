// SPDX-License-Identifier: GPL-3.0-or-later
// The study window: how the codes behave as one channel probability changes. Inputs on the
// left, the chart of one measure with its confidence bands on the right, the table of cells
// under it. A study runs on worker threads and draws each cell as it finishes; it can be saved
// as the command's CSV or JSON, its chart as PNG or SVG, and a JSON study made by the command
// can be opened and drawn.
//
// The base of a study (alphabet, channel type and probabilities, bit time) is the main
// window's when the study starts, read and checked as a packet run reads it; the main window's
// displays are left as they are.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/sim_state.h"
#include "engine/run_io.h"
#include "engine/study.h"
#include "engine/study_check.h"
#include "ui/dialogs.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace tavolin::ui {

class StudyChart;
class StudyRunner;
class StudyTable;

class StudyWindow : public QWidget {
    Q_OBJECT
  public:
    // `inputs` and `messages` are the main window's inputs and message display, `st` its
    // state (the code parameters); `clock` seeds the studies.
    StudyWindow(const RunInputs& inputs, RunOutputs& messages, const SimState& st, Dialogs& dialogs,
                std::function<Integer()> clock, QWidget* parent = nullptr);
    ~StudyWindow() override;

    // Shows the window or raises it. A window that was hidden takes the main window's
    // polynomial, frame size and packet size afresh.
    void open();

    // The buttons. `exact_only`: every point's exact values alone, drawing nothing.
    void start_study(bool exact_only = false);
    void stop_study();
    void save_study();
    void save_chart();
    void open_study();

    // What runs each cell of the studies started from now on: the engine's run_cell unless
    // set (tests hold their cells until they release them).
    void set_cell_function(CellFunction cell);
    bool running() const;
    // The study shown: the one run last or opened, and its cells so far.
    const StudyPlan& plan() const { return plan_; }
    const std::vector<StudyCell>& cells() const { return cells_; }
    StudyChart* chart() const { return chart_; }

  protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void build();
    void take_main_settings();
    void follow_channel();
    std::optional<StudyPlan> read_plan(bool exact_only);
    std::optional<std::vector<StudyCode>> read_codes();
    QString refusal_text(const StudyRefusal& r) const;
    void refuse(const QString& text);
    void show_study(const StudyPlan& plan, std::vector<StudyCell> cells);
    void cells_done(const std::vector<StudyCell>& cells);
    void redraw();
    void finished(bool stopped);
    void show_progress();
    void lock(bool running);

    const RunInputs& inputs_;
    RunOutputs& messages_;
    const SimState& st_;
    Dialogs& dialogs_;
    std::function<Integer()> clock_;
    char sep_;

    StudyPlan plan_;
    std::vector<StudyCell> cells_;
    std::size_t total_cells_ = 0;
    QElapsedTimer elapsed_;
    std::optional<QString> opened_;  // the name of the file shown, when one was opened
    bool stopped_ = false;

    QGroupBox *range_box_, *codes_box_, *stop_box_;
    QComboBox* varied_;
    QLineEdit *from_, *to_;
    QSpinBox* points_;
    QCheckBox* log_;
    QCheckBox *cyclic_, *hamming_, *continuous_, *none_;
    QLineEdit *polynomial_, *frame_;
    QLineEdit *min_distorted_, *max_symbols_, *size_;
    QCheckBox* exact_;
    QPushButton *start_, *exact_only_, *stop_, *open_, *save_, *save_chart_;
    QProgressBar* progress_;
    QTimer* progress_timer_;
    QTimer* redraw_timer_;
    bool columns_fitted_ = false;  // to the first cells of a study
    QComboBox* measure_;
    StudyChart* chart_;
    StudyTable* table_model_;
    QTableView* table_;
    std::unique_ptr<StudyRunner> runner_;  // last: destroyed first, its workers end before the rest
};

}  // namespace tavolin::ui
