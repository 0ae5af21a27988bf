// Drives both windows into a typical state and saves a picture of each, for docs/.
// Usage: velmora-screenshots <output directory>

#include "dictionary/form1.h"
#include "expression/form2.h"
#include "ui/qt/application.h"

#include "../scripted_dialogs.h"
#include "ui/qt/native.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

template <typename T> T *child(ui::Window &window, const char *name)
{
    return ui::widgetOf(window)->findChild<T *>(QString::fromLatin1(name));
}

bool save(ui::Window &window, const QDir &dir, const QString &file)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(ui::widgetOf(window)))
        return false;
    QTest::qWait(200);
    return ui::widgetOf(window)->grab().save(dir.filePath(file));
}

} // namespace

int main(int argc, char **argv)
{
    ui::Application application(argc, argv);
    if (argc != 2) {
        qWarning("usage: velmora-screenshots <output directory>");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    ScriptedDialogs dialogs;
    std::unique_ptr<Form2> form2;
    Form1 form1({.dialogs = dialogs,
        .table = Module1::KanjiTable,
        .recordCount = Module1::RecordCount,
        .showExpressionWindow = [] { },
        .endProgram =
            [] {
            }});

    child<QLineEdit>(form1.window(), "Text1")->setText(QStringLiteral("water"));
    child<QPushButton>(form1.window(), "Command2")->click();
    child<QPushButton>(form1.window(), "Command4")->click();
    bool ok = save(form1.window(), dir, QStringLiteral("dictionary-window.png"));
    form1.window().hide();

    form2 = std::make_unique<Form2>(Form2::Links {
        .dialogs = dialogs,
        .table = Module1::KanjiTable,
        .recordCount = Module1::RecordCount,
        .showDictionaryWindow = [] {},
        .dictionaryBackground = [&] { return form1.window().background(); },
    });
    child<QLineEdit>(form2->window(), "Text1")
        ->setText(QStringLiteral(u"毎日、友だちと日本語を話します。明日は雨でしょう。"));
    child<QPushButton>(form2->window(), "Command1")->click();
    QTest::mouseClick(child<QLabel>(form2->window(), "Label2[11]"), Qt::LeftButton);
    child<QLineEdit>(form2->window(), "Text2")->setText(QStringLiteral("taberu"));
    child<QPushButton>(form2->window(), "Command4")->click();
    ok = save(form2->window(), dir, QStringLiteral("expression-window.png")) && ok;
    return ok ? 0 : 1;
}
