// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' own speed on Qt's offscreen platform: the start button, displays included, and
// how late the study window lets the event loop run while a study's cells finish by the
// thousand.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

#include "ui/dialogs.h"
#include "ui/main/main_window.h"
#include "ui/matrix/matrix_window.h"
#include "ui/study/study_window.h"

namespace {

using namespace tavolin;

void BM_StartClick(benchmark::State& state) {
    SimState st;
    ui::QtDialogs dialogs;
    ui::TForm9 form9('.');
    ui::TForm2 form2(
        st, form9, dialogs, [] { return 1; }, false);
    form2.show();
    QApplication::processEvents();
    form2.findChild<QLineEdit*>("Edit2")->setText("50000");
    form2.N4Click();
    st.L_default = 4;
    form2.Button4Click();
    for (auto _ : state) {
        form2.Button1Click();
        QApplication::processEvents();  // the repaint of labels, charts and grids
    }
    state.counters["ms_per_click"] = benchmark::Counter(
        1e-3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StartClick)->Unit(benchmark::kMillisecond);

// A study of range(0) points by four codes, each cell of range(1) symbols in packets of 200, run
// by the study window (a few long cells, or a burst of a thousand short ones):
// a 10 ms timer's ticks measure how late the event loop gets to them. The window collects the
// cells on a timer and redraws at most every 100 ms, so the lateness should stay far below the
// 100 ms a user notices, however fast the cells come.
void BM_StudyEventLoopLateness(benchmark::State& state) {
    SimState st;
    ui::QtDialogs dialogs;
    ui::TForm9 form9('.');
    ui::TForm2 form2(
        st, form9, dialogs, [] { return 1; }, false);
    form2.show();
    form2.findChild<QAction*>("N8")->trigger();
    ui::StudyWindow* study = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<ui::StudyWindow*>(top)) study = s;
    study->findChild<QSpinBox*>("PointsBox")->setValue(static_cast<int>(state.range(0)));
    study->findChild<QLineEdit*>("SizeEdit")->setText("200");
    study->findChild<QLineEdit*>("MinDistortedEdit")->setText("1000000000");
    study->findChild<QLineEdit*>("MaxSymbolsEdit")->setText(QString::number(state.range(1)));
    constexpr int kTickMs = 10;
    double latest = 0, total = 0;
    int ticks = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(kTickMs);
        QElapsedTimer since;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const double late = static_cast<double>(since.restart() - kTickMs);
            latest = std::max(latest, late);
            total += late;
            ++ticks;
            if (!study->running()) loop.quit();
        });
        study->findChild<QPushButton*>("StartButton")->click();
        since.start();
        ticker.start();
        loop.exec();
    }
    state.counters["latest_ms"] = latest;
    state.counters["mean_late_ms"] = ticks > 0 ? total / ticks : 0;
}
BENCHMARK(BM_StudyEventLoopLateness)
    ->ArgNames({"points", "symbols"})
    ->Args({12, 2000000})
    ->Args({1000, 10})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
