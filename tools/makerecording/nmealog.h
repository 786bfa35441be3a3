#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Reads the RMC sentences of an NMEA log. Main thread only.
class NmeaLog
{
public:
    // The RMC sentences ($GPRMC, $GNRMC, ...) of the file in file order, each exactly as written
    // (from its "$" to the end of the line, checksum included, without the line ending). Comment
    // lines starting with "#" and all other sentences are skipped. False with a message when the
    // file cannot be read or holds no RMC sentence.
    static bool readRmcSentences(const QString &path, QList<QByteArray> *sentences, QString *error);

    // True for a line holding an RMC sentence: "$", a five-character address ending in "RMC", ",".
    static bool isRmcSentence(const QByteArray &line);
    // True for an RMC sentence with a valid fix ("A") and at least 13 fields, the form the
    // viewer accepts.
    static bool isUsableFix(const QByteArray &sentence);
};
