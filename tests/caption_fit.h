#pragma once

// Whether a control shows its caption whole: every line within the width, and the ink of the
// last line within the height; a label's ink within the label.

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

// Where ink falls outside the label when its caption is drawn without clipping, or empty.
inline QString inkOutside(const ui::FitLabel *label)
{
    const qreal ratio = label->devicePixelRatioF();
    const int pad = 8;
    QImage image(
        (label->size() * 2 + QSize(pad, pad)) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(pad, pad);
    label->drawCaption(painter);
    painter.end();

    // Lines start at the label's left edge, as QLabel's do: a first letter with a negative side
    // bearing ("j", "T") reaches one pixel further left, as it does in every caption.
    const QRect inside(QPoint(pad - 1, pad) * ratio,
        QSize(int(std::floor((label->width() + 1) * ratio)),
            int(std::floor(label->height() * ratio))));
    QImage blank(image.size(), image.format());
    blank.setDevicePixelRatio(ratio);
    blank.fill(Qt::transparent);
    const int width = image.width();
    const struct
    {
        const char *side;
        QRect margin;
    } margins[] = {
        {"above", QRect(0, 0, width, inside.top())},
        {"below", QRect(0, inside.bottom() + 1, width, image.height() - inside.bottom() - 1)},
        {"left of", QRect(0, inside.top(), inside.left(), inside.height())},
        {"right of",
            QRect(inside.right() + 1, inside.top(), width - inside.right() - 1, inside.height())},
    };
    for (const auto &[side, margin] : margins) {
        if (image.copy(margin) != blank.copy(margin))
            return QStringLiteral("ink %1 the label's %2x%3 device pixels")
                .arg(QLatin1StringView(side))
                .arg(inside.width())
                .arg(inside.height());
    }
    return {};
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
        return label->isShrunk() ? QStringLiteral("drawn smaller") : inkOutside(label);
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
