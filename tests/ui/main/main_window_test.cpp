// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QActionGroup>
#include <QBarSet>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "tests/ui/window_fixture.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/radio_group.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

class StartUp : public testing::TestWithParam<char> {};

TEST_P(StartUp, FirstActivationPutsEveryDefaultInPlace) {
    Windows w(GetParam());
    w.start();
    EXPECT_EQ(w.form2->windowTitle(), "Tavolin");
    EXPECT_TRUE(w.form2->activated());
    EXPECT_EQ(w.st.seed1, 1000);
    EXPECT_EQ(w.st.seed2, 2000);  // a second reading, later in the activation
    EXPECT_EQ(w.st.coding_type, kCyclic);
    EXPECT_EQ(w.st.Polinom_default, 13);
    EXPECT_EQ(w.st.L_default, 3);
    EXPECT_EQ(w.st.p_m_x, (vectw{13, 11, 8, 7, 4, 2, 1}));
    EXPECT_EQ(w.st.pr_m_x, (vectw{15, 51, 85}));

    for (const char* l :
         {"Label10", "Label12", "Label14", "Label19", "Label20", "Label21", "Label22"})
        EXPECT_EQ(w.text(l), "") << l;
    EXPECT_EQ(w.text("Label4"), w.sep_text("1,0000"));
    EXPECT_EQ(w.text("Label5"), w.sep_text("0,0000"));
    EXPECT_EQ(w.find<QLineEdit>("Edit1")->text(), w.sep_text("0,0002"));
    EXPECT_EQ(w.find<QLineEdit>("Edit2")->text(), "1000");

    StringGrid* g = w.grid1();
    EXPECT_EQ(g->cell(0, 0), "Символ");
    EXPECT_EQ(g->cell(1, 0), "Код");
    EXPECT_EQ(g->cell(2, 0), "Вероятность");
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(g->cell(0, i), QString(QChar('A' + i - 1)));
        EXPECT_EQ(g->cell(1, i), QString::number(i - 1, 2).rightJustified(4, '0'));
        EXPECT_EQ(g->cell(2, i), w.sep_text("0,0625"));
    }
    EXPECT_EQ(g->columnWidth(0), 50);
    EXPECT_EQ(g->columnWidth(1), 70);
    EXPECT_EQ(g->columnWidth(2), 82);

    StringGrid* c = w.grid2();
    EXPECT_EQ(c->colCount(), 2);
    EXPECT_EQ(c->cell(0, 1), "0");
    EXPECT_EQ(c->cell(0, 2), "1");
    EXPECT_EQ(c->cell(1, 0), "Инверсия");
    EXPECT_EQ(c->cell(1, 1), w.sep_text("0,1"));
    EXPECT_EQ(c->cell(1, 2), w.sep_text("0,2"));
    EXPECT_EQ(c->columnWidth(1), 64);
    EXPECT_EQ(c->rowHeight(1), 24);

    EXPECT_EQ(w.find<RadioGroup>("RadioGroup1")->itemIndex(), 0);
    EXPECT_EQ(w.find<RadioGroup>("RadioGroup2")->itemIndex(), 0);
    auto* box1 = w.find<QCheckBox>("CheckBox1");
    EXPECT_FALSE(box1->isChecked());
    EXPECT_FALSE(box1->isEnabled());
    auto* box2 = w.find<QCheckBox>("CheckBox2");
    EXPECT_TRUE(box2->isChecked());
    EXPECT_FALSE(box2->isEnabled());
    EXPECT_TRUE(box2->isHidden());
    auto* box3 = w.find<QCheckBox>("CheckBox3");
    EXPECT_FALSE(box3->isChecked());
    EXPECT_TRUE(box3->isHidden());
    EXPECT_TRUE(w.find<QPushButton>("Button1")->isVisible());
    EXPECT_TRUE(w.find<QPushButton>("Button2")->isHidden());
    EXPECT_FALSE(w.find<QPushButton>("Button2")->isEnabled());
    EXPECT_FALSE(w.find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.find<QTimer>("Timer1")->interval(), 500);
}

