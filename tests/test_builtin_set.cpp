// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry test built into the program: its shape, as the player and the authors rely on it.
#include "content/builtin.h"
#include "content/cp1251.h"
#include "content/danni.h"
#include "content/loader.h"

#include <QTest>
#include <algorithm>
#include <vector>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kQuestions = 20;
constexpr int kChoices = 4;

// The rows 1..c of a question list: its choices.
std::vector<QByteArray> choicesOf(const TextList &question)
{
    return {question.rows().begin() + 1, question.rows().end()};
}

} // namespace

class TestBuiltinSet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void loadsWithoutProblems();
    void questionCount();
    void settings_data();
    void settings();
    void note();
    void questions_data();
    void questions();
    void exactKeys_data();
    void exactKeys();
    void question17();
    void placeholders();

private:
    LoadResult m_result;
    const KOVRA_Danni *m_content = nullptr;
};

void TestBuiltinSet::initTestCase()
{
    m_result = loadBuiltInContent();
    for (const Problem &p : m_result.problems) {
        qWarning() << describe(p);
    }
    QVERIFY(m_result.content);
    m_content = &*m_result.content;
}

void TestBuiltinSet::loadsWithoutProblems()
{
    // Warnings too: look-alike choices and odd flag rows are faults of the shipped set.
    QCOMPARE(m_result.problems.size(), std::size_t(0));
}

void TestBuiltinSet::questionCount()
{
    QCOMPARE(m_content->List1(0).listCount(), kQuestions);
    QCOMPARE(m_content->List1(kQuestions + 1).listCount(), 1);
}

void TestBuiltinSet::settings_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flag"); // -1 for rows that are no flag

    QTest::newRow("header") << int(HeaderRow) << u"Настройки - последната цифра"_s << -1;
    QTest::newRow("phrase mode off") << int(PhraseModeRow) << u"ЧЕО - фраза от 2 части - 0"_s << 0;
    QTest::newRow("check question on") << int(TotoRow) << u"Проверка за Тото - 1"_s << 1;
    QTest::newRow("title") << int(TitleRow) << u"КОВРА по Геометрия - равнобедрен триъгълник"_s
                           << -1;
    QTest::newRow("description on") << int(DescriptionRow) << u"Дава описание - 1"_s << 1;
    QTest::newRow("review buttons off") << int(ExplanationsRow) << u"Дава обяснения - 0"_s << 0;
}

void TestBuiltinSet::settings()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(int, flag);
    QCOMPARE(m_content->List2().listCount(), KOVRA_Danni::kSettingsRows);
    QCOMPARE(fromCp1251(m_content->List2().list(row)), text);
    if (flag >= 0) {
        QCOMPARE(m_content->flag(row), flag);
    }
}

