#pragma once

// Whether a control shows its caption whole: every line within the width, and the ink of the
// last line within the height; a label's ink off its border.

#include "ui/qt/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

#include <cmath>

inline QString captionOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return static_cast<QLineEdit *>(widget)->text();
}

// Where a label's caption, drawn without clipping, inks its border or beyond, or empty. Lines
// start at the label's left edge, as QLabel's do, so the first letters may ink the left border
// and the top of a tall glyph the top one, but no glyph reaches past them; the fit keeps the
// right and bottom border pixels free. In device pixels.
inline QString inkOnBorder(const ui::FitLabel *label)
{
    const qreal ratio = label->devicePixelRatioF();
    const int pad = 8;
    QImage image(
        (label->size() + QSize(2 * pad, 2 * pad)) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(pad, pad);
    label->drawCaption(painter);
    painter.end();

    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                ink |= QRect(x, y, 1, 1);
        }
    }
    if (ink.isEmpty())
        return {};
    const int origin = int(std::lround(pad * ratio));
    ink.translate(-origin, -origin);
    const QSize size(
        int(std::floor(label->width() * ratio)), int(std::floor(label->height() * ratio)));
    QStringList sides;
    if (ink.left() < 0)
        sides << QStringLiteral("past the left");
    if (ink.top() < 0)
        sides << QStringLiteral("past the top");
    if (ink.right() >= size.width() - 1)
        sides << QStringLiteral("on the right");
    if (ink.bottom() >= size.height() - 1)
        sides << QStringLiteral("on the bottom");
    if (sides.isEmpty())
        return {};
    return QStringLiteral("ink %1 border (%2,%3 to %4,%5 in %6x%7 device pixels)")
        .arg(sides.join(u", "))
        .arg(ink.left())
        .arg(ink.top())
        .arg(ink.right())
        .arg(ink.bottom())
        .arg(size.width())
        .arg(size.height());
}

// An empty string when the caption fits, otherwise what it needs.
inline QString captionFitProblem(QWidget *widget, double narrowestButtonScale = 1.0)
{
    if (auto *button = qobject_cast<ui::WrapButton *>(widget)) {
        const double scale = button->captionScale();
        return scale >= narrowestButtonScale ? QString()
                                             : QStringLiteral("narrowed to %1").arg(scale);
    }
    // A label shows any caption whole, smaller if need be; one of the layout must not need it.
    if (auto *label = qobject_cast<ui::FitLabel *>(widget))
        return label->isShrunk() ? QStringLiteral("drawn smaller") : inkOnBorder(label);
    QRect room(QPoint(), widget->size());
    if (qobject_cast<QCheckBox *>(widget)) {
        room.setLeft(widget->style()->pixelMetric(QStyle::PM_IndicatorWidth)
            + widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    }
    if (qobject_cast<QGroupBox *>(widget))
        room.setWidth(room.width() - 16);
    const QString caption = captionOf(widget);
    const QFontMetrics metrics(widget->font());
    const QRect wrapped = metrics.boundingRect(room, Qt::TextWordWrap, caption);
    const int lines = std::max(1, wrapped.height() / metrics.lineSpacing());
    const int inkBelowBaseline = std::max(0, metrics.tightBoundingRect(caption).bottom() + 1);
    const int height = (lines - 1) * metrics.lineSpacing() + metrics.ascent() + inkBelowBaseline;
    if (wrapped.width() <= room.width() && height <= room.height())
        return QString();
    return QStringLiteral("needs %1x%2, has %3x%4")
        .arg(wrapped.width())
        .arg(height)
        .arg(room.width())
        .arg(room.height());
}
