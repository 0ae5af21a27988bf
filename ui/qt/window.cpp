#include "ui/window.h"

#include "ui/binding.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/qt/convert.h"
#include "ui/qt/live_region.h"
#include "ui/qt/native.h"
#include "ui/qt/readable_text.h"
#include "ui/qt/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>

#include <limits>
#include <utility>
#include <vector>

namespace ui {

namespace {

    QFont fontFor(Font font)
    {
        if (font == Font::Default)
            return QApplication::font();
        const FontFace face = faceOf(font);
        QFont f(toQString(face.family));
        f.setPointSizeF(face.points);
        f.setWeight(face.bold ? QFont::Bold : QFont::Normal);
        return f;
    }

    void paintBackground(QWidget *widget, const QColor &color)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, color);
        widget->setPalette(palette);
        widget->setBackgroundRole(QPalette::Window); // buttons would fill with their Button role
        widget->setAutoFillBackground(true);
        keepTextReadable(widget);
    }

    QWidget *createControl(const ResolvedControl &control, QWidget *parent)
    {
        const ControlRow &row = *control.row;
        const QString caption = toQString(row.caption);
        QWidget *widget = nullptr;
        switch (row.kind) {
        case Kind::Label: {
            QLabel *label
                = control.inArray ? new CellLabel(row.index, parent) : new FitLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(
                (row.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            label->setText(caption);
            widget = label;
            break;
        }
        case Kind::TextBox: {
            auto *edit = new QLineEdit(parent);
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setText(caption);
            // The tooltip of a value a handler wrote no longer holds the text once it is edited.
            QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] { edit->setToolTip({}); });
            widget = edit;
            break;
        }
        case Kind::Button: {
            auto *button = new WrapButton(caption, parent);
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            break;
        }
        case Kind::CheckBox: {
            auto *box = new QCheckBox(caption, parent);
            box->setChecked(true);
            widget = box;
            break;
        }
        case Kind::Frame:
            widget = new FrameBox(caption, parent);
            break;
        }
        if (control.background)
            paintBackground(widget, toQColor(*control.background));
        widget->setObjectName(toQString(control.name));
        widget->setFont(fontFor(row.font));
        const Rect &r = control.local;
        widget->setGeometry(r.left, r.top, r.width, r.height);
        if (!control.focusable)
            widget->setFocusPolicy(Qt::NoFocus);
        return widget;
    }

    std::vector<QObject *> addMenu(FormWindow *window, std::span<const MenuRow> menu)
    {
        std::vector<QObject *> actions;
        for (const MenuRow &item : menu) {
            QAction *action = window->menuBar()->addAction(toQString(item.caption));
            action->setObjectName(toQString(item.name));
            action->setShortcut(QKeySequence(toQString(item.shortcut), QKeySequence::PortableText));
            actions.push_back(action);
        }
        if (!menu.empty())
            keepTextReadable(window->menuBar()); // it inherits the desktop colour from the window
        return actions;
    }

    QWidget *addClient(FormWindow *window, const ResolvedLayout &layout, const QColor &desktop)
    {
        auto *client = new QWidget(window);
        client->setObjectName(QStringLiteral("client"));
        paintBackground(client, desktop);
        // No minimum size: a window made smaller than its layout clips its controls, which keep
        // their place and size.
        client->resize(layout.clientWidth, layout.clientHeight);
        window->setCentralWidget(client);
        return client;
    }

    // Creates the controls, in table order, which puts frames before their children.
    std::vector<QWidget *> addControls(const ResolvedLayout &layout, QWidget *client)
    {
        std::vector<QWidget *> widgets;
        for (const ResolvedControl &control : layout.controls) {
            QWidget *parent = control.parent < 0 ? client : widgets[std::size_t(control.parent)];
            widgets.push_back(createControl(control, parent));
        }
        // Labels are drawn beneath every other control, as where a button overlaps a label.
        for (std::size_t i = 0; i < widgets.size(); ++i) {
            if (layout.controls[i].row->kind != Kind::Label)
                widgets[i]->raise();
        }
        return widgets;
    }

    // Prompts name the controls beside them: text boxes through the buddy relation (Qt then uses
    // the prompt's caption as the name), other controls through their description, which a
    // prompt label keeps in step with its caption.
    void linkPrompts(const ResolvedLayout &layout, const std::vector<QWidget *> &widgets)
    {
        for (std::size_t i = 0; i < widgets.size(); ++i) {
            const ResolvedControl &control = layout.controls[i];
            if (control.prompt < 0)
                continue;
            QWidget *prompt = widgets[std::size_t(control.prompt)];
            auto *promptLabel = qobject_cast<QLabel *>(prompt);
            if (promptLabel && control.row->kind == Kind::TextBox) {
                promptLabel->setBuddy(widgets[i]);
                continue;
            }
            widgets[i]->setAccessibleDescription(prompt->property("text").toString());
            if (promptLabel)
                PromptLink::of(promptLabel).describe(widgets[i]);
        }
    }

    void setTabOrder(const ResolvedLayout &layout, const std::vector<QWidget *> &widgets)
    {
        QWidget *first = nullptr;
        QWidget *previous = nullptr;
        for (int i : layout.tabOrder) {
            if (!layout.controls[std::size_t(i)].focusable)
                continue;
            QWidget *widget = widgets[std::size_t(i)];
            if (previous)
                QWidget::setTabOrder(previous, widget);
            else
                first = widget;
            previous = widget;
        }
        if (first)
            first->setFocus();
    }

} // namespace

