// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the question-bank import. The first byte of an input chooses the format
// (GIFT, Aiken, Moodle XML, CSV, or told by the content) and the flags; the rest is the bank
// file. Every bank must either become a
// content file that the content check reads, with a source line for each question, or be refused
// with errors that name a line; nothing may crash, hang or leak.

#include "content/loader.h"
#include "content/problems.h"
#include "import/import.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace kovra;

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_import: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[0];
    const std::optional<BankFormat> formats[] = {
        BankFormat::Gift, BankFormat::Aiken, BankFormat::MoodleXml, BankFormat::Csv, std::nullopt};
    const std::optional<BankFormat> format = formats[(choice & 0x0F) % 5];
    ImportOptions options;
    options.toto = (choice & 0x10) != 0;
    options.phrase = (choice & 0x20) != 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    // No figure file exists beside a bank in a folder that does not exist.
    const Imported imported =
        importQuestionBank(QStringLiteral("/nonexistent/bank"), bytes, options, format);
    for (const Problem &problem : imported.problems) {
        require(problem.severity == Severity::Warning || problem.line > 0 ||
                    problem.kind == ProblemKind::BankTooLarge ||
                    problem.kind == ProblemKind::BankFormat ||
                    problem.kind == ProblemKind::NotKept, // the count of those not kept
                "an import error without its line");
        require(!describe(problem).isEmpty(), "a problem without words");
    }
    require(imported.test.has_value() != hasErrors(imported.problems),
            "a content file with errors, or none without");
    if (imported.test) {
        require(!imported.questionLines.empty(), "questions without their lines");
        LoadResult result = loadTest(*imported.test);
        attachSourceLines(result.problems, imported);
        for (const Problem &problem : result.problems) {
            require(problem.question == 0 || problem.line > 0, "a question's problem without line");
        }
    }
    return 0;
}
