#pragma once

// Qt widget classes behind the handles of controls.h.

#include "ui/qt/fit_label.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <vector>

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

// The controls a prompt label names to assistive technology: their description follows the
// prompt's caption. A child of the prompt, so it lives and dies with it.
class PromptLink : public QObject
{
    Q_OBJECT
public:
    static PromptLink &of(QLabel *prompt);
    static PromptLink *find(QLabel *prompt);

    void describe(QWidget *control);
    void update(const QString &caption);

private:
    using QObject::QObject;
    std::vector<QPointer<QWidget>> m_controls;
};

void installCellAccessibility();

} // namespace ui
