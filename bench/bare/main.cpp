// SPDX-License-Identifier: GPL-3.0-or-later
// The bare Qt program the player is measured against: an empty main window with one label.
// It reports the moment its window is exposed and exits.

#include "exposed.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kovra::bench::ExposeProbe probe(app);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("КОВРА"), &window));
    window.show();
    return QApplication::exec();
}