TEST_P(StartUp, DefaultRunWorksUnderEitherSeparator) {
    Windows w(GetParam());
    w.start();
    w.form2->Button1Click();
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(w.text("Label19"), w.sep_text("0,4286"));
}

INSTANTIATE_TEST_SUITE_P(Separators, StartUp, testing::Values(',', '.'),
                         [](const testing::TestParamInfo<char>& i) {
                             return i.param == ',' ? "comma" : "point";
                         });

struct Geometry {
    const char* name;
    int left, top, width, height;
};

TEST(MainWindowLayout, ControlsStandWhereTheDesignPutsThem) {
    Windows w;
    w.start();
    EXPECT_EQ(w.form2->centralWidget()->size(), QSize(787, 511));
    const Geometry controls[] = {
        {"StringGrid1", 8, 27, 209, 430},  {"RadioGroup1", 223, 8, 202, 49},
        {"StringGrid2", 431, 27, 136, 79}, {"Edit1", 360, 63, 65, 21},
        {"Edit2", 360, 90, 65, 21},        {"RadioGroup2", 573, 8, 108, 65},
        {"CheckBox1", 573, 79, 98, 17},    {"Button1", 573, 102, 108, 25},
        {"Button2", 573, 102, 108, 25},    {"CheckBox2", 696, 27, 49, 17},
        {"CheckBox3", 696, 65, 49, 17},    {"Chart1", 223, 133, 259, 250},
        {"Chart2", 488, 133, 279, 250},    {"Button3", 223, 389, 112, 25},
        {"Button4", 341, 389, 123, 25}};
    for (const Geometry& g : controls)
        EXPECT_EQ(w.find<QWidget>(g.name)->geometry(), QRect(g.left, g.top, g.width, g.height))
            << g.name;
    const Geometry labels[] = {
        {"Label1", 8, 8, 0, 0},      {"Label6", 431, 8, 0, 0},    {"Label7", 223, 66, 0, 0},
        {"Label8", 223, 93, 0, 0},   {"Label2", 8, 463, 0, 0},    {"Label4", 133, 463, 0, 0},
        {"Label3", 8, 482, 0, 0},    {"Label5", 143, 482, 0, 0},  {"Label9", 239, 444, 0, 0},
        {"Label10", 382, 444, 0, 0}, {"Label13", 223, 463, 0, 0}, {"Label14", 382, 463, 0, 0},
        {"Label11", 229, 482, 0, 0}, {"Label12", 382, 482, 0, 0}, {"Label15", 496, 425, 0, 0},
        {"Label19", 639, 425, 0, 0}, {"Label16", 524, 444, 0, 0}, {"Label20", 639, 444, 0, 0},
        {"Label17", 523, 463, 0, 0}, {"Label21", 639, 463, 0, 0}, {"Label18", 551, 482, 0, 0},
        {"Label22", 639, 482, 0, 0}};
    for (const Geometry& g : labels)
        EXPECT_EQ(w.find<QWidget>(g.name)->pos(), QPoint(g.left, g.top)) << g.name;
    EXPECT_EQ(w.text("Label13"), "Доля обнаруженных ошибок: ");
    EXPECT_EQ(w.text("Label18"), "Энтропия шума:");
}

TEST(MainWindowLayout, TabOrderFollowsTheDesign) {
    Windows w;
    w.start();
    const char* order[] = {"StringGrid1", "RadioGroup1", "StringGrid2", "Edit1",   "RadioGroup2",
                           "Button1",     "Edit2",       "Chart1",      "Button2", "Chart2",
                           "Button3",     "CheckBox1",   "CheckBox2",   "Button4", "CheckBox3"};
    QStringList names;
    for (const char* n : order) names << n;
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        // Walk from one control to the next of the listed ones, past their inner widgets.
        QWidget* next = w.find<QWidget>(order[i])->nextInFocusChain();
        for (int guard = 0; next && !names.contains(next->objectName()) && guard < 200; ++guard)
            next = next->nextInFocusChain();
        EXPECT_EQ(next ? next->objectName() : QString(), order[i + 1]) << order[i];
    }
}

