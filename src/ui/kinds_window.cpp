// SPDX-License-Identifier: GPL-3.0-or-later
// Questions of the kinds but single choice in the window: several right answers ticked in check
// boxes where the option buttons stand, a typed answer or a number on a line, matching by
// drop-downs; each answer marked by its credit, the review showing it and the right answer.

#include "content/cp1251.h"
#include "content/test_content.h"
#include "content/textnum.h"
#include "run/random.h"
#include "ui/kind_panel.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace kovra {

namespace {

// Typing is kept once the pupil pauses: not a result file's write at every keystroke.
constexpr int kTypingPauseMs = 500;

// The panel covers the answer boxes and the frame of their buttons.
constexpr Twips kKindPanel{120, 1320, 10695, 1575};

} // namespace

void KOVRA_Prazno::buildKinds(QWidget *client)
{
    m_kindPanel = new KindPanel(client);
    m_kindPanel->setGeometry(toPixels(kKindPanel));
    m_kindPanel->hide();
    connect(m_kindPanel, &KindPanel::changed, this, [this] {
        KindAnswered(m_kindPanel->response());
        // Typing is told once the pupil pauses; a tick or a pick at once, as a click is.
        if (m_kindPanel->typing()) {
            m_typing->start();
        } else {
            m_typing->stop();
            Q_EMIT answered();
        }
    });
    connect(m_kindPanel->line(), &QLineEdit::returnPressed, this, [this] {
        if (Command1(0)->isVisible()) {
            Command1_Click(0);
        }
    });
    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(kTypingPauseMs);
    connect(m_typing, &QTimer::timeout, this, [this] { Q_EMIT answered(); });
    static const char *const kTicks[] = {"Отговор A", "Отговор B", "Отговор C", "Отговор D",
                                         "Отговор E"};
    for (int i = 0; i < 5; ++i) {
        m_tick[i] = new QCheckBox(QString::fromUtf8(kTicks[i]), m_frame1);
        m_tick[i]->setObjectName(QStringLiteral("Tick_%1").arg(i));
        setBackColor(m_tick[i], layout::kOptionColor);
        // The review disables the boxes; their captions stay readable on the marks, as the
        // option buttons' do.
        QPalette palette = m_tick[i]->palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(Qt::black));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(Qt::black));
        m_tick[i]->setPalette(palette);
        m_tick[i]->hide();
        connect(m_tick[i], &QCheckBox::clicked, this, [this] {
            KindAnswered(tickedResponse());
            Q_EMIT answered();
        });
    }
}

namespace {

// A question of several right answers with more choices than the five places: a panel of its own.
bool severalInPanel(const Question &question)
{
    return question.kind == QuestionKind::Several &&
           question.choices.size() > KOVRA_Danni::kMaxChoices;
}

} // namespace

// The choices ticked, in the order shown.
Response KOVRA_Prazno::tickedResponse() const
{
    Response response;
    for (int s = 0; s < 5; ++s) {
        if (!m_tick[s]->isHidden() && m_tick[s]->isChecked()) {
            response.picked << fromCp1251(Text2(s + 1)->text());
        }
    }
    return response;
}

void KOVRA_Prazno::answerAgain(int position, const Response &response)
{
    if (position < 0 || position >= m_state.QuestionCount) {
        return;
    }
    const int q = m_state.questionAt(position);
    const Question *question = kindAt(q);
    if (!question || m_evaluated || m_handedIn) {
        return;
    }
    m_state.CurrentPos = static_cast<std::int16_t>(position);
    ShowQuestion();
    // Given to the boxes the question shows, and read back from them as the pupil's answer is.
    if (question->kind == QuestionKind::Several && !severalInPanel(*question)) {
        for (int s = 0; s < 5; ++s) {
            m_tick[s]->setChecked(response.picked.contains(fromCp1251(Text2(s + 1)->text())));
        }
        KindAnswered(tickedResponse());
    } else {
        if (severalInPanel(*question)) {
            m_kindPanel->showTicks(m_offered.at(std::size_t(q)), response.picked);
        } else if (question->kind == QuestionKind::Matching) {
            m_kindPanel->showMatching(question->items, m_offered.at(std::size_t(q)),
                                      response.picked);
        } else {
            m_kindPanel->showTyped(response.typed, question->kind == QuestionKind::Number);
        }
        KindAnswered(m_kindPanel->response());
    }
    Q_EMIT answered();
}

