// SPDX-License-Identifier: GPL-3.0-or-later
#include "kovra_prazno.h"

#include "answer_row.h"
#include "assistance.h"
#include "content/cp1251.h"
#include "figure_view.h"
#include "layout.h"
#include "look.h"
#include "present/bars.h"
#include "run/draw.h"
#include "run/random.h"
#include "run/startup.h"
#include "widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <array>

namespace kovra {

namespace {

template <std::size_t N> QByteArray joinLines(const char *const (&lines)[N])
{
    QByteArray text;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += w1251(lines[i]);
    }
    return text;
}

// The window icon in its four sizes, read from the files when it is first asked for: a
// window system that shows the icon asks for its sizes and pixmaps when the window appears,
// one that shows none never pays for decoding the files.
QIcon programIcon()
{
    return deferredIcon([] {
        QIcon icon;
        for (const int size : {16, 32, 48, 256}) {
            icon.addFile(QStringLiteral(":/kovra/icons/kovra-%1.png").arg(size), QSize(size, size));
        }
        return icon;
    });
}

template <typename W> W *placed(W *widget, const Twips &twips)
{
    widget->setGeometry(toPixels(twips));
    return widget;
}

} // namespace

KOVRA_Prazno::KOVRA_Prazno(std::unique_ptr<RandomSource> random, QWidget *parent)
    : QMainWindow(parent), m_random(std::move(random))
{
    setWindowTitle(QString::fromLatin1(kWebAddress) + QStringLiteral("    КОВРА - Ковранит"));
    setWindowIcon(programIcon());
    setFont(windowFont());
    buildMenu();
    buildWidgets();
    installAnswerRow(*this);
    installFigureView(*this);
    installAccessibility(*this);
    installKeyboard(*this);
}

void KOVRA_Prazno::load(KOVRA_Danni content, const std::optional<Test> &test)
{
    Q_ASSERT(!m_danni);
    m_danni = std::move(content);
    if (test && test->draw > 0) {
        m_drawn = drawRun(*test, Danni(), *m_random);
    }
    if (test && std::any_of(test->questions.begin(), test->questions.end(),
                            [](const Question &question) { return !question.isSingle(); })) {
        m_test = test;
    }
    Form_Load();
}

KOVRA_Prazno::~KOVRA_Prazno() = default;

void KOVRA_Prazno::setRandom(std::unique_ptr<RandomSource> random)
{
    Q_ASSERT(!m_danni);
    m_random = std::move(random);
}

KOVRA_Danni &KOVRA_Prazno::Danni()
{
    return m_danni.value();
}

void KOVRA_Prazno::buildMenu()
{
    QMenuBar *bar = menuBar();
    m_izhod[0] = bar->addAction(QStringLiteral("Изход"));
    m_izhod[0]->setObjectName(QStringLiteral("izhod_0"));
    connect(m_izhod[0], &QAction::triggered, this, [this] { izhod_Click(0); });
    m_autor = bar->addAction(QStringLiteral("Автор"));
    m_autor->setObjectName(QStringLiteral("autor"));
    connect(m_autor, &QAction::triggered, this, &KOVRA_Prazno::autor_Click);
}

void KOVRA_Prazno::buildWidgets()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(toPixels({0, 0, layout::kClientWidth, layout::kClientHeight}).size());
    setBackColor(client, layout::kWindowColor);
    setCentralWidget(client);
    // In design order: a widget made later is drawn over one made before.
    buildTexts(client);
    buildChoices();
    buildButtons(client);
    buildPictures(client);
    buildKinds(client);
    setFocusOrder();
}

namespace {

void name(QObject *object, const char *base, int index)
{
    object->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index));
}

} // namespace

