// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: every input of a simulation, the start and stop buttons, the result labels
// and the two charts. It implements both sides of a run over its widgets, so the run drivers
// read the inputs straight from the controls and write the results straight into them.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "core/sim_state.h"
#include "engine/packet_log.h"
#include "engine/run_control.h"
#include "engine/run_io.h"
#include "ui/dialogs.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace tavolin::ui {

class BarChart;
class RadioGroup;
class StringGrid;
class PacketLogWindow;
class StudyWindow;
class TForm9;

// Reads the clock for seeding the random streams.
using Clock = std::function<Integer()>;

class TForm2 : public QMainWindow, public RunInputs, public RunOutputs {
    Q_OBJECT
  public:
    TForm2(SimState& st, TForm9& form9, Dialogs& dialogs, Clock clock, bool has_arguments,
           QWidget* parent = nullptr);
    ~TForm2() override;

    // Event handlers, named after their control and event.
    void FormCreate(bool has_arguments);
    void FormActivate();
    void activate_unit1();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Timer1Timer();
    void N2Click();
    void N3Click();
    void N4Click();
    void N6Click();
    void N5Click();
    void N8Click();
    void StringGrid1SetEditText();
    void RadioGroup1Click(int item);
    void RadioGroup2Click(int item);

    char separator() const { return sep_; }
    // Whether the first activation has run, and whether an import is still to be made (set by
    // a command-line argument, cleared by an import that succeeded).
    bool activated() const { return activated_; }
    bool imp() const { return imp_; }
    BarChart* chart(int i) const { return i == 1 ? Chart1 : Chart2; }

    // What a run reads.
    std::string packet_size_text() const override;
    std::string probability_text(int row) const override;
    int noise_type() const override;
    std::string channel_text(int col, int row) const override;
    bool model_switch() const override;
    bool counting_switch() const override;
    std::string bit_time_text() const override;
    char decimal_separator() const override { return sep_; }

    // What a run writes.
    void show_symbols_sent(std::int64_t count) override;
    void show_value(ValueLabel label, Extended value) override;
    void show_bars(Chart chart, std::optional<double> apriori,
                   std::optional<double> aposteriori) override;
    bool wants_matrices() const override;
    void set_mat1(const matr& m) override;
    void set_mat2(const matr& m) override;
    void show_matrix() override;
    PacketLog* packet_log() override;
    void show_words() override;
    void refuse(Refusal why) override;
    void report_error(const std::string& description) override;

  protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void build_controls();
    void build_menu();
    void build_export_actions();
    void set_tab_order();
    void install_filters();
    void lock_for_run();
    void unlock_after_run();
    void check_code_item(QAction* item, Byte coding_type);
    void show_message(const QString& text, const QString& caption, Dialogs::Icon icon);
    void report_import_failure_on_screen();
    void show_import_failure();
    QLabel* value_label(ValueLabel label) const;
    QLabel* add_label(const char* name, const QString& text, int left, int top);

    SimState& st_;
    TForm9& form9_;
    Dialogs& dialogs_;
    Clock clock_;
    char sep_;
    RunControl control_;
    bool activated_ = false;
    bool imp_ = false;
    bool message_open_ = false;
    std::optional<QString> import_failure_;  // waiting for the window to be on screen

    QWidget* client_;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18,
        *Label19, *Label20, *Label21, *Label22;
    StringGrid *StringGrid1, *StringGrid2;
    RadioGroup *RadioGroup1, *RadioGroup2;
    QLineEdit *Edit1, *Edit2;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    BarChart *Chart1, *Chart2;
    QTimer* Timer1;
    QMenu* N1;
    QAction *N2, *N3, *N4, *N5, *N6;
    QMenu* N7;    // the studies and the transmission log
    QAction* N8;  // the study window, locked as N1 is
    QAction* PacketLogAction;
    QActionGroup* coding_items_;
    std::unique_ptr<StudyWindow> study_;  // made when first opened
    // The last packet's words, kept once the log's window has been made.
    PacketLog packet_log_;
    std::unique_ptr<PacketLogWindow> log_window_;
};

}  // namespace tavolin::ui
