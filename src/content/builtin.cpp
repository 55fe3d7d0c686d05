#include "builtin.h"

namespace kovra {

LoadResult loadBuiltInContent(FigureCheck check)
{
    return loadContentFolder(QString::fromLatin1(kBuiltInFolder), check);
}

} // namespace kovra
