// The matrix window's context menus: each grid copied as shown, or saved as CSV with the
// matrix it shows at full precision.
#include "ui/export_actions.h"
#include "ui/matrix_window.h"
#include "ui/string_grid.h"

namespace tavolin::ui {

void TForm9::add_export_actions(Dialogs& dialogs) {
    add_grid_export(*StringGrid1, dialogs, matrix_cells(*StringGrid1, shown1_));
    add_grid_export(*StringGrid2, dialogs, matrix_cells(*StringGrid2, shown2_));
}

}  // namespace tavolin::ui
