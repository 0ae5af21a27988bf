#pragma once

// Whether a control shows its caption whole: every line within the width, and the ink of the
// last line within the height.

#include "ui/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

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

// Lowest row of ink, in device pixels, when the label's caption is drawn in a label of the same
// width and font but unlimited height: what the eye would miss if the real label cut it off.
inline int labelInkBottom(const QLabel *label)
{
    QLabel probe;
    probe.setFont(label->font());
    probe.setWordWrap(label->wordWrap());
    probe.setAlignment(label->alignment());
    probe.setTextFormat(label->textFormat());
    probe.setText(label->text());
    probe.setAttribute(Qt::WA_DontShowOnScreen);
    probe.setAutoFillBackground(true);
    probe.setFixedSize(label->width(), label->height() * 4);
    probe.show();
    const QImage image = probe.grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                return y;
        }
    }
    return -1;
}

// An empty string when the caption fits, otherwise what it needs.
inline QString captionFitProblem(QWidget *widget, double narrowestButtonScale = 1.0)
{
    if (auto *button = qobject_cast<ui::WrapButton *>(widget)) {
        const double scale = button->captionScale();
        return scale >= narrowestButtonScale ? QString()
                                             : QStringLiteral("narrowed to %1").arg(scale);
    }
    QRect room(QPoint(), widget->size());
    if (qobject_cast<QCheckBox *>(widget)) {
        room.setLeft(widget->style()->pixelMetric(QStyle::PM_IndicatorWidth)
            + widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    }
    if (qobject_cast<QGroupBox *>(widget))
        room.setWidth(room.width() - 16);
    const QString caption = captionOf(widget);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const int bottom = labelInkBottom(label);
        const int limit = qRound(label->height() * label->devicePixelRatioF());
        const QRect wide
            = QFontMetrics(label->font()).boundingRect(room, Qt::TextWordWrap, caption);
        if (bottom < limit && wide.width() <= room.width())
            return QString();
        return QStringLiteral("ink reaches row %1 of %2").arg(bottom + 1).arg(limit);
    }
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
