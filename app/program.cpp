#include "app/program.h"

#include "app/identity.h"
#include "ui/platform.h"

Program::Program()
    : m_dialogs(ui::toolkitDialogs(app::ProgramTitle))
    , m_form1(Form1::Links {
          .dialogs = *m_dialogs,
          .table = Module1::KanjiTable,
          .recordCount = Module1::RecordCount,
          .showExpressionWindow = [this] { showExpressionWindow(); },
          .endProgram = [] { ui::endProgram(); },
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
            .dialogs = *m_dialogs,
            .table = Module1::KanjiTable,
            .recordCount = Module1::RecordCount,
            .showDictionaryWindow = [this] { m_form1.window().show(); },
            .dictionaryBackground = [this] { return m_form1.window().background(); },
        });
    }
    m_form2->window().show();
}
