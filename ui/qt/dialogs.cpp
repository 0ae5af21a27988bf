#include "ui/qt/dialogs.h"

#include "ui/qt/convert.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace ui {

void QtDialogs::message(std::u16string_view text)
{
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("message"));
    box.setWindowTitle(toQString(m_title));
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
    dialog.setWindowTitle(toQString(m_title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(toQString(prompt));
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue().toStdU16String();
}

std::unique_ptr<Dialogs> toolkitDialogs(std::u16string_view title)
{
    return std::make_unique<QtDialogs>(title);
}

} // namespace ui
