// SPDX-License-Identifier: GPL-3.0-or-later
// Question display, status display and navigation of the answering mode.

#include "content/cp1251.h"
#include "content/figures.h"
#include "content/textnum.h"
#include "present/bars.h"
#include "present/navigation.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/widgets.h"

#include <QLabel>
#include <QPixmap>
#include <QPixmapCache>
#include <QRadioButton>

namespace kovra {

void KOVRA_Prazno::ShowQuestion()
{
    const int p = m_state.CurrentPos;
    const int q = m_state.questionAt(p);
    UpdateStatus();
    const TextList &question = Danni().List1(q + 1);
    const int k = question.listCount() - 1;
    Text2(0)->setText(question.list(0));
    hideKinds();
    const Question *kind = kindAt(q);
    if (kind) {
        ShowKindQuestion(q, *kind);
    }
    const QByteArray &order = m_state.List2(AnswerOrderList).list(q);
    const QByteArray &key = Danni().List1(0).list(q);
    for (int s = 0; s < 5 && !kind; ++s) {
        if (s < k) {
            Text2(s + 1)->show();
            Option1(s)->show();
            const int c = readIndex(order.mid(s, 1));
            Text2(s + 1)->setText(question.list(c));
            if (Text2(s + 1)->text() == key) {
                m_state.List2(CorrectSlotList).setList(p, decimal(s));
            }
        } else {
            Text2(s + 1)->hide();
            Option1(s)->hide();
        }
    }
    SelectCurrentRows();
    clearOptions();
    const int v = readIndex(m_state.List2(ChosenSlotList).list(p));
    if (v > -1 && !kind) {
        selectOption(v);
    }
    m_state.List2(VerdictList).setListIndex(p);
    const int a = readIndex(m_state.List2(VerdictList).list(p));
    setBackColor(m_picture1, a == -1 ? layout::kRed : layout::kGreen);
    ShowFigure(q);
}

void KOVRA_Prazno::SelectCurrentRows()
{
    for (const int list :
         {ChosenSlotList, QuestionOrderList, AnswerOrderList, VerdictList, CorrectSlotList}) {
        m_state.List2(list).setListIndex(m_state.CurrentPos);
    }
}

namespace {

// The size a figure of `size` is shown at in `area`: fitted into it, proportions kept, never
// enlarged.
QSize shownSize(QSize size, QSize area)
{
    return size.boundedTo(area).isEmpty() ? size
                                          : size.scaled(size.boundedTo(area), Qt::KeepAspectRatio);
}

// A figure kept as its file, decoded straight to the pixels it is shown at: a JPEG decoder
// scales while it decodes, at a fraction of the work of decoding it whole and scaling after.
QPixmap figureFromFile(const QByteArray &file, const QByteArray &format, QSize area, qreal ratio)
{
    FigureReader reader(file, format);
    const QSize size = reader.shownSize();
    if (!size.isValid() || tooLargeFigure(size)) {
        return {};
    }
    const QSize pixels = (QSizeF(shownSize(fittedFigureSize(size), area)) * ratio).toSize();
    const QImage image = reader.read(pixels);
    if (image.isNull()) {
        return {};
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

void KOVRA_Prazno::ShowFigure(int q)
{
    if (!Danni().hasPicture1(q + 1)) {
        m_picture2->clear();
        return;
    }
    // Fit the figure into the area, keeping its proportions; draw it at the screen's pixel
    // density. The scaled figure is kept in the pixmap cache for this figure, area and density,
    // so that it is scaled once and not at every display.
    const QSize area = m_picture2->size();
    const qreal ratio = m_picture2->devicePixelRatioF();
    const QByteArray &file = std::as_const(Danni()).Picture1File(q + 1);
    // A file is known by its bytes, which a figure decoded from it shares with no other.
    const quint64 id = file.isEmpty() ? quint64(Danni().Picture1(q + 1).cacheKey())
                                      : quint64(qHash(file)) ^ (quint64(file.size()) << 32);
    const QString key = QStringLiteral("kovra-figure-%1%2-%3x%4@%5")
                            .arg(file.isEmpty() ? u'i' : u'f')
                            .arg(id)
                            .arg(area.width())
                            .arg(area.height())
                            .arg(ratio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap) && !file.isEmpty()) {
        pixmap = figureFromFile(file, std::as_const(Danni()).Picture1Format(q + 1), area, ratio);
        QPixmapCache::insert(key, pixmap);
    } else if (pixmap.isNull()) {
        const QImage &figure = Danni().Picture1(q + 1);
        const QSize shown = shownSize(figure.size(), area);
        // Qt scales 32-bit pixels smoothly at once; grey or indexed ones it would paint through
        // its raster engine, on threads it starts for them.
        const QImage::Format quick =
            figure.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        const QImage source = figure.format() == quick ? figure : figure.convertToFormat(quick);
        pixmap = QPixmap::fromImage(source.scaled((QSizeF(shown) * ratio).toSize(),
                                                  Qt::KeepAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(ratio);
        QPixmapCache::insert(key, pixmap);
    }
    m_picture2->setPixmap(pixmap);
}

void KOVRA_Prazno::UpdateStatus()
{
    const int n = m_state.QuestionCount;
    const int p = m_state.CurrentPos;
    const int answered = m_state.AnsweredCount;
    Text2(6)->setText(QByteArray(""));
    const Twips &back = layout::kCommand1[1];
    const float end = barEnd(back.left, back.width);
    const BarPair position = progressBars(m_shape1Twips[0].left, end, p, n);
    placeBar(m_shape1[0], m_shape1Twips[0], position.firstLeft, position.firstWidth);
    placeBar(m_shape1[1], m_shape1Twips[1], position.secondLeft, position.secondWidth);
    const BarPair progress = progressBars(m_shape2Twips[0].left, end, answeredParts(answered), n);
    placeBar(m_shape2[0], m_shape2Twips[0], progress.firstLeft, progress.firstWidth);
    placeBar(m_shape2[1], m_shape2Twips[1], progress.secondLeft, progress.secondWidth);
    static const QByteArray prefix = w1251("Въведени отговори: ");
    Label1(2)->setCaption(prefix + decimal(answered) + '/' + decimal(n));
}

void KOVRA_Prazno::Command1_Click(int index)
{
    stepPosition(m_state, index == 0 ? 1 : index == 1 ? -1 : 0);
    ShowQuestion();
}

} // namespace kovra
