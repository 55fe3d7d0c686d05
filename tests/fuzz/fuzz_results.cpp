// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the result-file reader. Any bytes are refused with words, or read as a record
// within every limit that, written again with the same key, reads back as the same record with a
// checksum that holds, and sealed for a test for marks opens to the same bytes; bytes no seal
// made are refused by the opening of a seal. Nothing may crash, hang or leak.

#include "results/resultfile.h"
#include "results/seal.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace kovra;

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_results: %s\n", what);
        std::abort();
    }
}

bool within(const ResultRecord &record)
{
    if (record.answers.empty() || record.answers.size() > kMaxResultPositions ||
        record.name.size() > kMaxPupilNameChars || record.group.size() > kMaxPupilNameChars) {
        return false;
    }
    for (const ResultAnswer &answer : record.answers) {
        const auto choices = answer.choices.size();
        if (choices < 2 || choices > kMaxResultChoices ||
            (answer.chosen && (*answer.chosen < 0 || *answer.chosen >= choices)) ||
            (!answer.chosen && answer.verdict != Verdict::None)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

const SealKeys &keys()
{
    static const SealKeys made = makeSealKeys().value();
    return made;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)unsealWith(keys(), bytes); // any bytes: refused or opened, within the limit
    const ParsedResult parsed = parseResult(bytes);
    require(parsed.record.has_value() != parsed.problem.has_value(), "read and refused at once");
    if (parsed.problem) {
        require(!describe(*parsed.problem).isEmpty(), "a refusal without words");
        return 0;
    }
    require(within(*parsed.record), "a record beyond the limits");
    const QByteArray key("fuzz key");
    (void)checksumHolds(parsed, key);
    const ParsedResult again = parseResult(writeResult(*parsed.record, key));
    require(again.record && checksumHolds(again, key), "a written record does not read back");
    require(writeResult(*again.record, key) == writeResult(*parsed.record, key),
            "a record changes when written again");
    const std::optional<QByteArray> sealed = sealFor(keys().publicKey, bytes);
    require(sealed && unsealWith(keys(), *sealed) == bytes, "a sealed record does not open");
    return 0;
}
