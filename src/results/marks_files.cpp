// SPDX-License-Identifier: GPL-3.0-or-later
#include "marks_files.h"

#include "model/test.h"
#include "seal.h"
#include "testfile/testfile.h"

#include <QDir>
#include <QFileInfo>

namespace kovra {

QString pupilsCopyPath(const QString &teachersTest, int timePercent)
{
    const QFileInfo info(teachersTest);
    QString name = info.completeBaseName() + QStringLiteral(" – за учениците");
    if (timePercent > 100) {
        QString factor = QString::number(timePercent / 100.0, 'g', 3);
        factor.replace(QLatin1Char('.'), QLatin1Char(','));
        name += QStringLiteral(", време ×") + factor;
    }
    return info.dir().filePath(name + QLatin1Char('.') + QLatin1String(kTestFileSuffix));
}

bool makeKeysOnce(Test &test)
{
    if (!test.forMarks || !test.forMarks->publicKey.isEmpty()) {
        return true;
    }
    const std::optional<SealKeys> keys = makeSealKeys();
    if (!keys) {
        return false;
    }
    test.forMarks->publicKey = keys->publicKey;
    test.forMarks->secretKey = keys->secretKey;
    return true;
}

Problems writeTestForMarks(const Test &test, const QString &teachersTest,
                           const std::vector<int> &timePercents)
{
    const WrittenTest teachers = makeTestArchive(test);
    if (!teachers.archive) {
        return teachers.checked.problems;
    }
    if (Problems failed = saveFile(teachersTest, *teachers.archive); !failed.empty()) {
        return failed;
    }
    return writePupilsCopies(test, teachersTest, timePercents);
}

Problems writePupilsCopies(const Test &test, const QString &teachersTest,
                           const std::vector<int> &timePercents)
{
    for (const int percent : timePercents) {
        const WrittenTest copy = makeTestArchive(pupilsCopy(test, percent));
        if (!copy.archive) {
            return copy.checked.problems;
        }
        if (Problems failed = saveFile(pupilsCopyPath(teachersTest, percent), *copy.archive);
            !failed.empty()) {
            return failed;
        }
    }
    return {};
}

} // namespace kovra
