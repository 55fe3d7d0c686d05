// SPDX-License-Identifier: GPL-3.0-or-later
// KOVRA_Prazno, the program's one window: it owns the widgets, the run state and the
// content, and carries every handler and display procedure of a test run.
#pragma once

#include "content/danni.h"
#include "model/marking.h"
#include "model/test.h"
#include "run/run_state.h"
#include "twips.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QFrame;
class QTimer;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kovra {

class KindPanel;
class Label;
class RandomSource;
class TextBox;

class KOVRA_Prazno : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window without content: the start-up runs when load() gives it, so that a
    // test file can be read meanwhile.
    explicit KOVRA_Prazno(std::unique_ptr<RandomSource> random, QWidget *parent = nullptr);
    ~KOVRA_Prazno() override;

    // Takes the content and runs the start-up, once, before the window is shown; a test that
    // draws its questions from a bigger bank gives the bank, and the start-up draws the run.
    void load(KOVRA_Danni content, const std::optional<Test> &test = std::nullopt);
    // Before load(): the draws of the run come from `random` instead.
    void setRandom(std::unique_ptr<RandomSource> random);

    // Widgets by name and index.
    [[nodiscard]] TextBox *Text1(int index) const { return m_text1.at(index); }
    [[nodiscard]] TextBox *Text2(int index) const { return m_text2.at(index); }
    [[nodiscard]] Label *Label1(int index) const { return m_label1.at(index); }
    [[nodiscard]] QRadioButton *Option1(int index) const { return m_option1.at(index); }
    [[nodiscard]] QPushButton *Command1(int index) const { return m_command1.at(index); }
    [[nodiscard]] QPushButton *Command2(int index) const { return m_command2.at(index); }
    [[nodiscard]] QWidget *Shape1(int index) const { return m_shape1.at(index); }
    [[nodiscard]] QWidget *Shape2(int index) const { return m_shape2.at(index); }
    [[nodiscard]] QWidget *Picture1() const { return m_picture1; }
    [[nodiscard]] QLabel *Picture2() const { return m_picture2; }
    [[nodiscard]] QFrame *Frame1() const { return m_frame1; }
    [[nodiscard]] QAction *izhod(int index) const { return m_izhod.at(index); }
    [[nodiscard]] QAction *autor() const { return m_autor; }
    // Questions of the kinds but single choice: the check boxes of several right answers, the
    // panel of a typed answer and of matching, and each position's answer and credit.
    [[nodiscard]] QCheckBox *Tick(int index) const { return m_tick.at(index); }
    [[nodiscard]] KindPanel *kindPanel() const { return m_kindPanel; }
    [[nodiscard]] const Response &responseAt(int position) const
    {
        return m_responses.at(std::size_t(position));
    }
    [[nodiscard]] double creditAt(int position) const
    {
        return m_credits.at(std::size_t(position));
    }
    // By position: what each question of another kind shows and was answered with.
    [[nodiscard]] std::vector<KindAnswer> kindAnswers() const;
    // The question of another kind at a question index of the run; none for single choice.
    [[nodiscard]] const Question *kindAt(int q) const;

    // Geometry in twips, as the procedures set it.
    [[nodiscard]] const Twips &shape1Twips(int index) const { return m_shape1Twips.at(index); }
    [[nodiscard]] const Twips &shape2Twips(int index) const { return m_shape2Twips.at(index); }

    [[nodiscard]] const RunState &runState() const { return m_state; }
    // The content; none once Exit has released it.
    [[nodiscard]] const KOVRA_Danni *content() const { return m_danni ? &*m_danni : nullptr; }
    // For a test that draws its runs from a bank: the bank's index of each question of this run.
    [[nodiscard]] const std::vector<int> &drawnQuestions() const { return m_drawn; }

