// SPDX-License-Identifier: GPL-3.0-or-later
#include "builtin.h"

namespace kovra {

LoadResult loadBuiltInContent()
{
    return loadContentFolder(QString::fromLatin1(kBuiltInFolder));
}

} // namespace kovra
