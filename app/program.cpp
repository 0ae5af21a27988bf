#include "app/program.h"

#include "app/identity.h"
#include "ui/platform.h"

Program::Program()
    : Program(ui::toolkitDialogs(app::ProgramTitle), nullptr, [] { ui::endProgram(); })
{ }

Program::Program(ui::Dialogs &dialogs, std::function<void()> endProgram)
    : Program(nullptr, &dialogs, std::move(endProgram))
{ }

Program::Program(
    std::unique_ptr<ui::Dialogs> ownDialogs, ui::Dialogs *dialogs, std::function<void()> endProgram)
    : m_ownDialogs(std::move(ownDialogs))
    , m_dialogs(dialogs ? *dialogs : *m_ownDialogs)
    , m_form1(Form1::Links {
          .dialogs = m_dialogs,
          .table = Module1::KanjiTable,
          .recordCount = Module1::RecordCount,
          .showExpressionWindow = [this] { showExpressionWindow(); },
          .endProgram = std::move(endProgram),
      })
{ }

Program::~Program() = default;

void Program::start()
{
    m_form1.window().show();
}

void Program::showExpressionWindow()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(Form2::Links {
            .dialogs = m_dialogs,
            .table = Module1::KanjiTable,
            .recordCount = Module1::RecordCount,
            .showDictionaryWindow = [this] { m_form1.window().show(); },
            .dictionaryBackground = [this] { return m_form1.window().background(); },
        });
    }
    m_form2->window().show();
}
