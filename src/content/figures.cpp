// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

namespace kovra {

bool tooLargeFigure(QSize size)
{
    return size.isValid() && qint64(size.width()) * size.height() > kMaxFigurePixels;
}

FigureReader::FigureReader(const QByteArray &bytes, const QByteArray &format)
    : m_reader(&m_buffer, format)
{
    m_buffer.setData(bytes); // shares the bytes, copies nothing
    m_buffer.open(QIODevice::ReadOnly);
    m_reader.setAutoDetectImageFormat(format.isEmpty());
    m_reader.setAutoTransform(true);
}

QSize FigureReader::shownSize()
{
    const QSize size = m_reader.size();
    return turned() ? size.transposed() : size;
}

bool FigureReader::turned()
{
    return m_reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

QImage FigureReader::read(QSize shown)
{
    if (shown.isValid() && shown != shownSize()) {
        m_reader.setScaledSize(turned() ? shown.transposed() : shown);
    }
    return m_reader.read();
}

QSize fittedFigureSize(QSize size)
{
    if (size.isEmpty() || size.boundedTo(kLargestFigure) == size) {
        return size;
    }
    return size.scaled(kLargestFigure, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage decodeFigure(const QByteArray &bytes, const QByteArray &format)
{
    FigureReader figure(bytes, format);
    const QSize size = figure.shownSize();
    if (tooLargeFigure(size)) {
        return {};
    }
    return figure.read(fittedFigureSize(size));
}

FigureCheck checkFigure(const QByteArray &bytes, const QByteArray &suffix)
{
    FigureCheck check;
    for (const QByteArray &format : {suffix, QByteArray()}) {
        FigureReader figure(bytes, format);
        const QSize size = figure.reader().size();
        if (tooLargeFigure(size)) {
            check.size = size;
            check.fault = FigureFault::TooLarge;
            return check;
        }
        if (size.isValid()) {
            figure.reader().setScaledSize(
                QSize(std::max(1, (size.width() + 7) / 8), std::max(1, (size.height() + 7) / 8)));
        }
        if (!figure.reader().read().isNull()) {
            check.format = format.isEmpty() ? figure.reader().format() : format;
            check.size = size;
            return check;
        }
        if (format.isEmpty()) {
            break;
        }
    }
    check.fault = FigureFault::NotAnImage;
    return check;
}

} // namespace kovra
