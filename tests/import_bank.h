// SPDX-License-Identifier: GPL-3.0-or-later
// A question bank written to a file and read as the checker reads it, for the import's tests.
#pragma once

#include "content/cp1251.h"
#include "content/dump.h"
#include "import/import.h"

#include <QImage>
#include <QTemporaryDir>

namespace import_bank {

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

struct Outcome
{
    QStringList dump;  // the dump's lines; empty when the set has errors
    Problems problems; // the import's and the content check's
    int imported = 0;  // the questions the import counts as imported, and as skipped
    int skipped = 0;
};

// The bank written (fig.png beside it), read as the checker does; flags: toto, phrase, title=T.
inline Outcome importBank(const QString &file, const QByteArray &bytes,
                          const QStringList &flags = {})
{
    QTemporaryDir dir;
    QImage(8, 6, QImage::Format_RGB32).save(dir.filePath(u"fig.png"_s));
    QFile out(dir.filePath(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        qFatal("cannot write the bank");
    }
    out.close();
    ImportOptions options;
    options.toto = flags.contains(u"toto"_s);
    options.phrase = flags.contains(u"phrase"_s);
    for (const QString &flag : flags) {
        if (flag.startsWith(u"title="_s)) {
            options.title = flag.mid(6);
        }
        if (flag.startsWith(u"draw="_s)) {
            options.draw = flag.mid(5).toInt();
        }
    }
    Imported imported = importQuestionBank(out.fileName(), options);
    Outcome outcome{{}, imported.problems, imported.imported, imported.skipped};
    if (imported.test) {
        LoadResult result = loadTest(*imported.test);
        attachSourceLines(result.problems, imported);
        outcome.problems.insert(outcome.problems.end(), result.problems.begin(),
                                result.problems.end());
        if (result.content) {
            outcome.dump =
                QString::fromUtf8(dumpContent(*result.content, &*result.test)).split(u'\n');
        }
    }
    return outcome;
}

inline QByteArray cp1251(const char *utf8)
{
    return toCp1251(QString::fromUtf8(utf8)).value();
}

} // namespace import_bank
