#pragma once

// Answers the forms' dialogs from a script and records what they asked, and of which window.

#include "ui/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

class ScriptedDialogs final : public ui::Dialogs
{
public:
    QStringList messages;
    QStringList prompts;
    // The window each box belonged to, messages and prompts alike, in the order they opened.
    QList<const ui::Window *> owners;
    // What the user types at the next prompts; an empty script answers as Cancel does.
    std::deque<QString> answers;

protected:
    void showMessage(const ui::Window &owner, std::u16string_view text) override
    {
        owners << &owner;
        messages << QString::fromStdU16String(std::u16string(text));
    }

    std::u16string askInput(const ui::Window &owner, std::u16string_view prompt) override
    {
        owners << &owner;
        prompts << QString::fromStdU16String(std::u16string(prompt));
        if (answers.empty())
            return {};
        const QString answer = answers.front();
        answers.pop_front();
        return answer.toStdU16String();
    }
};