Native *Window::Impl::native(QObject *object) const
{
    std::unique_ptr<Native> &native = natives[object];
    if (!native)
        native = std::make_unique<Native>(Native {object});
    return native.get();
}

Window::Window(const WindowSpec &table)
    : m_table(&table)
    , m_impl(std::make_unique<Impl>())
{
    m_impl->window = std::make_unique<FormWindow>();
    FormWindow *window = m_impl->window.get();
    const ResolvedLayout layout = resolve(table);
    const QColor desktop = toQColor(desktopColor());
    window->setObjectName(toQString(table.name));
    window->setWindowTitle(toQString(table.caption));
    paintBackground(window, desktop);
    m_impl->menu = addMenu(window, table.menu);
    QWidget *client = addClient(window, layout, desktop);
    const std::vector<QWidget *> widgets = addControls(layout, client);
    m_impl->controls.assign(widgets.begin(), widgets.end());
    setTabOrder(layout, widgets);
    linkPrompts(layout, widgets);
    m_impl->live = std::make_unique<LiveRegion>(window);
    startLiveFields(layout);

    const int menuHeight = table.menu.empty() ? 0 : window->menuBar()->sizeHint().height();
    window->resize(layout.clientWidth, layout.clientHeight + menuHeight);
}

Window::~Window() = default;

void Window::show()
{
    FormWindow *window = m_impl->window.get();
    window->show();
    window->raise();
    window->activateWindow();
}

void Window::hide()
{
    m_impl->window->hide();
}

bool Window::isVisible() const
{
    return m_impl->window->isVisible();
}

Color Window::background() const
{
    return toColor(m_impl->window->palette().color(QPalette::Window));
}

Native *binding::control(const Window::Impl &window, int index)
{
    return window.native(window.controls.at(std::size_t(index)));
}

Native *binding::menuItem(const Window::Impl &window, int index)
{
    return window.native(window.menu.at(std::size_t(index)));
}

void binding::onClose(Window::Impl &window, std::function<void()> handler)
{
    window.window->setCloseHandler(std::move(handler));
}

void binding::announce(Window::Impl &window, std::u16string_view text)
{
    window.live->announce(toQString(text));
}

QWidget *widgetOf(const Window &window)
{
    return window.impl().window.get();
}

} // namespace ui
