#include "ui/qt/dialogs.h"

#include "ui/qt/convert.h"
#include "ui/qt/native.h"

#include <QInputDialog>
#include <QMessageBox>

namespace ui {

namespace {

    // Not QApplication::activeWindow(): that is null right after another box closes, and a box
    // without a parent opens centred on the screen, possibly behind its window.
    QWidget *parentFor(const Window &owner)
    {
        return widgetOf(owner)->window();
    }

} // namespace

void QtDialogs::showMessage(const Window &owner, std::u16string_view text)
{
    QMessageBox box(parentFor(owner));
    box.setObjectName(QStringLiteral("message"));
    box.setWindowTitle(toQString(m_title));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::u16string QtDialogs::askInput(const Window &owner, std::u16string_view prompt)
{
    QInputDialog dialog(parentFor(owner));
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