const Question *KOVRA_Prazno::kindAt(int q) const
{
    if (!m_test || q < 0) {
        return nullptr;
    }
    const std::size_t index = m_drawn.empty()                   ? std::size_t(q)
                              : std::size_t(q) < m_drawn.size() ? std::size_t(m_drawn[q])
                                                                : m_test->questions.size();
    if (index >= m_test->questions.size() || m_test->questions[index].isSingle()) {
        return nullptr;
    }
    return &m_test->questions[index];
}

bool KOVRA_Prazno::hasKinds() const
{
    for (int q = 0; q < m_state.QuestionCount; ++q) {
        if (kindAt(q)) {
            return true;
        }
    }
    return false;
}

void KOVRA_Prazno::hideKinds()
{
    flushTyping();
    m_kindPanel->hide();
    for (QCheckBox *tick : m_tick) {
        tick->hide();
    }
}

void KOVRA_Prazno::flushTyping()
{
    if (m_typing->isActive()) {
        m_typing->stop();
        Q_EMIT answered();
    }
}

// The answer boxes and buttons a question of its kind shows, with the answer given so far.
void KOVRA_Prazno::ShowKindQuestion(int q, const Question &question)
{
    const int p = m_state.CurrentPos;
    const Response &response = m_responses.at(std::size_t(p));
    const TextList &rows = Danni().List1(q + 1);
    const QByteArray &order = m_state.List2(AnswerOrderList).list(q);
    const bool inSlots = question.kind == QuestionKind::Several && !severalInPanel(question);
    for (int s = 0; s < 5; ++s) {
        const bool shown = inSlots && s < rows.listCount() - 1;
        Option1(s)->hide();
        Text2(s + 1)->setVisible(shown);
        if (shown) {
            Text2(s + 1)->setText(rows.list(readIndex(order.mid(s, 1))));
            m_tick[s]->setGeometry(Option1(s)->geometry());
            m_tick[s]->setChecked(response.picked.contains(fromCp1251(Text2(s + 1)->text())));
            // Told to a screen reader with the choice it ticks, as an option button is.
            m_tick[s]->setAccessibleName(m_tick[s]->text() + QStringLiteral(": ") +
                                         fromCp1251(Text2(s + 1)->text()));
            m_tick[s]->setAccessibleDescription(QString());
        }
        m_tick[s]->setVisible(shown);
        m_tick[s]->setEnabled(!m_evaluated && !m_handedIn);
    }
    if (inSlots) {
        m_kindPanel->hide();
        return;
    }
    if (question.kind == QuestionKind::Several) {
        m_kindPanel->showTicks(m_offered.at(std::size_t(q)), response.picked);
    } else if (question.kind == QuestionKind::Matching) {
        m_kindPanel->showMatching(question.items, m_offered.at(std::size_t(q)), response.picked);
    } else {
        m_kindPanel->showTyped(response.typed, question.kind == QuestionKind::Number);
    }
    m_kindPanel->show();
    m_kindPanel->raise();
}

void KOVRA_Prazno::KindAnswered(const Response &response)
{
    const int p = m_state.CurrentPos;
    const Question *question = kindAt(m_state.questionAt(p));
    if (!question || m_evaluated || m_handedIn) {
        return;
    }
    const bool was = readNumber(m_state.List2(VerdictList).list(p)) != -1;
    const bool is = !response.isEmpty();
    m_responses.at(std::size_t(p)) = response;
    // A test for marks is marked by the teacher alone: the window gives no credit.
    m_credits.at(std::size_t(p)) = is && !m_forMarks ? creditOf(*question, response) : 0;
    m_state.AnsweredCount = std::int16_t(m_state.AnsweredCount + (is ? 1 : 0) - (was ? 1 : 0));
    m_state.List2(ChosenSlotList).setList(p, is ? "0" : "-1");
    m_state.List2(VerdictList).setList(p, !is ? "-1" : m_credits[std::size_t(p)] >= 1 ? "1" : "0");
    if (was != is) {
        UpdateStatus();
    }
    setBackColor(m_picture1, is ? layout::kGreen : layout::kRed);
}

