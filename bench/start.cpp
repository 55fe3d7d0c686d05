// SPDX-License-Identifier: GPL-3.0-or-later
// The player's start-up as the program does it (src/ui/main.cpp), with the expose probe of
// the bare program: it reports the moment the window is exposed and exits.

#include "content/player_set.h"
#include "exposed.h"
#include "ui/look.h"
#include "ui/player.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kovra::bench::ExposeProbe probe(app);
    QApplication::setStyle(kovra::createStyle());
    return kovra::runPlayer(kovra::loadPlayerContent());
}
