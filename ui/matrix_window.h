// The channel-matrix window: the a priori and the a posteriori matrix one above the other.
#pragma once

#include <QWidget>

#include "engine/sim_state.h"

class QFrame;
class QLabel;
class QPushButton;

namespace tavolin::ui {

class StringGrid;

class TForm9 : public QWidget {
    Q_OBJECT
  public:
    TForm9(SimState& st, char sep, QWidget* parent = nullptr);

    void setMat1(const matr& m);
    void setMat2(const matr& m);
    void showMatrix();
    void BitBtn1Click();

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void FormResize();
    void show_one(const matr& m, StringGrid* grid) const;

    SimState& st_;
    char sep_;
    QPushButton* BitBtn1;
    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    StringGrid* StringGrid1;
    StringGrid* StringGrid2;
};

}  // namespace tavolin::ui
