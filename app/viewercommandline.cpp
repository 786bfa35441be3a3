#include "viewercommandline.h"

#include "vistrelversion.h"

namespace {

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

bool isVersion(const QString &arg)
{
    return arg == QLatin1String("--version") || arg == QLatin1String("-v");
}

// A lone "-" names a file like any other argument.
bool isOption(const QString &arg)
{
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

} // namespace

ViewerCommandLine::Action ViewerCommandLine::early(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--"))
            break;
        if (isHelp(arg))
            return Help;
        if (isVersion(arg))
            return Version;
    }
    return Run;
}

ViewerCommandLine::Action ViewerCommandLine::parse(const QStringList &arguments,
                                                   QString *path,
                                                   QString *error,
                                                   bool *verbose)
{
    path->clear();
    if (verbose)
        *verbose = false;
    bool havePath = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--verbose")) {
            if (verbose)
                *verbose = true;
            continue;
        }
        // Past the path only --verbose counts; the rest is ignored.
        if (havePath)
            continue;
        if (arg == QLatin1String("--")) {
            if (i + 1 < arguments.size())
                *path = arguments.at(i + 1);
            return Run;
        }
        if (isHelp(arg))
            return Help;
        if (isVersion(arg))
            return Version;
        if (isOption(arg)) {
            *error = QStringLiteral("unknown option %1 (see --help)").arg(arg);
            return Error;
        }
        *path = arg;
        havePath = true;
    }
    return Run;
}

QString ViewerCommandLine::versionText()
{
    return QStringLiteral("vistrel " VISTREL_VERSION);
}

QString ViewerCommandLine::helpText()
{
    return QStringLiteral(
            "Usage: vistrel [OPTION]... [PATH]\n"
            "Plays the recordings of a vehicle dash camera (MP4 or AVI with up to three camera\n"
            "channels or one 360-degree channel, audio and telemetry) with the route on a map,\n"
            "the speed and the G-sensor curve in step with the picture.\n"
            "\n"
            "PATH is a recording or a folder (for example the root of a camera's memory card):\n"
            "its recordings are listed by kind (driving, event, parking) and played one after\n"
            "another. Further paths are ignored.\n"
            "\n"
            "The programs ffmpeg (export and repair) and ping (map connectivity) are started\n"
            "from the search path. Diagnostics go to stderr. vistrel-tool is the command-line\n"
            "companion.\n"
            "\n"
            "Options:\n"
            "  -h, --help       show this help and exit\n"
            "  -v, --version    show the version and exit\n"
            "  --verbose        write the debug lines of every part to stderr (without it\n"
            "                   only warnings; QT_LOGGING_RULES=\"vistrel.engine.debug=true\"\n"
            "                   picks parts: engine, display, window, map, telemetry,\n"
            "                   playlist, ui)\n"
            "  --               end of options: the next argument is PATH even when it begins\n"
            "                   with \"-\"\n"
            "\n"
            "The Qt toolkit's own options work as well, for example -platform NAME, -style NAME,\n"
            "-reverse, -qwindowgeometry WxH+X+Y.\n"
            "\n"
            "Exit status:\n"
            "  0   the window was closed\n"
            "  1   the player could not be shut down in order (see stderr)\n"
            "  2   a wrong command line\n"
            "\n"
            "Files:\n"
            "  locale           the interface language, one code on the last line: ko, ja, cn,\n"
            "                   zh_CN, zh_TW, fr, ge, sp, du, it, po, ru or pol; without the\n"
            "                   file Korean, with any other code English\n"
            "  model            the product model: ZRA, ZRB, ZRC or ZRD\n"
            "  translations/    the compiled translations that the locale file selects\n"
            "  vistrel.conf     the map settings (tile server, probe host), in ~/.config/vistrel/\n"
            "\n"
            "The first three lie in the folder of the program's real path, whatever link\n"
            "started it.\n"
            "\n"
            "Environment:\n"
            "  VISTREL_MAP_TILES   the tile URL template ({z}/{x}/{y}) for this run\n"
            "  VISTREL_PING_HOST   the host pinged to learn whether the map can be reached\n"
            "  QT_LOGGING_RULES    which debug lines are written, as Qt reads it\n");
}
