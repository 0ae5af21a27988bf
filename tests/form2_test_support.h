#pragma once

// An expression window on real widgets, with scripted dialogs and a stand-in dictionary window.

#include "expression/form2.h"
#include "loaded_records.h"
#include "scripted_dialogs.h"
#include "ui/qt/native.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <memory>

struct ExpressionWindow
{
    static constexpr ui::Color Desktop {0x12, 0x34, 0x56};

    ExpressionWindow()
        : form(std::make_unique<Form2>(Form2::Links {
              .dialogs = dialogs,
              .table = loadedRecords().table,
              .recordCount = loadedRecords().count,
              .showDictionaryWindow = [this] { ++dictionaryShown; },
              .dictionaryBackground = [] { return Desktop; },
          }))
    { }

    QWidget *widget(const QString &name) const
    {
        return ui::widgetOf(form->window())->findChild<QWidget *>(name);
    }
    QWidget *cell(int index) const { return widget(QStringLiteral("Label2[%1]").arg(index)); }
    QString caption(const QString &name) const
    {
        return static_cast<QLabel *>(widget(name))->text();
    }
    QColor cellColour(int index) const { return cell(index)->palette().color(QPalette::Window); }
    void setText(const QString &box, const QString &text) const
    {
        static_cast<QLineEdit *>(widget(box))->setText(text);
    }
    QString text(const QString &box) const { return static_cast<QLineEdit *>(widget(box))->text(); }
    void click(const QString &button) const { static_cast<QPushButton *>(widget(button))->click(); }
    void clickCell(int index) const { QTest::mouseClick(cell(index), Qt::LeftButton); }
    void tick(int box, bool ticked) const
    {
        static_cast<QCheckBox *>(widget(QStringLiteral("Check%1").arg(box)))->setChecked(ticked);
    }
    void run(const QString &text) const
    {
        setText(QStringLiteral("Text1"), text);
        click(QStringLiteral("Command1"));
    }

    ScriptedDialogs dialogs;
    int dictionaryShown = 0;
    std::unique_ptr<Form2> form;
};
