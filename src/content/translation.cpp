// SPDX-License-Identifier: GPL-3.0-or-later
#include "translation.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

namespace kovra {

bool installTranslation(const QLocale &locale)
{
    auto *app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    // One translator, owned by the application, replaced at each call.
    static QTranslator *installed = nullptr;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (locale.language() != QLocale::Bulgarian) {
        return true;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/kovra/i18n/kovra_bg.qm")) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return false;
    }
    installed = translator.release();
    return true;
}

} // namespace kovra
