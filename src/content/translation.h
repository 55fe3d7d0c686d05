// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the checker's and the import's words.
#pragma once

#include <QCommandLineOption>
#include <QLocale>

class QCommandLineParser;

namespace kovra {

// Installs the Bulgarian translation (ours and, where the system has it, Qt's own) on the
// application when the locale's language is Bulgarian, and the English one (its plural forms)
// otherwise, replacing what an earlier call installed. False when there is no application or
// our translation cannot be loaded.
bool installTranslation(const QLocale &locale);

// --help and --version, in the words of the installed translation.
struct StandardOptions
{
    QCommandLineOption help;
    QCommandLineOption version;
};
StandardOptions addStandardOptions(QCommandLineParser &parser);

} // namespace kovra