// The review of a question of its kind: the answer as given, marked, then the right answer and
// the credit before the explanation.
void KOVRA_Prazno::ShowKindReview(int q, const Question &question)
{
    const int p = m_state.CurrentPos;
    ShowKindQuestion(q, question);
    const Response &response = m_responses.at(std::size_t(p));
    const double credit = m_credits.at(std::size_t(p));
    for (int s = 0; s < 5; ++s) {
        if (m_tick[s]->isVisible()) {
            const QString text = fromCp1251(Text2(s + 1)->text());
            const auto at = question.choices.indexOf(text);
            const bool right = at >= 0 && question.weights.at(std::size_t(at)) > 0;
            markTick(m_tick[s], right);
        }
    }
    if (question.kind != QuestionKind::Several || severalInPanel(question)) {
        m_kindPanel->showReview(question, response);
    }
    QString words = response.isEmpty() ? QStringLiteral("Няма въведен отговор!\r\n") : QString();
    // A number with the decimal comma the window's language writes.
    const QString right = question.kind == QuestionKind::Number
                              ? withDecimalComma(rightAnswerText(question))
                              : rightAnswerText(question);
    words += QStringLiteral("Верен отговор: ") + right + QStringLiteral("\r\n");
    words += QStringLiteral("Точки: %1 от 1\r\n")
                 .arg(QLocale(QLocale::Bulgarian).toString(credit, 'g', 3));
    QByteArray text = cp1251Row(words);
    if (!response.isEmpty() && Danni().flag(DescriptionRow) > 0) {
        const TextList &explanation = Danni().Obqsnenie(q + 1);
        for (int j = 1; j <= explanation.listCount(); ++j) {
            text += explanation.list(j - 1) + "\r\n";
        }
    }
    Text1(0)->setText(text);
}

// Each position's answer, empty; the answers a matching question offers, in an order of this
// run.
void KOVRA_Prazno::startKinds()
{
    const auto n = std::size_t(m_state.QuestionCount);
    m_responses.assign(n, {});
    m_credits.assign(n, 0);
    m_offered.assign(n, {});
    for (std::size_t q = 0; q < n; ++q) {
        if (const Question *question = kindAt(int(q));
            question && (question->kind == QuestionKind::Matching || severalInPanel(*question))) {
            QStringList offered = question->choices;
            for (qsizetype i = offered.size() - 1; i > 0; --i) {
                const auto j = qsizetype(m_random->next() * float(i + 1)) % (i + 1);
                offered.swapItemsAt(i, j);
            }
            m_offered[q] = offered;
        }
    }
}

std::vector<KindAnswer> KOVRA_Prazno::kindAnswers() const
{
    std::vector<KindAnswer> answers(m_responses.size());
    for (std::size_t p = 0; p < answers.size(); ++p) {
        const int q = m_state.questionAt(int(p));
        const Question *question = kindAt(q);
        if (!question) {
            continue;
        }
        KindAnswer &answer = answers[p];
        answer.kind = question->kind;
        answer.response = m_responses[p];
        answer.credit = m_credits[p];
        if (question->kind == QuestionKind::Matching || severalInPanel(*question)) {
            answer.shown = m_offered.at(std::size_t(q));
        } else if (question->kind == QuestionKind::Several) {
            const TextList &rows = m_danni->List1(q + 1);
            for (const char digit : m_state.List2(AnswerOrderList).list(q)) {
                answer.shown << fromCp1251(rows.list(digit - '0'));
            }
        }
    }
    return answers;
}

// The score of a test with questions of other kinds: their credits added up.
double KOVRA_Prazno::creditsAll() const
{
    double sum = 0;
    for (int p = 0; p < m_state.QuestionCount; ++p) {
        sum += kindAt(m_state.questionAt(p))                         ? m_credits.at(std::size_t(p))
               : readNumber(m_state.List2(VerdictList).list(p)) == 1 ? 1
                                                                     : 0;
    }
    return sum;
}

} // namespace kovra
