// SPDX-License-Identifier: GPL-3.0-or-later
#include <QResizeEvent>

#include "tests/ui/window_fixture.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

StringGrid* matrix_grid(const Windows& w, const char* name) {
    return w.form9->findChild<StringGrid*>(name);
}

matr uniform_matrix(int n, Extended v) {
    return matr(n, vect(n + 1, v));
}

TEST(MatrixWindow, OpensWithEmptyFiveByFiveGrids) {
    Windows w;
    w.start();
    EXPECT_TRUE(w.form9->isHidden());
    EXPECT_EQ(w.form9->windowTitle(), "Сравнение канальных матриц");
    w.find<QPushButton>("Button4")->click();
    EXPECT_TRUE(w.form9->s_matrix());
    EXPECT_TRUE(w.form9->isVisible());
    for (const char* name : {"StringGrid1", "StringGrid2"}) {
        StringGrid* g = matrix_grid(w, name);
        EXPECT_EQ(g->rowCount(), 5);
        EXPECT_EQ(g->colCount(), 5);
        EXPECT_EQ(g->cell(1, 1), "");
        EXPECT_FALSE(g->editTriggers() & QAbstractItemView::AnyKeyPressed);
    }
}

TEST(MatrixWindow, GridLayoutShrinksWithoutStaleCells) {
    Windows w(',');
    w.start();
    w.form9->setMat1(uniform_matrix(16, 1.0L / 3));
    w.form9->setMat2(uniform_matrix(16, 2.0L / 3));
    w.form9->showMatrix();
    StringGrid* g1 = matrix_grid(w, "StringGrid1");
    StringGrid* g2 = matrix_grid(w, "StringGrid2");
    EXPECT_EQ(g1->rowCount(), 17);
    EXPECT_EQ(g1->colCount(), 18);
    EXPECT_EQ(g1->cell(0, 0), "");
    EXPECT_EQ(g1->cell(1, 0), "0000");
    EXPECT_EQ(g1->cell(16, 0), "1111");
    EXPECT_EQ(g1->cell(17, 0), "????");
    EXPECT_EQ(g1->cell(0, 16), "1111");
    EXPECT_EQ(g1->cell(5, 3), "0,3333");
    EXPECT_EQ(g2->cell(17, 16), "0,6667");

    matr nine = uniform_matrix(9, 0);
    nine[0][0] = 1;
    w.form9->setMat1(nine);
    w.form9->setMat2(nine);
    w.form9->showMatrix();
    for (StringGrid* g : {g1, g2}) {
        EXPECT_EQ(g->rowCount(), 10);
        EXPECT_EQ(g->colCount(), 11);
        EXPECT_EQ(g->cell(10, 0), "????");
        EXPECT_EQ(g->cell(9, 0), "1000");
        EXPECT_EQ(g->cell(1, 1), "1,0000");
        EXPECT_EQ(g->cell(2, 1), "0,0000");
    }
}

TEST(MatrixWindow, CopiesTheMatrixItIsHanded) {
    Windows w;
    matr m = uniform_matrix(9, 0.5L);
    w.form9->setMat1(m);
    m[0][0] = 7;
    EXPECT_EQ(w.form9->mat1()[0][0], 0.5L);
    EXPECT_EQ(w.form9->mat1().size(), 9u);
}

TEST(MatrixWindow, ResizeSharesTheHeightBetweenThePanels) {
    Windows w;
    w.start();
    w.form9->show();
    auto* p1 = w.form9->findChild<QWidget*>("Panel1");
    auto* p2 = w.form9->findChild<QWidget*>("Panel2");
    w.form9->resize(359, 377);
    QApplication::processEvents();
    EXPECT_EQ(p1->geometry(), QRect(6, 39, 345, 161));
    EXPECT_EQ(p2->geometry(), QRect(6, 207, 345, 161));
    const QSize grid_before = matrix_grid(w, "StringGrid2")->size();

    w.form9->resize(359 + 30, 377 + 20);
    QApplication::processEvents();
    EXPECT_EQ(p1->geometry(), QRect(6, 39, 375, 171));
    EXPECT_EQ(p2->geometry(), QRect(6, 217, 375, 171));
    EXPECT_EQ(matrix_grid(w, "StringGrid2")->size(), grid_before + QSize(30, 10));
    EXPECT_EQ(matrix_grid(w, "StringGrid1")->width(), 328 + 30);
}

TEST(MatrixWindow, CloseButtonFreesAndStopsUpdates) {
    Windows w;
    w.start();
    w.form2->Button4Click();
    w.form2->Button1Click();
    StringGrid* g2 = matrix_grid(w, "StringGrid2");
    const QString shown = g2->cell(1, 1);
    EXPECT_FALSE(shown.isEmpty());
    w.form9->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(w.form9->s_matrix());
    EXPECT_TRUE(w.form9->mat1().empty());
    EXPECT_TRUE(w.form9->mat2().empty());
    EXPECT_FALSE(w.form9->isVisible());
    w.form2->Button1Click();
    EXPECT_EQ(g2->cell(1, 1), shown);  // unchanged until reopened and run again
    EXPECT_TRUE(w.form9->mat2().empty());
}

TEST(MatrixWindow, TitleBarCloseOnlyHides) {
    Windows w;
    w.start();
    w.form2->Button4Click();
    w.form9->close();
    EXPECT_TRUE(w.form9->s_matrix());
    w.form2->Button1Click();
    EXPECT_FALSE(w.form9->mat2().empty());
    EXPECT_FALSE(matrix_grid(w, "StringGrid2")->cell(1, 1).isEmpty());
}

}  // namespace
}  // namespace tavolin::ui