// The text boxes and labels, with their design-time texts.
void KOVRA_Prazno::buildTexts(QWidget *client)
{
    for (int i = 0; i < 2; ++i) {
        m_text1[i] = placed(new TextBox(client), layout::kText1[i]);
        name(m_text1[i], "Text1", i);
    }
    m_text1[0]->setText(joinLines(layout::kInstructions));
    m_text1[1]->setText(joinLines(layout::kNote));
    m_text1[1]->hide();

    static const char *const kText2[] = {"Текст на задавания въпрос",
                                         "1-ви отговор\r\nasdfasdfasdfas",
                                         "2-ри отговор",
                                         "3-ти отговор",
                                         "4-ти отговор",
                                         "5-ти отговор",
                                         "При посочен отговор се извежда цялата фраза."};
    for (int i = 0; i < 7; ++i) {
        m_text2[i] = placed(new TextBox(client), layout::kText2[i]);
        name(m_text2[i], "Text2", i);
        m_text2[i]->setText(w1251(kText2[i]));
        m_text2[i]->setVisible(i == 0 || i == 6);
    }

    static const char *const kLabel1[] = {"КОВРА по Чуждоeзиково Обучение", "Резултат: ",
                                          "Въведени отговори: ", "Тото: ", "Въведен отговор: "};
    for (int i = 0; i < 5; ++i) {
        m_label1[i] = placed(new Label(client), layout::kLabel1[i]);
        name(m_label1[i], "Label1", i);
        m_label1[i]->setTextFormat(Qt::PlainText);
        m_label1[i]->setCaption(w1251(kLabel1[i]));
        setBackColor(m_label1[i], layout::kLabelColor);
    }
    m_label1[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label1[3]->hide();
    m_frame1 = placed(new QFrame(client), layout::kFrame1);
}

// The frame's option buttons, one a choice.
void KOVRA_Prazno::buildChoices()
{
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFrameShape(QFrame::NoFrame);
    setBackColor(m_frame1, layout::kFrameColor);
    static const char *const kOptions[] = {"Отговор A", "Отговор B", "Отговор C", "Отговор D",
                                           "Отговор E"};
    for (int i = 0; i < 5; ++i) {
        m_option1[i] =
            placed(new OptionButton(QString::fromUtf8(kOptions[i]), m_frame1), layout::kOption1[i]);
        name(m_option1[i], "Option1", i);
        setBackColor(m_option1[i], layout::kOptionColor);
        // The review disables the buttons; their captions stay readable on the marks.
        QPalette palette = m_option1[i]->palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(Qt::black));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(Qt::black));
        m_option1[i]->setPalette(palette);
        m_option1[i]->hide();
        connect(m_option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
}

void KOVRA_Prazno::buildButtons(QWidget *client)
{
    static const char *const kCommand1[] = {"Напред", "Назад"};
    const QColor command1Colors[] = {layout::kForwardColor, layout::kBackColor};
    for (int i = 0; i < 2; ++i) {
        m_command1[i] =
            placed(new QPushButton(QString::fromUtf8(kCommand1[i]), client), layout::kCommand1[i]);
        name(m_command1[i], "Command1", i);
        setBackColor(m_command1[i], command1Colors[i]);
        connect(m_command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    static const char *const kCommand2[] = {"Оценяване", "Напред", "Назад"};
    for (int i = 0; i < 3; ++i) {
        m_command2[i] =
            placed(new QPushButton(QString::fromUtf8(kCommand2[i]), client), layout::kCommand2[i]);
        name(m_command2[i], "Command2", i);
        setBackColor(m_command2[i], layout::kEvaluateColor);
        m_command2[i]->setVisible(i == 0);
        connect(m_command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
}

// The figure, the picture of the check and the bars.
void KOVRA_Prazno::buildPictures(QWidget *client)
{
    m_picture1 = placed(new QWidget(client), layout::kPicture1);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    setBackColor(m_picture1, layout::kRed);
    m_picture2 = placed(new QLabel(client), layout::kPicture2);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setAlignment(Qt::AlignCenter);
    m_picture2->setAutoFillBackground(true);

    for (int i = 0; i < 2; ++i) {
        m_shape1Twips[i] = layout::kShape1[i];
        m_shape1[i] = placed(new QWidget(client), m_shape1Twips[i]);
        name(m_shape1[i], "Shape1", i);
        setBackColor(m_shape1[i], layout::kShape1Colors[i]);
        m_shape2Twips[i] = layout::kShape2[i];
        m_shape2[i] = placed(new QWidget(client), m_shape2Twips[i]);
        name(m_shape2[i], "Shape2", i);
        setBackColor(m_shape2[i], layout::kShape2Colors[i]);
    }
}

void KOVRA_Prazno::setFocusOrder()
{
    // Only the text boxes, option buttons and push buttons take focus, in design order.
    for (QWidget *w : {static_cast<QWidget *>(m_picture1), static_cast<QWidget *>(m_picture2),
                       static_cast<QWidget *>(m_frame1)}) {
        w->setFocusPolicy(Qt::NoFocus);
    }
    const QWidget *tabOrder[] = {m_text1[0],    m_text1[1],    m_text2[0],    m_text2[1],
                                 m_text2[2],    m_text2[3],    m_text2[4],    m_text2[6],
                                 m_option1[0],  m_option1[1],  m_option1[2],  m_option1[3],
                                 m_command1[0], m_command1[1], m_command2[0], m_command2[1],
                                 m_command2[2], m_text2[5],    m_option1[4]};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(const_cast<QWidget *>(tabOrder[i - 1]), const_cast<QWidget *>(tabOrder[i]));
    }
}

void KOVRA_Prazno::placeBar(QWidget *bar, Twips &twips, float left, float width)
{
    twips.left = left;
    twips.width = width;
    bar->setGeometry(toPixels(twips));
}

// The start-up: startRun takes every step on the content and the run state, none of which
// touches a widget; the widget steps around it (title, indicator, phrase box, bars) depend on
// nothing it changes, so their place beside it changes nothing on screen.
void KOVRA_Prazno::Form_Load()
{
    // The random source was seeded once, from the clock, when it was made.
    Label1(0)->setCaption(Danni().List2().list(TitleRow));
    startRun(Danni(), m_state, *m_random);
    startKinds();
    setBackColor(m_picture1, layout::kRed);
    Text2(6)->setVisible(Danni().flag(PhraseModeRow) == 1);

    const Twips &forward = layout::kCommand1[0];
    const Twips &back = layout::kCommand1[1];
    const BarPair shape1 = initialBars(m_shape1Twips[0].width, forward.left, back.left, back.width);
    placeBar(m_shape1[0], m_shape1Twips[0], shape1.firstLeft, shape1.firstWidth);
    placeBar(m_shape1[1], m_shape1Twips[1], shape1.secondLeft, shape1.secondWidth);
    const BarPair shape2 = initialBars(m_shape2Twips[0].width, forward.left, back.left, back.width);
    placeBar(m_shape2[0], m_shape2Twips[0], shape2.firstLeft, shape2.firstWidth);
    placeBar(m_shape2[1], m_shape2Twips[1], shape2.secondLeft, shape2.secondWidth);

    ShowQuestion();
}

void KOVRA_Prazno::selectOption(int slot)
{
    Option1(slot)->setChecked(true);
    Option1_Click(slot);
}

void KOVRA_Prazno::clearOptions()
{
    for (QRadioButton *option : m_option1) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void KOVRA_Prazno::autor_Click()
{
    Text1(0)->setText(w1251("За повече информация посетете ") + kWebAddress + '.');
}

void KOVRA_Prazno::izhod_Click(int /*index*/)
{
    if (m_forMarks && !m_handedIn && m_danni) {
        Q_EMIT exitAsked();
        return;
    }
    flushTyping(); // what was typed is kept before the content goes
    m_danni.reset();
    m_exiting = true;
    close();
    QCoreApplication::exit(0);
}

void KOVRA_Prazno::closeEvent(QCloseEvent *event)
{
    if (!m_exiting) {
        izhod_Click(0);
    }
    // A test for marks' answers not handed in yet: the window stays, and asks.
    if (!m_exiting) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace kovra
