#include "ui/dialogs.h"

#include "ui/convert.h"
#include "ui/platform.h"
#include "ui/window.h"

#include <QInputDialog>
#include <QMessageBox>

namespace ui {

namespace {

    // Not QApplication::activeWindow(): that is null right after another box closes, and a box
    // without a parent opens centred on the screen, possibly behind its window.
    QWidget *parentFor(const Window &owner)
    {
        return owner.widget()->window();
    }

} // namespace

void QtDialogs::message(const Window &owner, std::u16string_view text)
{
    QMessageBox box(parentFor(owner));
    box.setObjectName(QStringLiteral("message"));
    box.setWindowTitle(toQString(ProgramTitle));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::u16string QtDialogs::input(const Window &owner, std::u16string_view prompt)
{
    QInputDialog dialog(parentFor(owner));
    dialog.setObjectName(QStringLiteral("input"));
    dialog.setWindowTitle(toQString(ProgramTitle));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(toQString(prompt));
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue().toStdU16String();
}

} // namespace ui
