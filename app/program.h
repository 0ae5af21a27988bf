#pragma once

// The two windows of one run: the dictionary window from the start, the expression window from
// its first use.

#include "dictionary/form1.h"
#include "expression/form2.h"
#include "ui/dialogs.h"

#include <functional>
#include <memory>

class Program
{
public:
    // The toolkit's own message and input boxes; Exit ends the program.
    Program();
    // Other dialogs and another end, for tests that drive the whole program.
    Program(ui::Dialogs &dialogs, std::function<void()> endProgram);
    ~Program();

    void start();

    Form1 &dictionary() { return m_form1; }
    // Null until "Check Expression" first shows it.
    Form2 *expression() { return m_form2.get(); }

private:
    Program(std::unique_ptr<ui::Dialogs> ownDialogs, ui::Dialogs *dialogs,
        std::function<void()> endProgram);
    void showExpressionWindow();

    std::unique_ptr<ui::Dialogs> m_ownDialogs;
    ui::Dialogs &m_dialogs;
    Form1 m_form1;
    std::unique_ptr<Form2> m_form2;
};
