#pragma once

// The program's two windows found as a user sees them: top-level windows by object name, their
// controls by name.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

inline QWidget *window(const QString &name)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name)
            return top;
    }
    return nullptr;
}

template <typename T = QWidget> T *control(const QString &form, const QString &name)
{
    QWidget *top = window(form);
    return top ? top->findChild<T *>(name) : nullptr;
}

inline void click(const QString &form, const QString &button)
{
    control<QPushButton>(form, button)->click();
}
