// A seeded monkey across both windows of the program as main() wires them: thousands of random
// clicks, typing, answers to the boxes, window switches, F1 and Exit, with what must always hold
// checked after every step. VELMORA_MONKEY_SEED=N replays a run; VELMORA_MONKEY_STEPS=N sets its
// length (the test command's quick run takes fewer).

#include "app/program.h"
#include "data/kanji_table.h"
#include "scripted_dialogs.h"
#include "ui/platform.h"
#include "ui/qt/application.h"
#include "ui/qt/native.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;
using namespace Module1::Col;

namespace {

constexpr quint32 DefaultSeed = 16;

int fromEnvironment(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// What the learner types or copies: the last entry is 100,000 characters, pasted whole.
const QStringList &typingPool()
{
    static const QStringList pool {QString(), u"   "_s, u"\u3000 \u3000"_s, u"みず"_s, u"たべる"_s,
        u"水曜日"_s, u"毎日、友だちと日本語を話します。明日は雨でしょう。"_s, u"𠮟"_s,
        u"<b>水</b> &amp; <i>x</i>"_s, u"water"_s, u"Bad "_s, u"warui"_s, u"iku"_s, u" Aru"_s,
        u"kuru"_s, u"taberu"_s, QString(100'000, u'あ')};
    return pool;
}

const QString Answers[] = {u"1"_s, u"320"_s, u"0"_s, u"-3"_s, u"160.5"_s, u"abc"_s, u""_s,
    u"99999"_s, u"2400"_s, u"319"_s, u" 7 "_s, u"１２"_s};

QString toQ(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

// One key event per character, as a keyboard sends it; QTest::keyClicks knows ASCII only.
void typeKeys(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// Every file under `root`, with its size and time, so that any write shows.
QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files << u"%1 %2 %3"_s.arg(info.filePath())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    return files;
}

} // namespace

class Monkey
{
public:
    explicit Monkey(quint32 seed)
        : m_random(seed)
    {
        m_program.start();
    }

    // One random action of a learner; returns what it did.
    QString step();
    // What no longer holds after the last step, or empty.
    QString problem();

private:
    QWidget *visibleWindow() const;
    QString click(QWidget *window);
    QString type(QWidget *window);
    QStringList recordView();
    std::optional<int> rowShown(bool *empty);

    QRandomGenerator m_random;
    ScriptedDialogs m_dialogs;
    int m_ended = 0;
    Program m_program {m_dialogs, [this] {
                           ++m_ended;
                       }};

    // What the last step started from, to judge what it changed.
    QWidget *m_stepWindow = nullptr;
    qsizetype m_boxesBefore = 0;
    qsizetype m_promptsBefore = 0;
    int m_endedBefore = 0;
    int m_currentBefore = 0;
    QStringList m_viewBefore;
    bool m_exited = false;
    // CurrentRecord was last moved by an answer to a browsing prompt, which shows nothing.
    bool m_movedByPrompt = false;
    Form2 *m_form2 = nullptr;
    QPointer<QWidget> m_form2Widget;
    QString m_clipboard;
};

// The one visible window, or null when none or more than one is.
QWidget *Monkey::visibleWindow() const
{
    QWidgetList shown;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->isVisible()
            && (top->windowType() == Qt::Window || top->windowType() == Qt::Dialog))
            shown << top;
    }
    return shown.size() == 1 ? shown.front() : nullptr;
}

QStringList Monkey::recordView()
{
    QStringList view;
    for (const char *name :
        {"Label1", "Label2", "Label3", "Label11", "Label13", "Label15", "Label18"}) {
        view << ui::widgetOf(m_program.dictionary().window())
                    ->findChild<QLabel *>(QLatin1StringView(name))
                    ->text();
    }
    return view;
}

QString Monkey::step()
{
    m_stepWindow = visibleWindow();
    m_boxesBefore = m_dialogs.owners.size();
    m_promptsBefore = m_dialogs.prompts.size();
    m_endedBefore = m_ended;
    m_currentBefore = m_program.dictionary().currentRecord();
    m_viewBefore = recordView();
    m_exited = false;
    m_dialogs.answers.clear();
    if (m_random.bounded(4) != 0) // otherwise the next box is cancelled
        m_dialogs.answers.push_back(Answers[m_random.bounded(int(std::size(Answers)))]);

    QString done;
    const int kind = m_random.bounded(100);
    const QString window = m_stepWindow->objectName();
    if (kind < 50) {
        done = click(m_stepWindow);
    } else if (kind < 72) {
        done = type(m_stepWindow);
    } else if (kind < 77) {
        m_clipboard = typingPool()[m_random.bounded(int(typingPool().size()))];
        QApplication::clipboard()->setText(m_clipboard);
        done = u"copy %1 characters elsewhere"_s.arg(m_clipboard.size());
    } else if (kind < 81) {
        QTest::keyClick(m_stepWindow, Qt::Key_F1);
        done = u"F1 in "_s + window;
    } else if (kind < 84) {
        m_exited = window == u"Form1"_s;
        m_stepWindow->close();
        done = u"close box of "_s + window;
    } else {
        const QString button = window == u"Form1"_s ? u"Command10"_s : u"Command2"_s;
        QTest::mouseClick(m_stepWindow->findChild<QWidget *>(button), Qt::LeftButton);
        done = u"switch from "_s + window;
    }
    QCoreApplication::processEvents();
    return done;
}

QString Monkey::click(QWidget *window)
{
    // A kind of control first, so that the 62 cells do not crowd out the buttons.
    QList<QWidget *> controls;
    const int kind = m_random.bounded(10);
    auto *help = window->findChild<QAction *>(u"Help"_s);
    if (kind == 9 && help) {
        help->trigger();
        return u"Help"_s;
    }
    // Labels: half the time only the kanji cells that hold a character, which a learner aims at.
    const bool filledCells = kind >= 5 && kind < 8 && m_random.bounded(2) == 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool box = qobject_cast<QCheckBox *>(w) || qobject_cast<QLineEdit *>(w);
        auto *label = qobject_cast<QLabel *>(w);
        if (filledCells
                ? label && w->objectName().startsWith(u"Label2[") && !label->text().isEmpty()
                : kind >= 8 ? box
                : kind >= 5 ? bool(label)
                            : qobject_cast<QAbstractButton *>(w) && !box)
            controls << w;
    }
    controls.removeIf([](QWidget *w) { return !w->isVisible(); });
    if (controls.isEmpty())
        return u"nothing to click"_s;
    QWidget *target = controls[m_random.bounded(int(controls.size()))];
    if (target->objectName() == u"Command1"_s && window->objectName() == u"Form1"_s)
        m_exited = true;
    QTest::mouseClick(target, Qt::LeftButton);
    return u"click %1.%2"_s.arg(window->objectName(), target->objectName());
}

QString Monkey::type(QWidget *window)
{
    QList<QLineEdit *> boxes = window->findChildren<QLineEdit *>();
    boxes.removeIf([](QLineEdit *box) { return !box->isVisible(); });
    QLineEdit *box = boxes[m_random.bounded(int(boxes.size()))];
    const int which = m_random.bounded(int(typingPool().size()));
    const QString &text = typingPool()[which];
    // A box already holding the long text is typed over: keys added to it would each lay out
    // 100,000 characters again, and the run would spend its time there.
    const bool replace = m_random.bounded(2) == 0 || box->text().size() >= 100'000;
    if (replace) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    if (which == typingPool().size() - 1)
        box->insert(text); // as a paste inserts it; a key event each would take minutes
    else
        typeKeys(box, text);
    return u"%1 %2 characters in %3.%4"_s.arg(replace ? u"type"_s : u"add"_s)
        .arg(text.size())
        .arg(window->objectName(), box->objectName());
}

// The row the record view shows whole, or nothing when it shows no row (or a mix of rows).
std::optional<int> Monkey::rowShown(bool *empty)
{
    const QStringList view = recordView();
    *empty = std::all_of(view.begin(), view.end(), [](const QString &s) { return s.isEmpty(); });
    const int row = view[5].trimmed().toInt();
    if (row < 1 || row > Module1::RecordCount)
        return std::nullopt;
    const Module1::Row &record = Module1::KanjiTable[std::size_t(row)];
    const QStringList expected {toQ(record[Kanji]), view[1], toQ(record[Onyomi]),
        toQ(record[Example]), toQ(record[Indonesian]), toQ(record[Number]), toQ(record[Level])};
    const bool label2 = view[1] == toQ(record[Kunyomi]) || view[1] == toQ(record[English]);
    if (view != expected || !label2)
        return std::nullopt;
    return row;
}

QString Monkey::problem()
{
    Form1 &form1 = m_program.dictionary();
    const int current = form1.currentRecord();
    // The first-record prompt stores the answer plus one, so RecordCount + 1 names the last row.
    if (current < 0 || current > Module1::RecordCount + 1)
        return u"CurrentRecord %1 outside 0 to RecordCount + 1"_s.arg(current);

    const bool prompted = m_dialogs.prompts.size() > m_promptsBefore;
    const bool viewChanged = recordView() != m_viewBefore;
    if (viewChanged)
        m_movedByPrompt = false;
    else if (current != m_currentBefore)
        m_movedByPrompt = prompted;
    bool empty = false;
    const std::optional<int> row = rowShown(&empty);
    if (!empty && !row)
        return u"the record view shows no whole row: %1"_s.arg(recordView().join(u" | "));
    if (!empty && *row != current && !m_movedByPrompt)
        return u"the record view shows row %1, CurrentRecord is %2"_s.arg(*row).arg(current);
    if (viewChanged && row) {
        const Module1::Row &record = Module1::KanjiTable[std::size_t(*row)];
        const bool english = recordView()[1] == toQ(record[Kunyomi]);
        const QString text1
            = ui::widgetOf(form1.window())->findChild<QLineEdit *>(u"Text1"_s)->text();
        if (text1 != toQ(record[english ? English : Kunyomi]))
            return u"Text1 \"%1\" is not row %2's"_s.arg(text1.left(40)).arg(*row);
    }

    if (!visibleWindow())
        return u"not exactly one window visible"_s;
    for (qsizetype i = m_boxesBefore; i < m_dialogs.owners.size(); ++i) {
        if (ui::widgetOf(*m_dialogs.owners[i]) != m_stepWindow)
            return u"a box opened over %1, not over the window whose handler opened it"_s.arg(
                ui::widgetOf(*m_dialogs.owners[i])->objectName());
    }
    if (m_ended != m_endedBefore + (m_exited ? 1 : 0))
        return u"the program's end ran %1 times for this step"_s.arg(m_ended - m_endedBefore);

    if (Form2 *form2 = m_program.expression()) {
        if (m_form2 && form2 != m_form2)
            return u"Form2 created a second time"_s;
        if (!m_form2) {
            m_form2 = form2;
            m_form2Widget = ui::widgetOf(form2->window());
        }
        if (!m_form2Widget)
            return u"the first Form2 was destroyed"_s;
        int white = 0;
        for (QLabel *cell : m_form2Widget->findChildren<QLabel *>()) {
            if (cell->objectName().startsWith(u"Label2[")
                && cell->palette().color(QPalette::Window) == Qt::white)
                ++white;
        }
        if (white > 1)
            return u"%1 cells are white"_s.arg(white);
    }
    if (QApplication::clipboard()->text() != m_clipboard)
        return u"the clipboard changed"_s;
    return {};
}

class MonkeyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void randomStepsKeepTheInvariants();

private:
    QTemporaryDir m_sandbox;
    QString m_previousDirectory;
};

