// SPDX-License-Identifier: GPL-3.0-or-later
// The test player: plays the built-in test, or the test file named on the command line.

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
    QApplication::setStyle(kovra::createStyle());
    return kovra::startPlayer(command);
}