    // A test for marks: "Оценяване" and "Изход" ask handInAsked() and exitAsked() instead, and
    // the answers are handed in by handIn(), with no score and no review.
    void setForMarks() { m_forMarks = true; }
    [[nodiscard]] bool isForMarks() const { return m_forMarks; }
    // Ends answering for good, as the evaluation does, and says that the answers are handed in:
    // `why` is the first line of what the window says.
    void handIn(const QString &why);
    [[nodiscard]] bool handedIn() const { return m_handedIn; }
    // Chooses again the answers of a run that was stopped, by position, as the pupil chose them:
    // the slots of single choice, the responses of the other kinds; then shows the first
    // position without an answer.
    void chooseAgain(const std::vector<int> &slots, const std::vector<Response> &responses = {});
    // Gives a position of another kind the answer as the pupil gave it, as far as its question
    // offers it (the choices shown, the answers offered, a line's length): the counts, the
    // panel and answered() follow, as at the pupil's own answer. Nothing at single choice.
    void answerAgain(int position, const Response &response);
    // Ends the program, as "Изход" does after the answers are handed in.
    void exitNow() { izhod_Click(0); }

Q_SIGNALS:
    // After every Option1_Click, the pupil's or the program's, once the run state holds it.
    void answered();
    // After the evaluation has graded the run; in a test for marks, after the hand-in.
    void evaluated();
    // A test for marks, before its answers are handed in: "Оценяване" was pressed.
    void handInAsked();
    // The same: "Изход" was chosen or the window is being closed.
    void exitAsked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWidgets();
    void buildTexts(QWidget *client);
    void buildChoices();
    void buildButtons(QWidget *client);
    void buildPictures(QWidget *client);
    void setFocusOrder();
    void buildMenu();
    void buildKinds(QWidget *client);

    // Handlers.
    void Form_Load();
    void Option1_Click(int index);
    void Command1_Click(int index);
    void Command2_Click(int index);
    void autor_Click();
    void izhod_Click(int index);

    // Display procedures.
    void ShowQuestion();
    void UpdateStatus();
    void SelectCurrentRows();
    void ShowFigure(int q);
    void BuildPhrase();
    void ShowReview();
    void RunTotoCheck();
    void ShowKindQuestion(int q, const Question &question);
    void ShowKindReview(int q, const Question &question);
    void KindAnswered(const Response &response);
    [[nodiscard]] Response tickedResponse() const;
    void startKinds();
    void hideKinds();
    void flushTyping();
    [[nodiscard]] bool hasKinds() const;
    [[nodiscard]] double creditsAll() const;

    // Option buttons: selecting from the program raises Option1_Click, as a user's click does,
    // also when the button is disabled; clearing raises nothing.
    void selectOption(int slot);
    void clearOptions();

    void placeBar(QWidget *bar, Twips &twips, float left, float width);

    KOVRA_Danni &Danni();

    std::optional<KOVRA_Danni> m_danni;
    std::unique_ptr<RandomSource> m_random;
    std::vector<int> m_drawn; // the bank's index of each question, when drawn from a bank
    RunState m_state;

    std::array<TextBox *, 2> m_text1{};
    std::array<TextBox *, 7> m_text2{};
    std::array<Label *, 5> m_label1{};
    std::array<QRadioButton *, 5> m_option1{};
    std::array<QPushButton *, 2> m_command1{};
    std::array<QPushButton *, 3> m_command2{};
    std::array<QWidget *, 2> m_shape1{};
    std::array<QWidget *, 2> m_shape2{};
    std::array<Twips, 2> m_shape1Twips{};
    std::array<Twips, 2> m_shape2Twips{};
    std::array<QAction *, 1> m_izhod{};
    QAction *m_autor = nullptr;
    QWidget *m_picture1 = nullptr;
    QLabel *m_picture2 = nullptr;
    QFrame *m_frame1 = nullptr;
    std::optional<Test> m_test; // the test, when it holds questions of other kinds
    KindPanel *m_kindPanel = nullptr;
    std::array<QCheckBox *, 5> m_tick{};
    QTimer *m_typing = nullptr;
    std::vector<Response> m_responses;  // by position
    std::vector<double> m_credits;      // by position
    std::vector<QStringList> m_offered; // by question index: matching's answers, as shown
    bool m_evaluated = false;
    bool m_exiting = false;
    bool m_forMarks = false;
    bool m_handedIn = false;
};

// The web address of the program, in the title and the About line.
inline constexpr char kWebAddress[] = "www.kovra.example";

} // namespace kovra
