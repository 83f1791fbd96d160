// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix window's context menus: each grid copied as shown, or saved as CSV with the
// matrix it shows at full precision.
#include "ui/export/export_actions.h"
#include "ui/matrix/matrix_window.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

void TForm9::add_export_actions(Dialogs& dialogs) {
    add_grid_export(*StringGrid1, dialogs, matrix_cells(*StringGrid1, shown1_));
    add_grid_export(*StringGrid2, dialogs, matrix_cells(*StringGrid2, shown2_));
}

}  // namespace tavolin::ui
