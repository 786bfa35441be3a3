#pragma once

#include <QString>

class QFileInfo;

// The camera's file-name grammar: "YYYYMMDD_HHMMSS<k>[<k>][_...].mp4|avi", for example
// 20190314_153012D.mp4 or 20190314_153012NE_F.MP4. Only the name is looked at; the file is
// never opened. Stateless; callable from any thread (the type texts are translated, so
// install translators before calling it from another thread than the GUI thread).
class RecordingName
{
public:
    // Returns the RecordingKind (-1 when the name does not follow the grammar). On success
    // the out-parameters that are not null receive the date text ("2019-03-14"), the time
    // text ("15:30:12") and the translated type text; on -1 they are cleared.
    static int parse(const QFileInfo &info, QString *date, QString *time, QString *type);

    // Type text of a kind; kindLetter is used for RecordingKind::Unknown only.
    static QString typeText(int kind, QChar kindLetter);
};

// The same as RecordingName::parse.
int parseRecordingName(const QFileInfo &info, QString *date, QString *time, QString *type);