TEST(MainWindowMenu, CodingItemsFormOneRadioGroup) {
    Windows w;
    w.start();
    auto* menu = w.find<QMenu>("N1");
    EXPECT_EQ(menu->title(), "Кодирование");
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 5);
    const char* names[] = {"N2", "N3", "N4", "N6", "N5"};
    const char* captions[] = {"Циклическое", "Хемминга", "Непрерывное", "Без кодирования",
                              "Настройки..."};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->objectName(), names[i]);
        EXPECT_EQ(items[i]->text(), captions[i]);
        EXPECT_EQ(items[i]->isCheckable(), i < 4);
        EXPECT_EQ(items[i]->isChecked(), i == 0);
    }
    EXPECT_TRUE(items[0]->actionGroup()->isExclusive());
}

TEST(MainWindowCharts, SeriesNamesColoursAndClearing) {
    Windows w;
    w.start();
    BarChart* c1 = w.form2->chart(1);
    BarChart* c2 = w.form2->chart(2);
    EXPECT_EQ(c1->chart()->title(), "Полезная информация");
    EXPECT_EQ(c2->chart()->title(), "Скорость передачи бит/с");
    EXPECT_EQ(c1->series(0)->objectName(), "Series1");
    EXPECT_EQ(c1->series(0)->label(), "Априорные");
    EXPECT_EQ(c1->series(1)->label(), "Апостериорные");
    EXPECT_EQ(c2->series(0)->objectName(), "Series3");
    EXPECT_EQ(c2->series(0)->label(), "Априорная");
    EXPECT_EQ(c2->series(1)->objectName(), "Series4");
    EXPECT_EQ(c2->series(1)->label(), "Апостериорная");
    EXPECT_EQ(c1->series(0)->color(), QColor(Qt::blue));
    EXPECT_EQ(c1->series(1)->color(), QColor(255, 128, 255));
    EXPECT_EQ(c2->series(1)->color(), QColor(255, 128, 255));
    EXPECT_EQ(c1->chart()->legend()->alignment(), Qt::AlignBottom);

    w.form2->Button1Click();
    for (BarChart* c : {c1, c2})
        for (int s : {0, 1}) EXPECT_EQ(c->bars(s), 1);
    w.find<QPushButton>("Button3")->click();
    for (BarChart* c : {c1, c2})
        for (int s : {0, 1}) EXPECT_EQ(c->bars(s), 0);
    EXPECT_EQ(w.text("Label10"), "1000");  // the labels stay
}

TEST(MainWindowActivation, LaterActivationsChangeNothing) {
    Windows w;
    w.start();
    w.grid1()->setCell(2, 1, "0,5");
    w.form2->N3Click();
    const Integer seed = w.st.seed1;
    w.form2->FormActivate();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w.form2.get(), &activate);
    EXPECT_EQ(w.grid1()->cell(2, 1), "0,5");
    EXPECT_EQ(w.st.coding_type, kHamming);
    EXPECT_EQ(w.st.seed1, seed);
}

TEST(MainWindowActivation, ActivationBeforeShowDoesTheSameOnce) {
    Windows w;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w.form2.get(), &activate);
    EXPECT_TRUE(w.form2->activated());
    EXPECT_EQ(w.st.seed1, 1000);
    w.start();
    EXPECT_EQ(w.st.seed1, 1000);
    EXPECT_EQ(w.grid1()->cell(0, 16), "P");
}

TEST(MainWindowClose, FreesTheHammingTables) {
    Windows w;
    w.start();
    w.form2->close();
    EXPECT_TRUE(w.st.p_m_x.empty());
    EXPECT_TRUE(w.st.pr_m_x.empty());
}

}  // namespace
}  // namespace tavolin::ui
