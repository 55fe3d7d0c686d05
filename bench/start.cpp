// SPDX-License-Identifier: GPL-3.0-or-later
// The player's start-up as the program does it (src/ui/main.cpp), with the expose probe of
// the bare program: it reports the moment the window is exposed and exits. A test file named
// on the command line is played as the program plays it.

#include "exposed.h"
#include "ui/look.h"
#include "ui/player.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const kovra::PlayerCommand command = kovra::readCommandLine(argc, argv);
    if (command.answered) {
        return *command.answered;
    }
    QApplication app(argc, argv);
    kovra::bench::ExposeProbe probe(app);
    QApplication::setStyle(kovra::createStyle());
    return kovra::startPlayer(command);
}
