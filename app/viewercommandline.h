#pragma once

#include <QString>
#include <QStringList>

// The viewer's own command line: --help and --version, and the recording or folder to open.
// The framework takes its options (-platform, -style, -reverse, ...) out of the arguments when
// the application object is created; --help and --version are answered before that, so they
// need no display (the man page is made from --help at build time).
class ViewerCommandLine
{
public:
    enum Action { Run, Help, Version, Error };

    // Exit codes of the viewer.
    static constexpr int ExitOk = 0;
    static constexpr int ExitPlayerFailed = 1; // the player did not shut down in order
    static constexpr int ExitUsage = 2; // a wrong command line

    // Looks through the raw arguments (before the framework has seen them) for --help and
    // --version; Run when there is neither. Options end at "--".
    static Action early(const QStringList &arguments);

    // The arguments left after the framework took its own (program name first): the first
    // one that is not an option is the path to open; further ones are ignored, "--" makes the
    // next one the path whatever it begins with. Any other argument beginning with "-" is an
    // error (the reason in *error). --verbose (before or after the path) sets *verbose: every
    // debug line on.
    static Action parse(const QStringList &arguments,
                        QString *path,
                        QString *error,
                        bool *verbose = nullptr);

    static QString helpText();
    // "vistrel VERSION".
    static QString versionText();
};
