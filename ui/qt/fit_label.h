#pragma once

#include <QLabel>

namespace ui {

// A label that never cuts its caption off. It breaks lines at spaces only (QLabel also breaks
// after "/" and between CJK characters); a caption that still does not fit is drawn with
// narrower letters, then smaller, just enough to fit. The text stays whole, as the accessible
// name, and the tooltip shows it at full size. A caption that fits is drawn as QLabel draws it.
class FitLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FitLabel(QWidget *parent = nullptr);

    // The font the caption is drawn in: the label's own unless it had to be narrowed or made
    // smaller.
    QFont drawnFont() const;
    bool isShrunk() const;
    // The lines the caption is drawn in.
    QStringList drawnLines() const;
    // Draws the caption as the label shows it, without clipping, so its ink can be measured.
    void drawCaption(QPainter &painter) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Fit
    {
        bool valid = false;
        QString text;
        QFont font;
        QSize room;
        // What is drawn: the text as it stands (QLabel's own wrapping) or broken at spaces.
        QString drawn;
        QFont drawnFont;
        bool ownLines = false;
        // Pixels the lines start right of the label's left edge, so no glyph reaches past it.
        int inset = 0;
        qreal ratio = 1; // device pixels per pixel, which the pixel left free is one of
    };
    const Fit &fit() const;

    mutable Fit m_fit;
};

} // namespace ui
