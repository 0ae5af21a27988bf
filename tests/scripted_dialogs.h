#pragma once

// Answers the forms' dialogs from a script and records what they asked.

#include "ui/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>

class ScriptedDialogs final : public ui::Dialogs
{
public:
    void message(std::u16string_view text) override
    {
        messages << QString::fromStdU16String(std::u16string(text));
    }

    std::u16string input(std::u16string_view prompt) override
    {
        prompts << QString::fromStdU16String(std::u16string(prompt));
        if (answers.empty())
            return {};
        const QString answer = answers.front();
        answers.pop_front();
        return answer.toStdU16String();
    }

    QStringList messages;
    QStringList prompts;
    // What the user types at the next prompts; an empty script answers as Cancel does.
    std::deque<QString> answers;
};
