#pragma once

// Qt widget classes behind the handles of controls.h.

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include <functional>

namespace ui {

// A top-level window whose close box runs the form's own handler instead of closing.
class FormWindow : public QMainWindow
{
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;
    void setCloseHandler(std::function<void()> handler) { m_closeHandler = std::move(handler); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> m_closeHandler;
};

// A push button that breaks its caption into lines where the button is too narrow. A caption
// that would still be cut off (a substitute face a little wider than the one the layout was
// drawn for) is drawn on one line, narrowed to the button's width.
class WrapButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // The room the caption is drawn in.
    QRect captionRect() const;
    // 1 when the caption fits, wrapped if need be; otherwise the horizontal scale of the one
    // narrowed line.
    double captionScale() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A frame: a rectangle with its caption in the top border, filled with the window's colour
// whatever the style's own group-box panel looks like.
class FrameBox : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A label that never cuts its caption off. It breaks lines at spaces only (QLabel also breaks
// after "/" and between CJK characters); a caption that still does not fit is drawn with
// narrower letters, then smaller, just enough to fit. The text stays whole, as the accessible
// name, and the tooltip shows it at full size. A caption that fits is drawn as QLabel draws it.
class FitLabel : public QLabel
{
    Q_OBJECT
public:
    // Letters are narrowed no further than a condensed face (OpenType width class 3, 75 %);
    // beyond that the caption is made smaller instead, which keeps letter shapes intact.
    static constexpr int NarrowestStretch = 75;

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
    };
    const Fit &fit() const;

    mutable Fit m_fit;
};

// One element of a label array: reports a click and offers a "press" action to assistive
// technology that does the same. Q_OBJECT is needed for the accessibility factory to see it.
class CellLabel : public FitLabel
{
    Q_OBJECT
public:
    CellLabel(int index, QWidget *parent);
    int index() const { return m_index; }

Q_SIGNALS:
    void clicked(int index);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
};

void installCellAccessibility();

} // namespace ui
