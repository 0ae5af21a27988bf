#pragma once

// A dictionary window on real widgets, with scripted dialogs and recorded program-level effects.

#include "dictionary/form1.h"
#include "scripted_dialogs.h"
#include "ui/qt/native.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <memory>

struct DictionaryWindow
{
    DictionaryWindow()
        : table(std::make_unique<Module1::Table>())
        , form(std::make_unique<Form1>(Form1::Links {
              .dialogs = dialogs,
              .table = *table,
              .recordCount = recordCount,
              .showExpressionWindow = [this] { ++expressionShown; },
              .endProgram = [this] { ++ended; },
          }))
    { }

    QWidget *widget(const char *name) const
    {
        return ui::widgetOf(form->window())->findChild<QWidget *>(QString::fromLatin1(name));
    }
    QString caption(const char *name) const { return static_cast<QLabel *>(widget(name))->text(); }
    bool visible(const char *name) const { return !widget(name)->isHidden(); }
    QString text1() const { return static_cast<QLineEdit *>(widget("Text1"))->text(); }
    void type(const QString &text) const
    {
        static_cast<QLineEdit *>(widget("Text1"))->setText(text);
    }
    void click(const char *button) const { static_cast<QPushButton *>(widget(button))->click(); }

    ScriptedDialogs dialogs;
    int expressionShown = 0;
    int ended = 0;
    // The window's own table, filled when the window loads.
    std::unique_ptr<Module1::Table> table;
    std::int16_t recordCount = 0;
    std::unique_ptr<Form1> form;
};
