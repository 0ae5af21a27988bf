#include "app/display.h"

#include "app/identity.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

namespace {

    // A copy of a context's strings, null where the context's is (the default message format
    // tells "no category" from an empty one).
    using Text = std::optional<std::string>;

    Text copied(const char *text)
    {
        return text ? Text(text) : std::nullopt;
    }

    const char *pointer(const Text &text)
    {
        return text ? text->c_str() : nullptr;
    }

    struct HeldMessage
    {
        QtMsgType type;
        Text file, function, category;
        int line;
        QString text;
    };

    QtMessageHandler previousHandler = nullptr;
    std::vector<HeldMessage> held;

    QByteArray described(const char *variable)
    {
        return qEnvironmentVariableIsSet(variable) ? variable + QByteArray("=") + qgetenv(variable)
                                                   : variable + QByteArray(" unset");
    }

    // Qt's own messages before the fatal one ("could not connect to display", "Could not load the
    // Qt platform plugin") say the same less plainly; only a plugin that is not installed at all
    // is worth naming, since a display server may then be running.
    [[noreturn]] void noDisplay()
    {
        QByteArray facts = described("DISPLAY") + ", " + described("WAYLAND_DISPLAY");
        if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            facts += ", " + described("QT_QPA_PLATFORM");
        const QString missing = QStringLiteral("Could not find the Qt platform plugin ");
        for (const HeldMessage &message : held) {
            if (message.text.startsWith(missing)) {
                const QString name = message.text.mid(missing.size()).section(u'"', 1, 1);
                facts += "; no Qt platform plugin \"" + name.toLocal8Bit() + '"';
            }
        }
        std::fprintf(stderr,
            "%.*s: cannot open a window, no display server reached (%s); start it in a desktop "
            "session, or set DISPLAY or WAYLAND_DISPLAY to a running display server\n",
            int(ExecutableName.size()), ExecutableName.data(), facts.constData());
        std::fflush(stderr);
        // Not exit(): the application object is half built, and its statics must not be torn
        // down.
        std::_Exit(1);
    }

    void release()
    {
        qInstallMessageHandler(previousHandler);
        for (const HeldMessage &message : std::exchange(held, {})) {
            const QMessageLogContext context(pointer(message.file), message.line,
                pointer(message.function), pointer(message.category));
            previousHandler(message.type, context, message.text);
        }
    }

    void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin")))
            noDisplay();
        if (type == QtFatalMsg) { // any other fatal message keeps Qt's own ending
            release();
            previousHandler(type, context, text);
            return;
        }
        held.push_back({type, copied(context.file), copied(context.function),
            copied(context.category), context.line, text});
    }

} // namespace

StartGuard::StartGuard()
{
    previousHandler = qInstallMessageHandler(holdMessage);
}

StartGuard::~StartGuard()
{
    started();
}

void StartGuard::started()
{
    if (std::exchange(m_holding, false))
        release();
}

} // namespace app
