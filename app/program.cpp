#include "app/program.h"

#include "ui/platform.h"

namespace {

const ui::WindowSpec ExpressionLayout {
    .name = "Form2",
    .caption = u"Velmora University, Japan",
    .clientWidth = 8115,
    .clientHeight = 7710,
    .controls = {},
};

} // namespace

Program::Program()
    : m_form1({.dialogs = m_dialogs,
        .showExpressionWindow = [this] { showExpressionWindow(); },
        .endProgram =
            [] {
                ui::endProgram();
            }})
{ }

Program::~Program() = default;

void Program::start()
{
    m_form1.window().show();
}

void Program::showExpressionWindow()
{
    if (!m_form2) {
        m_form2 = std::make_unique<ui::Window>(ExpressionLayout);
        m_form2->onClose([this] {
            m_form1.window().show();
            m_form2->hide();
        });
    }
    m_form2->show();
}
