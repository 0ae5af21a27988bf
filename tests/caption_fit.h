#pragma once

// Whether a control shows its caption whole: every line within the width, and the ink of the
// last line within the height.

#include "ui/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
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
