// SPDX-License-Identifier: GPL-3.0-or-later
#include "player.h"

#include "run/random.h"
#include "ui/kovra_prazno.h"
#include "ui/look.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace kovra {

int runPlayer(LoadResult loaded)
{
    if (!loaded.content) {
        QStringList lines;
        for (const Problem &problem : loaded.problems) {
            lines << describe(problem);
        }
        const QString message = lines.join(QLatin1Char('\n'));
        std::fprintf(stderr, "kovra: the built-in test cannot be played:\n%s\n",
                     message.toUtf8().constData());
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
            QMessageBox::critical(nullptr, QStringLiteral("КОВРА"), message);
        }
        return 1;
    }
    QApplication::setFont(windowFont());
    KOVRA_Prazno window(std::move(*loaded.content), std::make_unique<ClockRandom>());
    window.show();
    return QApplication::exec();
}

} // namespace kovra
