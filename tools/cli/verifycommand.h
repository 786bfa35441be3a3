#pragma once

#include <QStringList>

// vistrel-tool verify DIR: recomputes the SHA-256 of every file an evidence package's
// SHA256SUMS lists and prints each as ok, changed or missing (and files the list does not name
// as unlisted), as JSON. Exit status 0 only when every file is ok.
//
// Threads: the main thread.
class VerifyCommand
{
public:
    static int run(const QStringList &arguments);
};
