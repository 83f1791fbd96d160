// SPDX-License-Identifier: GPL-3.0-or-later
// tavolin: the window. Any command-line argument means "import the alphabet file at start".
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <chrono>
#include <cstdio>

#include "channel/lanes/kernels.h"
#include "ui/dialogs.h"
#include "ui/main/main_window.h"
#include "ui/matrix/matrix_window.h"
#include "ui/regional.h"

namespace {

// Tahoma metrics where the machine has the font (Wine's, on Debian), else the platform's sans.
void use_window_font() {
    const char* tahoma = "/usr/share/wine/fonts/tahoma.ttf";
    if (QFile::exists(tahoma) && QFontDatabase::addApplicationFont(tahoma) >= 0) {
        QApplication::setFont(QFont("Tahoma", 8));
        return;
    }
    QFont sans = QApplication::font();
    sans.setPointSize(8);
    QApplication::setFont(sans);
}

// The low 32 bits of a high-resolution counter.
tavolin::Integer clock_reading() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<tavolin::Integer>(static_cast<std::uint32_t>(ticks));
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto refused = tavolin::use_lanes_from_environment()) {
        std::fprintf(stderr, "%s\n", refused->c_str());
        return 2;
    }
    QApplication app(argc, argv);
    // The installed desktop entry's name: Wayland shells match the window to it by this id.
    QGuiApplication::setDesktopFileName("io.github.tavolin.Tavolin");
    use_window_font();
    tavolin::SimState state;
    tavolin::ui::QtDialogs dialogs;
    tavolin::ui::TForm9 form9(tavolin::ui::regional_separator());
    tavolin::ui::TForm2 form2(state, form9, dialogs, clock_reading, argc > 1);
    form2.show();
    return QApplication::exec();
}
