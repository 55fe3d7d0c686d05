// SPDX-License-Identifier: GPL-3.0-or-later
#include "player.h"

#include "content/player_set.h"
#include "content/translation.h"
#include "run/random.h"
#include "testfile/testfile.h"
#include "ui/kovra_prazno.h"
#include "ui/look.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstdio>
#include <future>

namespace kovra {

PlayerCommand readCommandLine(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays a multiple-choice test."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A test file (.kovra); without it, the built-in "
                                                "test."),
                                 QStringLiteral("[FILE]"));
    const bool parsed = parser.parse(arguments);
    const bool wrong = !parsed || parser.positionalArguments().size() > 1;
    if (!wrong && !parser.isSet(help) && !parser.isSet(version)) {
        return {std::nullopt, parser.positionalArguments().value(0)};
    }
    // The answer needs the program's name, not a screen.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));
    if (wrong) {
        const QString error = parsed ? QStringLiteral("one test file at most") : parser.errorText();
        std::fprintf(stderr, "kovra: %s\n\n%s", error.toUtf8().constData(),
                     parser.helpText().toUtf8().constData());
        return {2, {}};
    }
    if (parser.isSet(help)) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
    } else {
        std::printf("kovra %s\n", KOVRA_VERSION);
    }
    return {0, {}};
}

namespace {

// Reports why the test cannot be played: on standard error as the checker words it, in the
// language of the locale, and in a message box in the program's language, whatever the locale.
// `source` names the test file; empty, the built-in test. Returns the exit status.
int refuse(const Problems &problems, const QString &source)
{
    const auto described = [&problems](const QLocale &language) {
        installTranslation(language);
        QStringList lines;
        for (const Problem &problem : problems) {
            lines << describe(problem);
        }
        return lines;
    };
    const QString name = source.isEmpty() ? QStringLiteral("built-in set") : source;
    for (const QString &line : described(QLocale::system())) {
        std::fprintf(stderr, "kovra: %s: %s\n", name.toUtf8().constData(),
                     line.toUtf8().constData());
    }
    const QString message = described(QLocale(QLocale::Bulgarian)).join(QLatin1Char('\n'));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        const QString heading =
            source.isEmpty() ? QStringLiteral("Вграденият тест не може да се пусне:")
                             : QStringLiteral("Тестът „%1“ не може да се пусне:").arg(source);
        QMessageBox::critical(nullptr, QStringLiteral("КОВРА"),
                              heading + QLatin1Char('\n') + message);
    }
    return 1;
}

int play(KOVRA_Prazno &window)
{
    window.show();
    return QApplication::exec();
}

} // namespace

int startPlayer(const PlayerCommand &command)
{
    if (command.file.isEmpty()) {
        return runPlayer(loadPlayerContent());
    }
    // Reading a test file, and decoding its figures above all, takes as long as building the
    // window: the file is read and checked on another core meanwhile, and the window is shown
    // only once the whole test has passed.
    std::future<LoadResult> loading =
        std::async(std::launch::async, [file = command.file] { return loadTestFile(file); });
    QApplication::setFont(windowFont());
    KOVRA_Prazno window(std::make_unique<ClockRandom>());
    LoadResult loaded = loading.get();
    if (!loaded.content) {
        return refuse(loaded.problems, command.file);
    }
    window.load(std::move(*loaded.content), std::move(loaded.pool));
    return play(window);
}

int runPlayer(LoadResult loaded)
{
    if (!loaded.content) {
        return refuse(loaded.problems, {});
    }
    QApplication::setFont(windowFont());
    KOVRA_Prazno window(std::move(*loaded.content), std::make_unique<ClockRandom>());
    return play(window);
}

} // namespace kovra