// Home, the standard folders, the temporary folder and the current directory all lie in one
// fresh folder, so that a file written anywhere the program could write shows there.
void MonkeyTest::initTestCase()
{
    ui::setUpFonts();
    QVERIFY(m_sandbox.isValid());
    const QDir root(m_sandbox.path());
    for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
             "XDG_STATE_HOME", "TMPDIR"}) {
        QVERIFY(root.mkpath(QLatin1StringView(name)));
        qputenv(name, root.filePath(QLatin1StringView(name)).toLocal8Bit());
    }
    QVERIFY(root.mkpath(u"cwd"_s));
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.filePath(u"cwd"_s)));
    QApplication::clipboard()->clear();
}

void MonkeyTest::cleanupTestCase()
{
    QDir::setCurrent(m_previousDirectory);
}

void MonkeyTest::randomStepsKeepTheInvariants()
{
    const auto seed = quint32(fromEnvironment("VELMORA_MONKEY_SEED", DefaultSeed));
    const int steps = fromEnvironment("VELMORA_MONKEY_STEPS", VELMORA_MONKEY_DEFAULT_STEPS);
    const QStringList filesBefore = filesUnder(m_sandbox.path());
    Monkey monkey(seed);
    QStringList recent;
    QElapsedTimer timer;
    timer.start();
    for (int step = 1; step <= steps; ++step) {
        recent << monkey.step();
        if (recent.size() > 8)
            recent.removeFirst();
        QString problem = monkey.problem();
        if (problem.isEmpty() && filesUnder(m_sandbox.path()) != filesBefore)
            problem = u"a file was written: %1"_s.arg(filesUnder(m_sandbox.path()).join(u", "));
        if (!problem.isEmpty()) {
            QFAIL(qPrintable(u"seed %1, step %2: %3\nlast steps: %4\nreplay with "
                             "VELMORA_MONKEY_SEED=%1"_s.arg(seed)
                                 .arg(step)
                                 .arg(problem, recent.join(u"; "))));
        }
    }
    // Not qInfo: the offscreen platform's warnings on every switch use up QtTest's message limit.
    std::printf("seed %u: %d steps in %s s\n", seed, steps,
        qPrintable(QString::number(double(timer.elapsed()) / 1000, 'f', 1)));
}

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
