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
#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <future>

namespace kovra {

namespace {

// The player's options, in the words of the installed translation.
struct PlayerOptions
{
    QCommandLineParser parser;
    StandardOptions standard = addStandardOptions(parser);
    bool parsed = false;

    explicit PlayerOptions(const QStringList &arguments)
    {
        parser.setApplicationDescription(
            QCoreApplication::translate("kovra", "Plays a multiple-choice test."));
        parser.addPositionalArgument(
            QCoreApplication::translate("kovra", "FILE"),
            QCoreApplication::translate("kovra",
                                        "A test file (.kovra); without it, the built-in test."),
            QCoreApplication::translate("kovra", "[FILE]"));
        parsed = parser.parse(arguments);
    }
    [[nodiscard]] bool wrong() const { return !parsed || parser.positionalArguments().size() > 1; }
};

} // namespace

PlayerCommand readCommandLine(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    {
        const PlayerOptions options(arguments);
        if (!options.wrong() && !options.parser.isSet(options.standard.help) &&
            !options.parser.isSet(options.standard.version)) {
            return {std::nullopt, options.parser.positionalArguments().value(0)};
        }
    }
    // The answer needs the program's name and its words, not a screen.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));
    installTranslation(QLocale::system());
    PlayerOptions options(arguments);
    QCommandLineParser &parser = options.parser;
    if (options.wrong()) {
        const QString error = options.parsed
                                  ? QCoreApplication::translate("kovra", "one test file at most")
                                  : parser.errorText();
        std::fprintf(stderr, "kovra: %s\n\n%s", error.toUtf8().constData(),
                     parser.helpText().toUtf8().constData());
        return {2, {}};
    }
    if (parser.isSet(options.standard.help)) {
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
    const QString details = described(QLocale(QLocale::Bulgarian)).join(QLatin1Char('\n'));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        // The pupil is told in plain words what to do; the details are for the teacher.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("КОВРА"),
                        source.isEmpty()
                            ? QStringLiteral("Вграденият тест е повреден и не може да се пусне.")
                            : QStringLiteral("Този тест не може да се използва:\n%1")
                                  .arg(QDir::toNativeSeparators(source)));
        box.setInformativeText((source.isEmpty()
                                    ? QStringLiteral("Инсталирайте програмата отново.")
                                    : QStringLiteral("Кажете на учителя си, че файлът с теста е "
                                                     "повреден или сбъркан. За учителя:")) +
                               QLatin1Char('\n') + details);
        box.exec();
    }
    return 1;
}

int play(KOVRA_Prazno &window, LoadResult loaded, const QString &source)
{
    if (!loaded.content) {
        return refuse(loaded.problems, source);
    }
    window.load(std::move(*loaded.content), std::move(loaded.pool));
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
    return play(window, loading.get(), command.file);
}

int runPlayer(LoadResult loaded)
{
    if (!loaded.content) {
        return refuse(loaded.problems, {});
    }
    QApplication::setFont(windowFont());
    KOVRA_Prazno window(std::make_unique<ClockRandom>());
    return play(window, std::move(loaded), {});
}

} // namespace kovra
