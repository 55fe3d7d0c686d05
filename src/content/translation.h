// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the checker's and the import's words.
#pragma once

#include <QLocale>

namespace kovra {

// Installs the Bulgarian translation on the application when the locale's language is
// Bulgarian, and takes it off otherwise (the words are English then). False when there is no
// application or the translation cannot be loaded.
bool installTranslation(const QLocale &locale);

} // namespace kovra
