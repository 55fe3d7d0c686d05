// SPDX-License-Identifier: GPL-3.0-or-later
#include "translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kovra {

namespace {

// The translators this installs are the application's children by this name, so that a later
// call finds and replaces them.
constexpr char kTranslatorName[] = "kovra-translation";

bool install(QCoreApplication *app, const QLocale &locale, const QString &name,
             const QString &folder)
{
    auto *translator = new QTranslator(app);
    translator->setObjectName(QLatin1String(kTranslatorName));
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

} // namespace

bool installTranslation(const QLocale &locale)
{
    auto *app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    for (QTranslator *old : app->findChildren<QTranslator *>(QLatin1String(kTranslatorName),
                                                             Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    const QString ours = QStringLiteral(":/kovra/i18n");
    if (locale.language() != QLocale::Bulgarian) {
        // English: the source words, with the plural forms from the English translation.
        return install(app, QLocale(QLocale::English), QStringLiteral("kovra"), ours);
    }
    // Qt's own words (the system's reasons a file cannot be read or written, the standard
    // dialogs' buttons) where the system has Qt's Bulgarian translation.
    if (!install(app, locale, QStringLiteral("qtbase"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        // The copy built in, where the system has none.
        install(app, locale, QStringLiteral("qtbase"), QStringLiteral(":/kovra/qt"));
    }
    return install(app, locale, QStringLiteral("kovra"), ours);
}

StandardOptions addStandardOptions(QCommandLineParser &parser)
{
    StandardOptions options{
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                           QCoreApplication::translate("kovra", "Show this help.")),
        QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                           QCoreApplication::translate("kovra", "Show the version."))};
    parser.addOption(options.help);
    parser.addOption(options.version);
    return options;
}

} // namespace kovra
