// Starts a window and, on the first paint event of that window, prints the peak resident set in
// KiB and ends the process at once; startup_bench times it from the outside.
//
// Built twice: as the program's own start-up path, and (STARTUP_PROBE_FLOOR) as plain Qt widgets
// on the dictionary window's geometry, the least this toolkit needs for such a window.

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#ifdef STARTUP_PROBE_FLOOR
#include "dictionary/form1.h"
#include "ui/qt/convert.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#else
#include "app/program.h"
#include "ui/qt/application.h"
#endif

namespace {

class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window()->objectName() == QLatin1String("Form1")) {
            rusage usage {};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("%ld\n", usage.ru_maxrss);
            std::fflush(stdout);
            // Tearing the widgets down would only add noise to the timing.
            std::_Exit(0);
        }
        return false;
    }
};

#ifdef STARTUP_PROBE_FLOOR
QWidget *plainControl(const ui::ControlRow &row, QWidget *parent)
{
    const QString caption = ui::toQString(row.caption);
    switch (row.kind) {
    case ui::Kind::Label:
        return new QLabel(caption, parent);
    case ui::Kind::TextBox:
        return new QLineEdit(caption, parent);
    case ui::Kind::Button:
        return new QPushButton(caption, parent);
    case ui::Kind::CheckBox:
        return new QCheckBox(caption, parent);
    case ui::Kind::Frame:
        return new QGroupBox(caption, parent);
    }
    return nullptr;
}

#endif

} // namespace

int main(int argc, char **argv)
{
#ifdef STARTUP_PROBE_FLOOR
    QApplication application(argc, argv);
    FirstPaint probe;
    application.installEventFilter(&probe);

    const ui::WindowSpec &layout = Form1::Layout;
    QMainWindow window;
    window.setObjectName(QStringLiteral("Form1"));
    window.setWindowTitle(ui::toQString(layout.caption));
    for (const ui::MenuRow &item : layout.menu)
        window.menuBar()->addAction(ui::toQString(item.caption));
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    for (const ui::ControlRow &row : layout.controls) {
        QWidget *parent
            = row.parent.empty() ? client : client->findChild<QWidget *>(ui::toQString(row.parent));
        QWidget *control = plainControl(row, parent);
        control->setObjectName(ui::toQString(row.name));
        control->setGeometry(ui::twipsToPixels(row.left), ui::twipsToPixels(row.top),
            ui::twipsToPixels(row.width), ui::twipsToPixels(row.height));
    }
    window.resize(ui::twipsToPixels(layout.clientWidth),
        ui::twipsToPixels(layout.clientHeight) + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
#else
    ui::Application application(argc, argv);
    FirstPaint probe;
    QApplication::instance()->installEventFilter(&probe);
    Program program;
    program.start();
    return application.exec();
#endif
}
