// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/matrix_window.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

#include "codes/bitstring.h"
#include "core/number_text.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kClientWidth = 359;
constexpr int kClientHeight = 377;
constexpr int kGridColumnWidth = 64;
constexpr int kPanelRightMargin = kClientWidth - 6 - 345;

// Copies a matrix: as many rows as it has, each as long as its first row.
matr copy_matrix(const matr& m) {
    matr out;
    const std::size_t width = m.empty() ? 0 : m[0].size();
    for (const vect& row : m) {
        vect r(width, 0);
        std::copy_n(row.begin(), std::min(width, row.size()), r.begin());
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace

TForm9::TForm9(char sep, QWidget* parent) : QWidget(parent, Qt::Window), sep_(sep) {
    setObjectName("Form9");
    setWindowTitle("Сравнение канальных матриц");
    resize(kClientWidth, kClientHeight);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "&Close", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(8, 8, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);

    auto make_panel = [this](const char* name, int top) {
        auto* panel = new QFrame(this);
        panel->setObjectName(name);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setGeometry(6, top, 345, 161);
        return panel;
    };
    Panel1 = make_panel("Panel1", 39);
    Panel2 = make_panel("Panel2", 206);

    Label1 = new QLabel("Априорная канальная матрица", Panel1);
    Label1->setObjectName("Label1");
    Label1->move(1, 1);
    Label2 = new QLabel("Апостериорная канальная матрица", Panel2);
    Label2->setObjectName("Label2");
    Label2->move(8, 8);

    auto make_grid = [](const char* name, QFrame* panel, int left, int top) {
        auto* grid = new StringGrid(5, 5, 1, 1, panel);
        grid->setObjectName(name);
        grid->setEditable(false);
        grid->setDefaultColWidth(kGridColumnWidth);
        grid->setDefaultRowHeight(24);
        grid->setGeometry(left, top, 328, 128);
        return grid;
    };
    StringGrid1 = make_grid("StringGrid1", Panel1, 1, 18);
    StringGrid2 = make_grid("StringGrid2", Panel2, 8, 25);
}

void TForm9::setMat1(const matr& m) {
    mat1_ = copy_matrix(m);
}
void TForm9::setMat2(const matr& m) {
    mat2_ = copy_matrix(m);
}

void TForm9::showMatrix() {
    show_one(mat1_, StringGrid1);
    show_one(mat2_, StringGrid2);
    if (!mat1_.empty()) shown1_ = mat1_;
    if (!mat2_.empty()) shown2_ = mat2_;
}

void TForm9::show_one(const matr& m, StringGrid* grid) const {
    if (m.empty()) return;
    const int rows = static_cast<int>(m.size());
    const int cols = static_cast<int>(m[0].size());
    grid->setRowCount(rows + 1);
    grid->setColCount(cols + 1);
    grid->setCell(0, 0, QString());
    for (int i = 0; i < rows; ++i) {
        const QString header = QString::fromStdString(IntToBin(static_cast<Cardinal>(i), 4));
        grid->setCell(i + 1, 0, header);
        grid->setCell(0, i + 1, header);
    }
    grid->setCell(cols, 0, "????");
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            grid->setCell(j + 1, i + 1, QString::fromStdString(format_label(m[i][j], sep_)));
}

void TForm9::BitBtn1Click() {
    mat1_.clear();
    mat2_.clear();
    s_matrix_ = false;
    close();
}

void TForm9::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}

void TForm9::FormResize() {
    // Panel1 follows the width (anchored left, top and right); Panel2 takes its width, and the
    // two share the height below the button.
    Panel1->resize(width() - Panel1->x() - kPanelRightMargin, Panel1->height());
    Panel2->resize(Panel1->width(), Panel2->height());
    Panel1->resize(Panel1->width(), (height() - 56 + 1) / 2);
    Panel2->resize(Panel2->width(), Panel1->height());
    Panel2->move(Panel2->x(), Panel1->y() + Panel1->height() + 7);
    // The grids keep their margins inside their panels (anchored on all four sides).
    StringGrid1->setGeometry(1, 18, Panel1->width() - 17, Panel1->height() - 33);
    StringGrid2->setGeometry(8, 25, Panel2->width() - 17, Panel2->height() - 33);
}

}  // namespace tavolin::ui
