#include "app/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <charconv>

namespace app {

namespace {

    bool namesGnome(std::string_view desktops)
    {
        while (!desktops.empty()) {
            const std::size_t colon = desktops.find(':');
            const std::string_view desktop = desktops.substr(0, colon);
            if (desktop.size() == 5) {
                std::string lower(desktop);
                for (char &c : lower)
                    c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                if (lower == "gnome")
                    return true;
            }
            if (colon == desktops.npos)
                break;
            desktops.remove_prefix(colon + 1);
        }
        return false;
    }

    // Qt 6.8 brings a title bar in the desktop's style: from then on Qt's own choice stands.
    bool beforeQt68(std::string_view version)
    {
        int major = 0;
        int minor = 0;
        const char *end = version.data() + version.size();
        auto read = std::from_chars(version.data(), end, major);
        if (read.ec != std::errc() || read.ptr == end || *read.ptr != '.')
            return false; // not a version: no reason to leave Qt's choice
        if (std::from_chars(read.ptr + 1, end, minor).ec != std::errc())
            return false;
        return major < 6 || (major == 6 && minor < 8);
    }

    bool xDisplayReachable()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            return false;
        xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
        const bool reached = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return reached;
    }

} // namespace

std::string_view platformFor(const PlatformFacts &facts)
{
    // Qt reads an empty QT_QPA_PLATFORM as unset.
    if (facts.qtQpaPlatform && !facts.qtQpaPlatform->empty())
        return {};
    if (namesGnome(facts.currentDesktop) && beforeQt68(facts.qtVersion) && facts.xDisplayReachable)
        return "xcb";
    return {};
}

void choosePlatform()
{
    PlatformFacts facts;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        facts.qtQpaPlatform = qgetenv("QT_QPA_PLATFORM").toStdString();
    facts.currentDesktop = qgetenv("XDG_CURRENT_DESKTOP").toStdString();
    facts.qtVersion = qVersion();
    // Connecting costs a round trip to the X server: only where it can change the choice.
    facts.xDisplayReachable = true;
    if (platformFor(facts).empty())
        return;
    facts.xDisplayReachable = xDisplayReachable();
    const std::string_view platform = platformFor(facts);
    if (!platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray(platform.data(), qsizetype(platform.size())));
}

} // namespace app
