#include "ui/dialogs.h"

#include "ui/convert.h"
#include "ui/platform.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace ui {

void QtDialogs::message(std::u16string_view text)
{
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("message"));
    box.setWindowTitle(toQString(ProgramTitle));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::u16string QtDialogs::input(std::u16string_view prompt)
{
    QInputDialog dialog(QApplication::activeWindow());
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
