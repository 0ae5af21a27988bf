#include "ui/qt/fit_label.h"

#include "ui/fit.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <optional>

namespace ui {

namespace {

    QString withoutTrailingSpaces(QString line)
    {
        while (line.endsWith(u' ') || line.endsWith(QChar::LineSeparator))
            line.chop(1);
        return line;
    }

    // By its advance, as QLabel wraps, and by its glyphs' drawn bounds with `spare` (a device
    // pixel) left free: the anti-aliased edge of a glyph can reach a little past its outline.
    bool lineFits(const QFontMetricsF &metrics, const QString &line, qreal width, qreal spare)
    {
        return metrics.horizontalAdvance(line) <= width
            && metrics.tightBoundingRect(line).right() + spare <= width;
    }

    // How far a line's first glyph can reach left of where the line starts (a negative side
    // bearing, as "j" has), in whole pixels: the caption is drawn that much further in.
    qreal leftOverhang(const QString &text, const QFontMetricsF &metrics)
    {
        QSet<QStringView> firsts;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != u' ' && text[i] != u'\n'
                && (i == 0 || text[i - 1] == u' ' || text[i - 1] == u'\n'))
                firsts.insert(QStringView(text).mid(i, text[i].isHighSurrogate() ? 2 : 1));
        }
        qreal overhang = 0;
        for (QStringView first : firsts)
            overhang = std::max(overhang, -metrics.tightBoundingRect(first.toString()).left());
        return std::ceil(overhang);
    }

    // Each line as long as `width` allows, broken at spaces only; a longer word stands alone.
    QStringList breakAtSpaces(
        const QString &text, const QFontMetricsF &metrics, qreal width, qreal spare)
    {
        QStringList lines;
        for (const QString &paragraph : text.split(u'\n')) {
            const QStringList words = paragraph.split(u' ');
            QString line = words.front();
            for (qsizetype i = 1; i < words.size(); ++i) {
                const QString longer = line + u' ' + words[i];
                if (lineFits(metrics, withoutTrailingSpaces(longer), width, spare)) {
                    line = longer;
                } else {
                    lines << withoutTrailingSpaces(line);
                    line = words[i];
                }
            }
            lines << line;
        }
        return lines;
    }

    // The lines QLabel itself would draw.
    QStringList wrappedByQt(const QString &text, const QFont &font, qreal width)
    {
        QString separated = text;
        separated.replace(u'\n', QChar::LineSeparator);
        QTextLayout layout(separated, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << withoutTrailingSpaces(separated.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
        return lines;
    }

    // Whether the lines fit: each within the width, the ink of the last one within the height.
    bool fits(
        const QStringList &lines, const QFontMetricsF &metrics, const QSizeF &room, qreal spare)
    {
        for (const QString &line : lines) {
            if (!lineFits(metrics, line, room.width(), spare))
                return false;
        }
        const qreal height
            = metrics.boundingRect(QRectF(QPointF(), room), 0, lines.join(u'\n')).height();
        const qreal inkBelowBaseline
            = std::max(0.0, metrics.tightBoundingRect(lines.back()).bottom());
        // No spare below: there the glyphs' measured bounds lie above the last row they ink at
        // every scale the pixel tests check, and a spare would shrink the two-line prompts.
        return height - metrics.descent() + inkBelowBaseline <= room.height();
    }

    QFont narrowed(QFont font, int stretch)
    {
        if (stretch < 100)
            font.setStretch(stretch);
        return font;
    }

} // namespace

FitLabel::FitLabel(QWidget *parent)
    : QLabel(parent)
{ }

const FitLabel::Fit &FitLabel::fit() const
{
    const QString text = this->text();
    const QSize room = contentsRect().size();
    const qreal ratio = devicePixelRatioF();
    if (m_fit.valid && m_fit.text == text && m_fit.font == font() && m_fit.room == room
        && m_fit.ratio == ratio)
        return m_fit;
    m_fit = {true, text, font(), room, text, font(), false, 0, ratio};
    const qreal spare = 1 / ratio;
    if (text.isEmpty() || room.isEmpty())
        return m_fit;

    auto linesIn = [&](const QFont &f) -> std::optional<QStringList> {
        const QFontMetricsF metrics(f);
        const QSizeF area(room.width() - leftOverhang(text, metrics), room.height());
        QStringList lines = breakAtSpaces(text, metrics, area.width(), spare);
        if (!fits(lines, metrics, area, spare))
            return std::nullopt;
        return lines;
    };
    if (const auto lines = linesIn(font())) {
        m_fit.inset = int(leftOverhang(text, QFontMetricsF(font())));
        if (*lines != wrappedByQt(text, font(), room.width() - m_fit.inset)) {
            m_fit.drawn = lines->join(u'\n');
            m_fit.ownLines = true;
        }
        return m_fit;
    }

    // Sizes go by whole pixels, as the font engine draws them; the full size is the label's own
    // font, which may lie between two pixel sizes.
    const int fullPixelSize = QFontInfo(font()).pixelSize();
    auto sizedFont = [&](int pixelSize, int stretch) {
        QFont f = font();
        if (pixelSize != fullPixelSize)
            f.setPixelSize(pixelSize);
        return narrowed(f, stretch);
    };
    const FitChoice choice = chooseFit(fullPixelSize, [&](int pixelSize, int stretch) {
        if (pixelSize == fullPixelSize && stretch == 100)
            return false; // the label's own font, measured above
        return linesIn(sizedFont(pixelSize, stretch)).has_value();
    });
    m_fit.drawnFont = sizedFont(choice.pixelSize, choice.stretch);
    const QFontMetricsF metrics(m_fit.drawnFont);
    m_fit.inset = int(leftOverhang(text, metrics));
    m_fit.drawn = breakAtSpaces(text, metrics, room.width() - m_fit.inset, spare).join(u'\n');
    m_fit.ownLines = true;
    return m_fit;
}

QFont FitLabel::drawnFont() const
{
    return fit().drawnFont;
}

bool FitLabel::isShrunk() const
{
    return fit().drawnFont != font();
}

QStringList FitLabel::drawnLines() const
{
    const Fit &fit = this->fit();
    if (fit.ownLines)
        return fit.drawn.split(u'\n');
    return wordWrap() ? wrappedByQt(fit.text, fit.font, fit.room.width() - fit.inset)
                      : fit.text.split(u'\n');
}

void FitLabel::drawCaption(QPainter &painter) const
{
    const Fit &fit = this->fit();
    // As QLabel draws plain text, so that a caption that fits looks exactly as before; the
    // widget clips to the same rectangle that QLabel's text clips to.
    QStyleOption option;
    option.initFrom(this);
    const bool rightToLeft = text().isRightToLeft();
    int flags
        = QStyle::visualAlignment(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, alignment())
        | (rightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight) | Qt::TextDontClip;
    if (wordWrap() && !fit.ownLines)
        flags |= Qt::TextWordWrap;
    painter.save();
    painter.setFont(fit.drawnFont);
    style()->drawItemText(&painter, contentsRect().adjusted(fit.inset, 0, 0, 0), flags,
        option.palette, isEnabled(), fit.drawn, foregroundRole());
    painter.restore();
}

void FitLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    drawCaption(painter);
}

bool FitLabel::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty())
        return QLabel::event(event);
    if (!isShrunk()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    // Rich text only to set the font; the caption itself stays plain.
    const QString tip = QStringLiteral(
        "<p style=\"white-space:pre; font-family:'%1'; font-size:%2px; font-weight:%3\">%4</p>")
                            .arg(font().family().toHtmlEscaped())
                            .arg(QFontInfo(font()).pixelSize())
                            .arg(font().weight())
                            .arg(text().toHtmlEscaped());
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), tip, this, rect());
    return true;
}

} // namespace ui
