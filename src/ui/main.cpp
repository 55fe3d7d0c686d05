// SPDX-License-Identifier: GPL-3.0-or-later
// The test player: loads the built-in content, runs the start-up and shows the window.

#include "content/player_set.h"
#include "ui/look.h"
#include "ui/player.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(kovra::createStyle());
    return kovra::runPlayer(kovra::loadPlayerContent());
}
