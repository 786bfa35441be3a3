#pragma once

#include <QString>
#include <QStringList>

// The usage texts of vistrel-tool, one row per command: --help lists them, `help COMMAND`
// and `COMMAND --help` show one in full, and a command quotes its usage line when its
// arguments are wrong. The man page is made from the same texts at build time.
class ToolUsage
{
public:
    // Exit codes of every command.
    static constexpr int ExitOk = 0;
    static constexpr int ExitFailure = 1; // the command failed; the reason is on stderr
    static constexpr int ExitUsage = 2; // a wrong command line

    static QStringList commands();
    static bool has(const QString &command);
    // "usage: vistrel-tool COMMAND ARGUMENTS" (empty for an unknown command).
    static QString usage(const QString &command);
    // The usage line, what the command does and its options.
    static QString help(const QString &command);
    // The program's help: how to call it, every command, the options and the exit codes.
    static QString overview();
    // "vistrel-tool VERSION".
    static QString versionText();
};