void TestBuiltinSet::note()
{
    const TextList &note = m_content->Text1(0);
    QCOMPARE(note.listCount(), 4);
    for (const QByteArray &line : note.rows()) {
        QVERIFY(!line.trimmed().isEmpty());
        const bool latin = std::ranges::all_of(
            line, [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
        QVERIFY2(latin, line.constData());
    }
}

void TestBuiltinSet::questions_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("explanationLines");
    QTest::addColumn<bool>("figure");

    const int lines[kQuestions] = {12, 9, 14, 7, 9, 10, 4, 4, 11, 16,
                                   10, 6, 5,  5, 7, 4,  4, 3, 1,  9};
    for (int q = 1; q <= kQuestions; ++q) {
        const bool figure = q != 8 && q != 17 && q != 18;
        QTest::addRow("question %d", q) << q << lines[q - 1] << figure;
    }
}

void TestBuiltinSet::questions()
{
    QFETCH(int, question);
    QFETCH(int, explanationLines);
    QFETCH(bool, figure);
    const TextList &list = m_content->List1(question);

    QCOMPARE(list.listCount(), 1 + kChoices);
    const QString text = fromCp1251(list.list(0));
    QVERIFY2(text.size() >= 61 && text.size() <= 210, qPrintable(text));

    // The key is short and equals exactly one choice, byte for byte.
    const QByteArray &key = m_content->List1(0).list(question - 1);
    QVERIFY(!key.isEmpty());
    QVERIFY2(fromCp1251(key).size() <= 12, key.constData());
    const std::vector<QByteArray> choices = choicesOf(list);
    QCOMPARE(std::ranges::count(choices, key), 1);

    const TextList &explanation = m_content->Obqsnenie(question);
    QCOMPARE(explanation.listCount(), explanationLines);
    for (const QByteArray &line : explanation.rows()) {
        QVERIFY(!line.trimmed().isEmpty());
    }

    const QImage &picture = m_content->Picture1(question);
    QCOMPARE(!picture.isNull(), figure);
    if (figure) {
        QVERIFY2(picture.width() >= 84 && picture.width() <= 209,
                 qPrintable(QString::number(picture.width())));
        QVERIFY2(picture.height() >= 96 && picture.height() <= 146,
                 qPrintable(QString::number(picture.height())));
    }
}

void TestBuiltinSet::exactKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("bare"); // the same text without its blank or semicolon
    QTest::newRow("leading blank") << u" 1 : 5"_s << u"1 : 5"_s;
    QTest::newRow("trailing semicolon") << u"90°;"_s << u"90°"_s;
}

void TestBuiltinSet::exactKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, bare);
    const QByteArray bytes = toCp1251(key).value_or(QByteArray());
    const std::vector<QByteArray> &keys = m_content->List1(0).rows();
    QCOMPARE(std::ranges::count(keys, bytes), 1);
    const int question = int(std::ranges::find(keys, bytes) - keys.begin()) + 1;
    const std::vector<QByteArray> choices = choicesOf(m_content->List1(question));
    QCOMPARE(std::ranges::count(choices, bytes), 1);
    // Without its blank or semicolon the text is no choice: only the exact text answers.
    const QByteArray bareBytes = toCp1251(bare).value_or(QByteArray());
    QCOMPARE(std::ranges::count(choices, bareBytes), 0);
}

void TestBuiltinSet::question17()
{
    const TextList &list = m_content->List1(17);
    QCOMPARE(list.list(0),
             w1251("Колко равнобедрени триъгълници имат външен ъгъл 140°?") + QByteArray(8, ' '));
    QCOMPARE(choicesOf(list), (std::vector<QByteArray>{"0", "1", "2", "3"}));
    QCOMPARE(m_content->List1(0).list(16), "2"_ba);
    QCOMPARE(m_content->Obqsnenie(17).listCount(), 4);
    QVERIFY(m_content->Picture1(17).isNull());
}

void TestBuiltinSet::placeholders()
{
    for (int k = kQuestions + 1; k < KOVRA_Danni::kQuestionLists; ++k) {
        const TextList &list = m_content->List1(k);
        QCOMPARE(list.listCount(), 1);
        QCOMPARE(fromCp1251(list.list(0)), u"List1(%1) - въпрос от теста"_s.arg(k));
    }
    QCOMPARE(m_content->Obqsnenie(0).listCount(), 1);
    QCOMPARE(fromCp1251(m_content->Obqsnenie(0).list(0)), u"Обяснение 0"_s);
    QVERIFY(m_content->Picture1(0).isNull());
    for (int k = kQuestions + 1; k < KOVRA_Danni::kFigureSlots; ++k) {
        const TextList &explanation = m_content->Obqsnenie(k);
        QCOMPARE(explanation.listCount(), 1);
        QCOMPARE(fromCp1251(explanation.list(0)), u"Обяснение %1"_s.arg(k));
        QVERIFY(m_content->Picture1(k).isNull());
    }
}

QTEST_GUILESS_MAIN(TestBuiltinSet)
#include "test_builtin_set.moc"
