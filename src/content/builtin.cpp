#include "builtin.h"

namespace kovra {

LoadResult loadBuiltInContent()
{
    return loadContentFolder(QString::fromLatin1(kBuiltInFolder));
}

} // namespace kovra
