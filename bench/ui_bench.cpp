// SPDX-License-Identifier: GPL-3.0-or-later
// The start button in the window, displays included: one packet of 50000 symbols with the
// continuous code of frame 4, the matrix window open. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include "ui/dialogs.h"
#include "ui/main/main_window.h"
#include "ui/matrix/matrix_window.h"

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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
