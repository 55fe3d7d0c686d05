// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the content loader, the test-file reader and the packed-set reader. Every
// input (framed as in framing.h, or whole as a test file) must either load as a set the player
// can run, with every limit the player relies on, or be refused with at least one error told
// in words; nothing may crash, hang or leak.

#include "content/dump.h"
#include "content/loader.h"
#include "content/packed.h"
#include "content/problems.h"
#include "framing.h"
#include "run/random.h"
#include "run/startup.h"
#include "teacher/document.h"
#include "testfile/testfile.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace kovra;

[[noreturn]] void fail(const char *what, int question = 0)
{
    std::fprintf(stderr, "fuzz_loader: %s (question %d)\n", what, question);
    std::abort();
}

void require(bool condition, const char *what, int question = 0)
{
    if (!condition) {
        fail(what, question);
    }
}

// Every problem, error or warning, is one line of words naming its place.
void checkProblems(const Problems &problems)
{
    for (const Problem &problem : problems) {
        const QString text = describe(problem);
        const QString level = problem.severity == Severity::Error ? QStringLiteral("error: ")
                                                                  : QStringLiteral("warning: ");
        require(text.startsWith(level), "a problem without its level", problem.question);
        // "level: place words"; no words leave the line ending in the blank before them.
        require(text.size() > level.size() && !text.endsWith(QLatin1Char(' ')),
                "a problem without words", problem.question);
        // Texts from the input are shown in it with their control characters escaped.
        for (const QChar ch : text) {
            const QChar::Category category = ch.category();
            require(category != QChar::Other_Control && category != QChar::Separator_Line &&
                        category != QChar::Separator_Paragraph,
                    "a problem that is not one printable line", problem.question);
        }
    }
}

// The limits of a set the player can run.
void checkSet(const KOVRA_Danni &content)
{
    require(content.List2().listCount() == KOVRA_Danni::kSettingsRows, "settings rows");
    const bool check = content.flag(TotoRow) == 1;
    const bool phrase = content.flag(PhraseModeRow) == 1;
    const int n = content.List1(0).listCount();
    require(check ? n >= 2 && n <= 28 : n >= 3 && n <= 29, "question count");
    for (int k = 1; k <= n; ++k) {
        const TextList &question = content.List1(k);
        const int c = question.listCount() - 1;
        require(c >= KOVRA_Danni::kMinChoices && c <= KOVRA_Danni::kMaxChoices, "choice count", k);
        const QByteArray &key = content.List1(0).list(k - 1);
        const auto matches = std::count(question.rows().begin() + 1, question.rows().end(), key);
        require(matches == 1, "the key does not equal exactly one choice", k);
        require(!phrase || question.list(0).contains('_'), "no blank in phrase mode", k);
        for (const QByteArray &row : question.rows()) {
            require(!row.contains('\n') && !row.contains('\r'), "a line break in a question", k);
        }
        require(content.Obqsnenie(k).listCount() >= 1, "no explanation", k);
    }
    require(content.Obqsnenie(0).listCount() >= 1 && content.Picture1(0).isNull(), "slot 0");
    // The slot the check question takes, and the placeholders after the last question.
    for (int k = n + 1; k < KOVRA_Danni::kQuestionLists; ++k) {
        require(content.List1(k).listCount() >= 1, "an empty spare slot", k);
    }
}

// The start-up on the loaded set: the check question, the step and every answer order. Any
// limit the loader let through wrongly ends here in an exception or a sanitizer report.
void startUp(KOVRA_Danni content, unsigned seed)
{
    RunState state;
    ClockRandom random(seed);
    startRun(content, state, random);
    const int n = state.QuestionCount;
    require(n >= 3 && n < KOVRA_Danni::kFigureSlots, "run length");
    for (int p = 0; p < n; ++p) {
        const int q = state.questionAt(p);
        require(q >= 0 && q < n, "question order", p);
        const int c = content.List1(q + 1).listCount() - 1;
        require(state.List2(AnswerOrderList).list(q).size() == c, "answer order", q + 1);
        require(content.Obqsnenie(q + 1).listCount() >= 1, "explanation of a run question", q + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The program loads its content with the application object alive; image plugins too.
    static QCoreApplication app(*argc, *argv);
    // The image decoders' complaints about broken figures would drown the fuzzer's report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // Any bytes given to the packed-set reader are read whole or refused.
    (void)unpackContent(bytes);
    // Any bytes given as a test file are refused with words, or hold a set checked in full.
    const TestFilesResult archive = readTestArchive(bytes);
    checkProblems(archive.problems);
    if (archive.files) {
        const LoadResult played =
            loadContent(archive.files->json, archive.files->figures, archive.files->source);
        checkProblems(played.problems);
        if (played.content) {
            checkSet(*played.content);
        }
    } else {
        require(hasErrors(archive.problems), "a test file refused without an error");
    }
    fuzz::Input input = fuzz::splitInput(bytes);
    fuzz::FigureChunks figures(std::move(input.figures));
    const LoadResult result =
        loadContent(input.json, [&figures](const QString &name) { return figures(name); });
    checkProblems(result.problems);
    if (result.content) {
        require(!hasErrors(result.problems), "a set loaded in spite of errors");
        checkSet(*result.content);
        // The packed form the player reads holds the same set.
        const std::optional<KOVRA_Danni> unpacked = unpackContent(packContent(*result.content));
        require(unpacked && dumpContent(*unpacked) == dumpContent(*result.content),
                "the packed set differs");
        startUp(*result.content, static_cast<unsigned>(qHash(bytes)));
        // The teacher's window opens the set and writes it back as the same test (a flag row
        // that ends in neither digit gets one).
        const bool flagsBinary =
            std::none_of(result.problems.begin(), result.problems.end(),
                         [](const Problem &p) { return p.kind == ProblemKind::FlagNotBinary; });
        const OpenedTest opened =
            testFromFiles({input.json, [&figures](const QString &name) { return figures(name); }});
        require(opened.data.has_value(), "a set the teacher's window cannot open");
        const TestFiles written = filesOf(*opened.data);
        const LoadResult again = loadContent(written.json, written.figures);
        require(!flagsBinary ||
                    (again.content && dumpContent(*again.content) == dumpContent(*result.content)),
                "the teacher's window changes the test");
    } else {
        require(hasErrors(result.problems), "a set refused without an error");
    }
    return 0;
}
