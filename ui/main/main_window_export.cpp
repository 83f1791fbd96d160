// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's context menus: the charts' pictures, the alphabet table, the results' texts;
// and the matrix window's, which share the main window's dialogs.
#include <QLabel>

#include "ui/export/export_actions.h"
#include "ui/main/main_window.h"
#include "ui/matrix/matrix_window.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kProbabilityColumn = 2;

}  // namespace

void TForm2::build_export_actions() {
    add_chart_export(*Chart1, dialogs_);
    add_chart_export(*Chart2, dialogs_);
    add_grid_export(*StringGrid1, dialogs_, alphabet_cells(*StringGrid1, kProbabilityColumn, sep_));
    // Each line's caption and value, column by column as the window lays them out.
    add_results_copy(*this, {{Label2, Label4},
                             {Label3, Label5},
                             {Label9, Label10},
                             {Label13, Label14},
                             {Label11, Label12},
                             {Label15, Label19},
                             {Label16, Label20},
                             {Label17, Label21},
                             {Label18, Label22}});
    form9_.add_export_actions(dialogs_);
}

}  // namespace tavolin::ui
