// The test player: loads the built-in content, runs the start-up and shows the window.

#include "content/builtin.h"
#include "run/random.h"
#include "ui/kovra_prazno.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kovra::LoadResult loaded = kovra::loadBuiltInContent();
    if (!loaded.content) {
        QStringList lines;
        for (const kovra::Problem &problem : loaded.problems) {
            lines << kovra::describe(problem);
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
    kovra::KOVRA_Prazno window(std::move(*loaded.content), std::make_unique<kovra::ClockRandom>());
    window.show();
    return QApplication::exec();
}
