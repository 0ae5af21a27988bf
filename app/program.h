#pragma once

// The two windows of one run: the dictionary window from the start, the expression window from
// its first use.

#include "dictionary/form1.h"
#include "expression/form2.h"
#include "ui/dialogs.h"

#include <memory>

class Program
{
public:
    Program();
    ~Program();

    void start();

private:
    void showExpressionWindow();

    std::unique_ptr<ui::Dialogs> m_dialogs;
    Form1 m_form1;
    std::unique_ptr<Form2> m_form2;
};
