#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The checksums of an evidence package: the SHA-256 of every file in the package folder in the
// text `sha256sum` writes and checks ("SHA256SUMS": one "<64 hex digits><2 blanks><name>" line
// per file), and the check of a folder against it. MANIFEST.json, which names the sources with
// their own checksums, is one of the files listed, so a change to it shows as well.
//
// The list is read from a file that may have been tampered with: it is read up to
// MaxSumsBytes, every line is checked for its form, and a name is accepted only as a plain file
// name inside the folder (no separator, no "." or "..", no control character), so a check never
// reads outside the folder it was given.
//
// Threads: stateless; any thread (the file functions read on the calling thread).
class EvidenceManifest
{
public:
    static constexpr const char *SumsName = "SHA256SUMS";
    static constexpr const char *ManifestName = "MANIFEST.json";
    // A package lists a few files; a list this long is not one this program wrote.
    static constexpr int MaxSumsBytes = 1024 * 1024;

    struct Entry
    {
        QString name; // file name inside the package folder
        QByteArray sha256; // 64 lower-case hex digits
    };
    enum class State { Ok = 0, Changed = 1, Missing = 2, Unlisted = 3 };
    struct Check
    {
        QString name;
        State state = State::Ok;
    };

    // The SHA-256 of a file in lower-case hex, read in pieces; empty (with the reason) when it
    // cannot be read.
    static QByteArray fileSha256(const QString &path, QString *error);
    // The list's text for these entries, in their order.
    static QByteArray sumsText(const QVector<Entry> &entries);
    // Reads a list as sumsText writes it (a "*" before the name, as `sha256sum -b` writes, is
    // taken too; upper-case digits are lowered). False, with the line and reason, otherwise.
    static bool parseSums(const QByteArray &text, QVector<Entry> *entries, QString *error);
    // Whether a name may stand in the list.
    static bool isPlainName(const QString &name);
    // Checks the folder against its SHA256SUMS: each listed file Ok, Changed or Missing, and
    // each other file of the folder Unlisted (the list itself aside). False, with the reason,
    // when the list cannot be read or parsed.
    static bool verify(const QString &folder, QVector<Check> *checks, QString *error);
    static QString stateText(State state);
};
