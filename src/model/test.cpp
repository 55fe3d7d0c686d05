// SPDX-License-Identifier: GPL-3.0-or-later
#include "test.h"

namespace kovra {

QStringList defaultSettingsWords()
{
    return {QStringLiteral("Настройки - последната цифра"),
            QStringLiteral("ЧЕО - фраза от 2 части - "),
            QStringLiteral("Проверка за Тото - "),
            QString(),
            QStringLiteral("Дава описание - "),
            QStringLiteral("Дава обяснения - ")};
}

} // namespace kovra
