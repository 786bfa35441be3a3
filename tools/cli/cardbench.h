#pragma once

#include <QJsonObject>
#include <QString>

// The memory-card figure of the benchmark: a card of N recordings (generated names, empty
// files in DRIVING, EVENT and PARKING) is listed the way the viewer lists it: folder scan,
// sort and the play list's tables filled (PlayListWidget::loadPlayList on a card root).
//
// Threads: the GUI thread of a child process (the play list is a widget).
class CardBench
{
public:
    // Writes a card of `count` recordings into folder (which must not exist). False when a
    // file cannot be made.
    static bool makeCard(const QString &folder, int count);

    // Child side: lists the card once and prints {"ms", "rows", "rss_before_kb",
    // "rss_after_kb"}. Returns the exit code.
    static int runChild(const QString &folder);

    // Parent side: cards of count / 4, count / 2 and count recordings in a scratch folder,
    // each listed by a child run with `program`. Returns {"ms" (at count), "per_row_kb"
    // [at each size], "rows", "sizes"}, or an object with "error".
    static QJsonObject measure(const QString &program, int count);
};
