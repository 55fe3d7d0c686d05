// SPDX-License-Identifier: GPL-3.0-or-later
// KOVRA_Danni, the content data set: the test itself.
#pragma once

#include "textlist.h"

#include <QImage>
#include <array>

namespace kovra {

class KOVRA_Danni
{
public:
    static constexpr int kQuestionLists = 40; // List1(0..39): the key and question slots
    static constexpr int kFigureSlots = 30;   // Obqsnenie(0..29) and Picture1(0..29)
    static constexpr int kMinChoices = 2;
    static constexpr int kMaxChoices = 5;
    static constexpr int kSettingsRows = 6;

    KOVRA_Danni();

    // List1(0) is the answer key, List1(k) question k: row 0 its text, rows 1..c its choices.
    [[nodiscard]] TextList &List1(int k) { return m_list1.at(static_cast<std::size_t>(k)); }
    [[nodiscard]] const TextList &List1(int k) const
    {
        return m_list1.at(static_cast<std::size_t>(k));
    }
    // All c! orderings of the digits 1..c in ascending order, for c = 2..5.
    [[nodiscard]] const TextList &Poredica(int c) const;
    [[nodiscard]] TextList &Obqsnenie(int k) { return m_obqsnenie.at(static_cast<std::size_t>(k)); }
    [[nodiscard]] const TextList &Obqsnenie(int k) const
    {
        return m_obqsnenie.at(static_cast<std::size_t>(k));
    }
    // A null image means the question has no figure. A figure set as the bytes of its file
    // (setPicture1File) is decoded the first time it is read, here or through a copy.
    [[nodiscard]] QImage &Picture1(int k);
    [[nodiscard]] const QImage &Picture1(int k) const;
    // Slot k takes the figure in these bytes of an image file, which the caller has found
    // decodable in the given format (none: the content tells); until it is read, it is held
    // as those bytes.
    void setPicture1File(int k, QByteArray file, QByteArray format = {});
    // The file slot k's figure was set from, kept once it is decoded for reading alone: paper
    // takes the figure from it at the size it is stored. Empty when the figure was set as
    // pixels, or once it was taken for writing (Picture1(k) without const).
    [[nodiscard]] const QByteArray &Picture1File(int k) const;
    [[nodiscard]] const QByteArray &Picture1Format(int k) const;
    // Whether slot k has a figure, decoded or not (none decodes it).
    [[nodiscard]] bool hasPicture1(int k) const;
    // Slot `to` takes the figure of slot `from`, decoded or not.
    void copyPicture1(int to, int from);
    // The six settings rows.
    [[nodiscard]] TextList &List2() { return m_settings; }
    [[nodiscard]] const TextList &List2() const { return m_settings; }
    // The author's note, one row a line; never read by the player.
    [[nodiscard]] TextList &Text1(int index) { return m_note.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] const TextList &Text1(int index) const
    {
        return m_note.at(static_cast<std::size_t>(index));
    }

    // The flag digit of a settings row.
    [[nodiscard]] int flag(int settingsRow) const;

private:
    std::array<TextList, kQuestionLists> m_list1;
    std::array<TextList, kMaxChoices + 1> m_poredica;
    std::array<TextList, kFigureSlots> m_obqsnenie;
    // A figure is decoded on first read: the start-up shows one, each further one waits for
    // its question.
    mutable std::array<QImage, kFigureSlots> m_picture1;
    struct FigureFile
    {
        QByteArray bytes;
        QByteArray format;
        bool decoded = false; // into m_picture1
    };
    mutable std::array<FigureFile, kFigureSlots> m_picture1File;
    TextList m_settings;
    std::array<TextList, 1> m_note;
};

// How many questions a test may have. A run needs at least 3 questions for its question order;
// the figure and explanation slots end at 29, and the check question, when question 1 is asked
// again, takes the slot after the last question.
struct QuestionRange
{
    int least;
    int most;
};
[[nodiscard]] constexpr QuestionRange questionRange(bool askedAgain)
{
    return askedAgain ? QuestionRange{2, KOVRA_Danni::kFigureSlots - 2}
                      : QuestionRange{3, KOVRA_Danni::kFigureSlots - 1};
}

// Names of the settings rows, by their place in List2.
enum SettingsRow : int
{
    HeaderRow = 0,
    PhraseModeRow = 1,
    TotoRow = 2,
    TitleRow = 3,
    DescriptionRow = 4,
    ExplanationsRow = 5,
};

} // namespace kovra
