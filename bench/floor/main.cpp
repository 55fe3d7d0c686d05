// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the player's first view: the same window drawn with the lightest Qt widgets
// that show it, and none of the player's code. Each text box is a word-wrapped label with a
// scroll bar beside it, the colour bars are plain filled widgets, the figure a label with a
// pixmap; geometry, colours, font and style are the player's, the texts those of a first view
// with a figure. It reports its exposed window like the bare program.

#include "exposed.h"
#include "ui/layout.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>

namespace {

using namespace kovra;

template <typename W> W *placed(W *widget, const Twips &twips)
{
    widget->setGeometry(toPixels(twips));
    return widget;
}

void fill(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A read-only text on white in a sunken frame, with a vertical scroll bar at its right.
void textBox(QWidget *parent, const Twips &twips, const QString &text)
{
    auto *frame = placed(new QFrame(parent), twips);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    fill(frame, Qt::white);
    const QRect inside = frame->contentsRect();
    const int bar = frame->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    auto *label = new QLabel(text, frame);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(inside.adjusted(4, 4, -bar - 4, 0));
    auto *scroll = new QScrollBar(Qt::Vertical, frame);
    scroll->setGeometry(inside.right() - bar + 1, inside.top(), bar, inside.height());
}

QString instructions()
{
    QStringList lines;
    for (const char *line : layout::kInstructions) {
        lines << QString::fromUtf8(line);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bench::ExposeProbe probe(app);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    QApplication::setFont(font);

    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("Изход"));
    window.menuBar()->addAction(QStringLiteral("Автор"));
    auto *client = new QWidget(&window);
    client->setFixedSize(toPixels({0, 0, layout::kClientWidth, layout::kClientHeight}).size());
    fill(client, layout::kWindowColor);
    window.setCentralWidget(client);

    textBox(client, layout::kText2[0],
            QStringLiteral("Основата AB на равнобедрения триъгълник ABC е 4 cm, а бедрото AC е "
                           "8 cm. Какво е отношението на основата AB към обиколката на "
                           "триъгълника?"));
    const char *const choices[] = {"1 : 4", "1 : 3", "1 : 2", "1 : 5"};
    for (int s = 0; s < 4; ++s) {
        textBox(client, layout::kText2[s + 1], QString::fromUtf8(choices[s]));
    }
    textBox(client, layout::kText2[6],
            QStringLiteral("При посочен отговор се извежда цялата фраза."));
    textBox(client, layout::kText1[0], instructions());

    const char *const labels[] = {"КОВРА по Геометрия - равнобедрен триъгълник",
                                  "Резултат: ", "Въведени отговори: 0/21", nullptr,
                                  "Въведен отговор: "};
    for (int i = 0; i < 5; ++i) {
        if (labels[i] != nullptr) {
            auto *label =
                placed(new QLabel(QString::fromUtf8(labels[i]), client), layout::kLabel1[i]);
            fill(label, layout::kLabelColor);
        }
    }
    auto *frame = placed(new QWidget(client), layout::kFrame1);
    fill(frame, layout::kFrameColor);
    for (int s = 0; s < 4; ++s) {
        auto *option =
            placed(new QRadioButton(QStringLiteral("Отговор %1").arg(QChar(u'A' + s)), frame),
                   layout::kOption1[s]);
        fill(option, layout::kOptionColor);
    }
    fill(placed(new QPushButton(QStringLiteral("Напред"), client), layout::kCommand1[0]),
         layout::kForwardColor);
    fill(placed(new QPushButton(QStringLiteral("Назад"), client), layout::kCommand1[1]),
         layout::kBackColor);
    fill(placed(new QPushButton(QStringLiteral("Оценяване"), client), layout::kCommand2[0]),
         layout::kEvaluateColor);
    fill(placed(new QWidget(client), layout::kPicture1), layout::kRed);
    for (int i = 0; i < 2; ++i) {
        fill(placed(new QWidget(client), layout::kShape1[i]), layout::kShape1Colors[i]);
        fill(placed(new QWidget(client), layout::kShape2[i]), layout::kShape2Colors[i]);
    }
    QImage figure(170, 140, QImage::Format_Grayscale8);
    figure.fill(255);
    QPainter painter(&figure);
    painter.drawPolygon(QPolygon({QPoint(85, 10), QPoint(20, 130), QPoint(150, 130)}));
    painter.end();
    auto *picture = placed(new QLabel(client), layout::kPicture2);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QPixmap::fromImage(figure));

    window.show();
    return QApplication::exec();
}
