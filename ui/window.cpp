#include "ui/window.h"

#include "ui/convert.h"
#include "ui/platform.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

namespace ui {

int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

namespace {

    QFont fontFor(Font font)
    {
        auto make = [](const QString &family, double points, QFont::Weight weight) {
            QFont f(family);
            f.setPointSizeF(points);
            f.setWeight(weight);
            return f;
        };
        static const QString japaneseGothic = QStringLiteral(u"ＭＳ Ｐゴシック");
        switch (font) {
        case Font::Value:
            return make(japaneseGothic, 12, QFont::Normal);
        case Font::Kanji:
            return make(japaneseGothic, 24, QFont::Normal);
        case Font::Title:
            return make(QStringLiteral("Tahoma"), 20.25, QFont::Bold);
        case Font::Heading:
            return make(QStringLiteral("Lucida Sans Unicode"), 12, QFont::Normal);
        case Font::SmallHeading:
            return make(QStringLiteral("Lucida Sans Unicode"), 9.75, QFont::Normal);
        case Font::Default:
            break;
        }
        return QApplication::font();
    }

    void paintBackground(QWidget *widget, const QColor &color)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, color);
        widget->setPalette(palette);
        widget->setBackgroundRole(QPalette::Window); // buttons would fill with their Button role
        widget->setAutoFillBackground(true);
    }

    QWidget *createControl(const ControlRow &row, QWidget *parent, const QColor &desktop)
    {
        const QString caption = toQString(row.caption);
        QWidget *widget = nullptr;
        switch (row.kind) {
        case Kind::Label: {
            QLabel *label
                = row.index >= 0 ? new CellLabel(row.index, parent) : new FitLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(
                (row.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            label->setText(caption);
            paintBackground(label, desktop);
            widget = label;
            break;
        }
        case Kind::TextBox: {
            auto *edit = new QLineEdit(parent);
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setText(caption);
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
            paintBackground(box, desktop);
            widget = box;
            break;
        }
        case Kind::Frame: {
            auto *frame = new FrameBox(caption, parent);
            paintBackground(frame, desktop);
            widget = frame;
            break;
        }
        }
        widget->setObjectName(objectName(row.name, row.index));
        widget->setFont(fontFor(row.font));
        widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
            twipsToPixels(row.width), twipsToPixels(row.height));
        if (row.tab == NoTab || row.kind == Kind::Label || row.kind == Kind::Frame)
            widget->setFocusPolicy(Qt::NoFocus);
        return widget;
    }

    template <typename T> T *find(const FormWindow *window, std::string_view name)
    {
        auto *widget = window->findChild<T *>(toQString(name));
        if (!widget)
            throw std::logic_error("no control named " + std::string(name));
        return widget;
    }

} // namespace

Window::Window(const WindowSpec &layout)
    : m_window(std::make_unique<FormWindow>())
{
    const QColor desktop = toQColor(desktopColor());
    m_window->setObjectName(toQString(layout.name));
    m_window->setWindowTitle(toQString(layout.caption));
    paintBackground(m_window.get(), desktop);

    for (const MenuRow &item : layout.menu) {
        QAction *action = m_window->menuBar()->addAction(toQString(item.caption));
        action->setObjectName(toQString(item.name));
    }

    auto *client = new QWidget(m_window.get());
    client->setObjectName(QStringLiteral("client"));
    paintBackground(client, desktop);
    client->setMinimumSize(twipsToPixels(layout.clientWidth), twipsToPixels(layout.clientHeight));
    m_window->setCentralWidget(client);

    // Frames come before their children in the table, so a parent always exists when needed.
    std::vector<std::pair<int, QWidget *>> focusable;
    std::vector<QWidget *> windowed;
    for (const ControlRow &row : layout.controls) {
        QWidget *parent = row.parent.empty() ? client : find<QWidget>(m_window.get(), row.parent);
        QWidget *widget = createControl(row, parent, desktop);
        if (widget->focusPolicy() != Qt::NoFocus)
            focusable.emplace_back(row.tab, widget);
        if (row.kind != Kind::Label)
            windowed.push_back(widget);
    }
    // Labels are drawn beneath every other control, as where a button overlaps a label.
    for (QWidget *widget : windowed)
        widget->raise();

    // Prompts name the controls beside them: text boxes through the buddy relation (Qt then uses
    // the prompt's caption as the name), other controls through their description.
    for (const ControlRow &row : layout.controls) {
        if (row.prompt.empty())
            continue;
        auto *control = find<QWidget>(m_window.get(), row.name);
        auto *prompt = find<QWidget>(m_window.get(), row.prompt);
        control->setProperty("prompt", prompt->objectName());
        auto *promptLabel = qobject_cast<QLabel *>(prompt);
        if (promptLabel && row.kind == Kind::TextBox) {
            promptLabel->setBuddy(control);
        } else {
            if (promptLabel)
                promptLabel->setProperty("isPrompt", true);
            const QVariant text = prompt->property("text");
            control->setAccessibleDescription(text.toString());
        }
    }

    std::ranges::stable_sort(focusable, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    if (!focusable.empty())
        focusable.front().second->setFocus();

    const int menuHeight = layout.menu.empty() ? 0 : m_window->menuBar()->sizeHint().height();
    m_window->resize(
        twipsToPixels(layout.clientWidth), twipsToPixels(layout.clientHeight) + menuHeight);
}

Window::~Window() = default;

Label Window::label(std::string_view name) const
{
    return Label(find<QLabel>(m_window.get(), name));
}

TextBox Window::textBox(std::string_view name) const
{
    return TextBox(find<QLineEdit>(m_window.get(), name));
}

Button Window::button(std::string_view name) const
{
    return Button(find<QAbstractButton>(m_window.get(), name));
}

CheckBox Window::checkBox(std::string_view name) const
{
    return CheckBox(find<QCheckBox>(m_window.get(), name));
}

LabelArray Window::labelArray(std::string_view name) const
{
    std::vector<CellLabel *> cells;
    for (int index = 0;; ++index) {
        auto *cell = m_window->findChild<CellLabel *>(objectName(name, index));
        if (!cell)
            break;
        cells.push_back(cell);
    }
    if (cells.empty())
        throw std::logic_error("no label array named " + std::string(name));
    return LabelArray(std::move(cells));
}

MenuItem Window::menuItem(std::string_view name) const
{
    return MenuItem(find<QAction>(m_window.get(), name));
}

void Window::show()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void Window::hide()
{
    m_window->hide();
}

bool Window::isVisible() const
{
    return m_window->isVisible();
}

Color Window::background() const
{
    return toColor(m_window->palette().color(QPalette::Window));
}

void Window::onClose(std::function<void()> handler)
{
    m_window->setCloseHandler(std::move(handler));
}

QWidget *Window::widget() const
{
    return m_window.get();
}

} // namespace ui
