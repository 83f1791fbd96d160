// SPDX-License-Identifier: GPL-3.0-or-later
// The channel-matrix window: the a priori and the a posteriori matrix one above the other.
#pragma once

#include <QWidget>

#include "core/types.h"
#include "ui/dialogs.h"

class QFrame;
class QLabel;
class QPushButton;

namespace tavolin::ui {

class StringGrid;

class TForm9 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm9(char sep, QWidget* parent = nullptr);

    void setMat1(const matr& m);
    void setMat2(const matr& m);
    void showMatrix();
    void BitBtn1Click();

    // Whether runs hand their matrices here: from the main window's button until the close
    // button (closing through the title bar only hides the window).
    bool s_matrix() const { return s_matrix_; }
    void open_for_runs() { s_matrix_ = true; }
    const matr& mat1() const { return mat1_; }
    const matr& mat2() const { return mat2_; }
    // The matrices the grids show now (1 or 2): kept past the close button, which frees mat1
    // and mat2 but leaves the grids as they are.
    const matr& shown(int i) const { return i == 1 ? shown1_ : shown2_; }
    // The grids' context menus (ui/matrix_window_export.cpp).
    void add_export_actions(Dialogs& dialogs);

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void FormResize();
    void show_one(const matr& m, StringGrid* grid) const;

    char sep_;
    bool s_matrix_ = false;
    matr mat1_, mat2_;  // copies of the last two matrices handed here
    matr shown1_, shown2_;
    QPushButton* BitBtn1;
    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    StringGrid* StringGrid1;
    StringGrid* StringGrid2;
};

}  // namespace tavolin::ui
