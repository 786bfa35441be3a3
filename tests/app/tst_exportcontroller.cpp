// "Save files" in the real window: the export dialog, the questions and messages, the wait
// dialog with its Cancel, and the files the real converter writes, opened again in the viewer.
// ctest-labels: gui;engine
#include "app/evidencepackage.h"
#include "app/exportcontroller.h"
#include "app/mainwindow.h"
#include "media/evidencemanifest.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "playlist/playlistwidget.h"
#include "resource/vistrelresource.h"
#include "testrecordings.h"
#include "ui/clipmarks.h"
#include "ui/loadingdialog.h"
#include "ui/progressbardialog.h"
#include "ui/titlebarwidget.h"
#include "windowreadback.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Answers the message boxes that open: records their text and presses the button of the next
// answer (an object name; without one, the box's OK). Folder dialogs are cancelled, or given
// the folder set for them.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QStringList answers = {})
        : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                m_texts << box->text();
                QAbstractButton *button = m_answers.isEmpty()
                        ? box->button(QMessageBox::Ok)
                        : box->findChild<QAbstractButton *>(m_answers.takeFirst());
                if (button)
                    button->click();
                else
                    box->reject();
            } else if (auto *chooser = qobject_cast<QFileDialog *>(modal)) {
                ++m_folderDialogs;
                if (m_folder.isEmpty()) {
                    chooser->reject();
                } else {
                    // Nothing typed: a folder dialog answers with the folder it shows.
                    chooser->setDirectory(m_folder);
                    static_cast<QDialog *>(chooser)->accept();
                }
            }
        });
        m_timer.start(50);
    }
    void chooseFolder(const QString &folder) { m_folder = folder; }
    QStringList texts() const { return m_texts; }
    int folderDialogs() const { return m_folderDialogs; }

private:
    QTimer m_timer;
    QStringList m_answers;
    QStringList m_texts;
    QString m_folder;
    int m_folderDialogs = 0;
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QByteArray bytesOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
}

// The frame numbers drawn in the first and last pictures of a video stream and their count,
// with the channel all of them show: "75-134/60/1" ("none" without pictures).
QString frameSpan(const QString &file, int stream, bool ignoreEditList)
{
    const QVector<QPair<int, int>> frames
            = TestRecordings::readBack(file, stream, 0, 0, ignoreEditList);
    if (frames.isEmpty())
        return QStringLiteral("none");
    int channel = frames.first().second;
    for (const auto &frame : frames)
        channel = frame.second == channel ? channel : 0;
    return QStringLiteral("%1-%2/%3/%4")
            .arg(frames.first().first)
            .arg(frames.last().first)
            .arg(frames.size())
            .arg(channel);
}

} // namespace

class TestExportController : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_exports;
    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<MainWindow> m_window;
    QByteArray m_path;

    // A new window shown, saving into the export folder.
    MainWindow *showWindow()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->setExportFolder(m_exports->path());
        m_window->resize(960, 540);
        m_window->show();
        return m_window.get();
    }

    // A window playing a generated recording placed under a camera's name.
    MainWindow *play(const QStringList &options, const QString &name)
    {
        const QString made = TestRecordings::make(QStringLiteral("save-%1").arg(name), options);
        const QString target = m_folder->filePath(name);
        if (made.isEmpty() || !QFile::copy(made, target))
            return nullptr;
        MainWindow *w = showWindow();
        w->playList()->loadPlayList({target}, true);
        if (!QTest::qWaitFor([w] { return w->mediaInfo().state() == MediaInfo::Playing; }, 20000))
            return nullptr;
        return w;
    }

    // A window playing a trip of two recordings of three seconds each (the second's pictures
    // numbered on from the first's), opened from the Trips view with a double click.
    MainWindow *playTrip(const QStringList &options)
    {
        QStringList names;
        for (int i = 0; i < 2; ++i) {
            const QString made = TestRecordings::make(
                    QStringLiteral("save-trip-part%1.mp4").arg(i + 1),
                    QStringList(options)
                            << QStringLiteral("--duration") << QStringLiteral("3")
                            << QStringLiteral("--seed") << QString::number(i)
                            << QStringLiteral("--first-frame") << QString::number(i * 90));
            names << m_folder->filePath(QStringLiteral("20240101_13000%1D.mp4").arg(3 * i));
            if (made.isEmpty() || !QFile::copy(made, names.last()))
                return nullptr;
        }
        MainWindow *w = showWindow();
        w->playList()->loadPlayList(names, false);
        if (!openOnlyTrip(w, 2))
            return nullptr;
        if (!QTest::qWaitFor([w] { return w->mediaInfo().state() == MediaInfo::Playing; }, 20000))
            return nullptr;
        return w;
    }

    // The title bar's "Save files": the dialog opens over the disabled, paused window.
    ProgressbarDialog *openDialog(MainWindow *w)
    {
        QPushButton *save = w->findChild<TitleBarWidget *>()->button(QStringLiteral("splitButton"));
        if (!save || !save->isEnabled())
            return nullptr;
        save->click();
        ProgressbarDialog *dialog = w->exportDialog();
        if (!dialog || !dialog->isVisible() || !dialog->isModal() || w->isEnabled())
            return nullptr;
        if (!QTest::qWaitFor([w] { return w->mediaInfo().state() == MediaInfo::Paused; }, 5000))
            return nullptr;
        return dialog;
    }

    static QPushButton *dialogButton(ProgressbarDialog *dialog, const char *name)
    {
        return dialog->findChild<QPushButton *>(QLatin1String(name));
    }

    // Writes a stand-in converter named ffmpeg and puts it first on the search path.
    void useStandIn(const QByteArray &body)
    {
        QFile file(m_bin->filePath(QStringLiteral("ffmpeg")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nfor out; do :; done\n" + body + "\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", QFile::encodeName(m_bin->path()) + ':' + m_path);
    }

private slots:
    void initTestCase()
    {
        initVistrelResources();
        m_path = qgetenv("PATH");
    }

    void init()
    {
        GlobalSettings::resetToDefaults();
        m_folder = std::make_unique<QTemporaryDir>();
        m_exports = std::make_unique<QTemporaryDir>();
        m_bin = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        qputenv("PATH", m_path);
        if (m_window) {
            m_window->close();
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 30000);
            m_window.reset();
        }
    }

    void saveFiles_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("damaged"); // the window plays its repaired copy
        QTest::addColumn<QString>("button"); // "originalButton" or "splitButton"
        QTest::addColumn<QString>("before"); // "existing", "source folder", "broken converter"
        QTest::addColumn<QStringList>("answers"); // to the question before replacing
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("files"); // in the export folder afterwards

        const QString name = QStringLiteral("20240101_100000D");
        const QString front = name + QStringLiteral("_f.mp4");
        const QString rear = name + QStringLiteral("_r.mp4");
        const QString inner = name + QStringLiteral("_i.mp4");
        const QString saved = QStringLiteral("Saved successfully");
        const QString failed = QStringLiteral("Failed to save the file");
        QTest::newRow("three channels, Separate")
                << 3 << false << QStringLiteral("splitButton") << QString() << QStringList()
                << saved << QStringList {front, inner, rear};
        QTest::newRow("one channel, Original")
                << 1 << false << QStringLiteral("originalButton") << QString() << QStringList()
                << saved << QStringList {name + QStringLiteral(".mp4")};
        QTest::newRow("an existing file, not replaced")
                << 2 << false << QStringLiteral("splitButton") << QStringLiteral("existing")
                << QStringList {QStringLiteral("cancelReplaceButton")} << QString()
                << QStringList {rear};
        QTest::newRow("an existing file, replaced")
                << 2 << false << QStringLiteral("splitButton") << QStringLiteral("existing")
                << QStringList {QStringLiteral("replaceButton")} << saved
                << QStringList {front, rear};
        QTest::newRow("the recording's own folder, Original")
                << 2 << false << QStringLiteral("originalButton") << QStringLiteral("source folder")
                << QStringList() << QStringLiteral("cannot be saved over itself") << QStringList();
        QTest::newRow("the converter fails on the rear file")
                << 2 << false << QStringLiteral("splitButton") << QStringLiteral("broken converter")
                << QStringList() << failed << QStringList();
        QTest::newRow("the repaired copy, Original")
                << 2 << true << QStringLiteral("originalButton") << QString() << QStringList()
                << saved
                << QStringList {name + QStringLiteral(".avi"), name + QStringLiteral("tmp.avi")};
    }

    // What each choice writes and says, and that the window always comes back playing.
    void saveFiles()
    {
        QFETCH(int, channels);
        QFETCH(bool, damaged);
        QFETCH(QString, button);
        QFETCH(QString, before);
        QFETCH(QStringList, answers);
        QFETCH(QString, message);
        QFETCH(QStringList, files);

        QStringList options;
        for (int i = 0; i < channels; ++i)
            options << QStringLiteral("--video") << QStringLiteral("320x180");
        options << QStringLiteral("--duration") << QStringLiteral("8");
        if (damaged)
            options << QStringLiteral("--damage") << QStringLiteral("avi-no-index");
        else
            options << QStringLiteral("--telemetry") << QStringLiteral("tlmd");
        const QString name = damaged ? QStringLiteral("20240101_100000D.avi")
                                     : QStringLiteral("20240101_100000D.mp4");
        MainWindow *w = play(options, name);
        QVERIFY(w);
        const QString source = m_folder->filePath(name);
        const int gps = w->telemetry().gpsCount();

        if (before == QLatin1String("existing")) {
            QFile earlier(m_exports->filePath(QStringLiteral("20240101_100000D_r.mp4")));
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        } else if (before == QLatin1String("broken converter")) {
            useStandIn("case \"$out\" in *_r.mp4) exit 1;; esac\nexec /usr/bin/ffmpeg \"$@\"");
        }

        ProgressbarDialog *dialog = openDialog(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->GetPathText(), m_exports->path());
        QCOMPARE(dialogButton(dialog, "splitButton")->isEnabled(), channels > 1);
        if (before == QLatin1String("source folder"))
            dialog->SetPathText(m_folder->path());

        BoxAnswerer answerer(answers);
        QSignalSpy finished(w->exportController(), &ExportController::exportFinished);
        dialogButton(dialog, qPrintable(button))->click();
        QVERIFY(!dialog->isVisible());
        if (!message.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(answerer.texts().size(), answers.size() + 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
        if (!message.isEmpty())
            QVERIFY2(answerer.texts().last().contains(message),
                     qPrintable(answerer.texts().last()));
        else
            QCOMPARE(answerer.texts().size(), answers.size());
        QCOMPARE(filesIn(m_exports->path()), files);
        if (before == QLatin1String("existing")
            && answers.first() != QLatin1String("replaceButton"))
            QCOMPARE(bytesOf(m_exports->filePath(files.first())), QByteArray("earlier"));
        if (button == QLatin1String("originalButton") && !damaged && !files.isEmpty())
            QVERIFY(bytesOf(m_exports->filePath(files.first())) == bytesOf(source));
        if (message != QLatin1String("Saved successfully") || damaged)
            return;
        QCOMPARE(finished.count(), 1);

        // Each file plays in the viewer with its channel and the recording's telemetry.
        QVERIFY(gps > 0);
        const QStringList suffixes {
                QStringLiteral("_f."), QStringLiteral("_r."), QStringLiteral("_i.")};
        for (const QString &name : files) {
            const QString file = m_exports->filePath(name);
            int channel = 1;
            for (int c = 0; c < suffixes.size(); ++c)
                channel = name.contains(suffixes.at(c)) ? c + 1 : channel;
            w->playList()->loadPlayList({file}, true);
            QTRY_VERIFY_WITH_TIMEOUT(w->mediaInfo().currentPath() == file
                                             && w->mediaInfo().state() == MediaInfo::Playing,
                                     20000);
            QCOMPARE(w->telemetry().gpsCount(), gps);
            QTRY_COMPARE_WITH_TIMEOUT(onScreen(w).channel, channel, 10000);
        }
    }

    void dialog_data()
    {
        QTest::addColumn<QString>("action"); // what the user does in the dialog
        QTest::addRow("Escape") << QStringLiteral("escape");
        QTest::addRow("Cancel") << QStringLiteral("cancel");
        QTest::addRow("Browse, cancelled") << QStringLiteral("browse cancelled");
        QTest::addRow("Browse, another folder") << QStringLiteral("browse");
    }

    // Leaving the dialog brings the window back playing; the folder changes only when another
    // one was chosen, and stays for the next time.
    void dialog()
    {
        QFETCH(QString, action);
        MainWindow *w = play({QStringLiteral("--video"),
                              QStringLiteral("320x180"),
                              QStringLiteral("--duration"),
                              QStringLiteral("8")},
                             QStringLiteral("20240101_110000D.mp4"));
        QVERIFY(w);
        ProgressbarDialog *dialog = openDialog(w);
        QVERIFY(dialog);
        QTemporaryDir other;
        BoxAnswerer answerer;
        QString folder = m_exports->path();
        if (action == QLatin1String("escape")) {
            QTest::keyClick(dialog, Qt::Key_Return); // ignored
            QVERIFY(dialog->isVisible());
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (action == QLatin1String("cancel")) {
            dialogButton(dialog, "cancelButton")->click();
        } else {
            if (action == QLatin1String("browse")) {
                answerer.chooseFolder(other.path());
                folder = other.path();
            }
            dialogButton(dialog, "openButton")->click();
            QCOMPARE(answerer.folderDialogs(), 1);
            QCOMPARE(dialog->GetPathText(), folder);
            QVERIFY(dialog->isVisible() && !w->isEnabled());
            dialogButton(dialog, "cancelButton")->click();
        }
        QVERIFY(!dialog->isVisible());
        QVERIFY(w->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
        QCOMPARE(w->exportFolder(), folder);
        QCOMPARE(answerer.texts(), QStringList());

        // the next time the dialog shows the same folder
        QVERIFY(openDialog(w) == dialog);
        QCOMPARE(dialog->GetPathText(), folder);
        dialogButton(dialog, "cancelButton")->click();
    }

    // The wait dialog's Cancel stops the converter; nothing is left and nothing is said.
    void cancelWhileSaving()
    {
        MainWindow *w = play({QStringLiteral("--video"),
                              QStringLiteral("320x180"),
                              QStringLiteral("--video"),
                              QStringLiteral("320x180"),
                              QStringLiteral("--duration"),
                              QStringLiteral("8")},
                             QStringLiteral("20240101_120000D.mp4"));
        QVERIFY(w);
        // The stand-in begins its output (a copy of its input), reports progress and waits.
        useStandIn("/bin/cp \"$6\" \"$out\"\necho out_time_us=4000000\nexec /bin/sleep 30");
        ProgressbarDialog *dialog = openDialog(w);
        QVERIFY(dialog);
        BoxAnswerer answerer;
        QSignalSpy finished(w->exportController(), &ExportController::exportFinished);
        dialogButton(dialog, "splitButton")->click();

        auto *wait = w->findChild<LoadingDialog *>();
        QVERIFY(wait && wait->isVisible() && wait->isModal() && wait->isSaving());
        QTRY_COMPARE_WITH_TIMEOUT(wait->progressBar()->value(), 25, 10000); // half of 1 of 2
        QVERIFY(!filesIn(m_exports->path()).isEmpty());
        QVERIFY(!w->isEnabled());
        wait->cancelButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QVERIFY(finished.first().first().value<ExportJob::Result>().cancelled);
        QVERIFY(!wait->isVisible());
        QVERIFY(!wait->isSaving());
        QVERIFY(w->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
        QCOMPARE(filesIn(m_exports->path()), QStringList());
        QCOMPARE(answerer.texts(), QStringList());
    }
    void saveClip_data()
    {
        QTest::addColumn<bool>("marks"); // in at 2.5 s, out at 4.5 s
        QTest::addColumn<QString>("choice"); // "lossless", "exact", "front only"; "+evidence"
        // "existing" clip, "slow converter", "trip" (two recordings of 3 s played as one)
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("answers"); // to the question before replacing
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("files"); // written, under the export folder
        // The clip's pictures read back (first-last/count/channel) per video stream, with the
        // edit list and without it.
        QTest::addColumn<QStringList>("front");
        QTest::addColumn<QStringList>("rear");

        const QString clip = QStringLiteral("20240101_130002D_clip");
        const QStringList clipFiles {clip + QStringLiteral(".csv"),
                                     clip + QStringLiteral(".gpx"),
                                     clip + QStringLiteral(".mp4")};
        const QString saved = QStringLiteral("Saved successfully");
        const QStringList shown {QStringLiteral("75-134/60/1"), QStringLiteral("60-134/75/1")};
        const QStringList shownRear {QStringLiteral("75-134/60/2"), QStringLiteral("60-134/75/2")};
        const QStringList exact {QStringLiteral("75-134/60/1"), QStringLiteral("75-134/60/1")};
        const QStringList exactRear {QStringLiteral("75-134/60/2"), QStringLiteral("75-134/60/2")};
        const QStringList none {QStringLiteral("none"), QStringLiteral("none")};

        QTest::newRow("no marks: no clip") << false << QString() << QString() << QStringList()
                                           << QString() << QStringList() << none << none;
        QTest::newRow("lossless, from the key frame before the in mark")
                << true << QStringLiteral("lossless") << QString() << QStringList() << saved
                << clipFiles << shown << shownRear;
        QTest::newRow("exact, the front channel only")
                << true << QStringLiteral("exact front only") << QString() << QStringList() << saved
                << clipFiles << exact << none;
        const QString folder = QStringLiteral("20240101_130002D_evidence/");
        QStringList package;
        for (const QString &name : clipFiles)
            package << folder + name;
        package << folder + QStringLiteral("20240101_130002D_report.pdf")
                << folder + QStringLiteral("MANIFEST.json")
                << folder + QStringLiteral("SHA256SUMS");
        package.sort();
        QTest::newRow("exact, evidence package")
                << true << QStringLiteral("exact +evidence") << QString() << QStringList() << saved
                << package << exact << exactRear;
        // The marks span the boundary at 3 s; the pictures go on numbered across it.
        QTest::newRow("a trip, lossless across its boundary")
                << true << QStringLiteral("lossless") << QStringLiteral("trip") << QStringList()
                << saved << clipFiles << shown << shownRear;
        QTest::newRow("a trip, exact evidence package")
                << true << QStringLiteral("exact +evidence") << QStringLiteral("trip")
                << QStringList() << saved << package << exact << exactRear;
        QTest::newRow("an existing clip, not replaced")
                << true << QStringLiteral("lossless") << QStringLiteral("existing")
                << QStringList {QStringLiteral("cancelReplaceButton")} << QString()
                << QStringList {clip + QStringLiteral(".mp4")} << none << none;
        QTest::newRow("an existing clip, replaced")
                << true << QStringLiteral("lossless") << QStringLiteral("existing")
                << QStringList {QStringLiteral("replaceButton")} << saved << clipFiles << shown
                << shownRear;
        QTest::newRow("evidence package, cancelled while the clip is written")
                << true << QStringLiteral("lossless +evidence") << QStringLiteral("slow converter")
                << QStringList() << QString() << QStringList() << none << none;
    }

    // The dialog's clip mode: offered only with both marks, the span it shows, and what
    // "Save clip" writes, says and leaves behind; the window always comes back playing.
    void saveClip()
    {
        QFETCH(bool, marks);
        QFETCH(QString, choice);
        QFETCH(QString, before);
        QFETCH(QStringList, answers);
        QFETCH(QString, message);
        QFETCH(QStringList, files);
        QFETCH(QStringList, front);
        QFETCH(QStringList, rear);

        const QStringList recording {QStringLiteral("--video"),
                                     QStringLiteral("320x180"),
                                     QStringLiteral("--video"),
                                     QStringLiteral("320x180"),
                                     QStringLiteral("--telemetry"),
                                     QStringLiteral("tlmd")};
        const bool trip = before == QLatin1String("trip");
        // With sound, as cameras record: the trip's list then starts at the audio's priming
        MainWindow *w = trip ? playTrip(QStringList(recording) << QStringLiteral("--audio"))
                             : play(QStringList(recording)
                                            << QStringLiteral("--duration") << QStringLiteral("8"),
                                    QStringLiteral("20240101_130000D.mp4"));
        QVERIFY(w);
        if (marks) {
            w->clipMarks()->set(ClipMarks::In, 2.5);
            w->clipMarks()->set(ClipMarks::Out, 4.5);
        }
        const QString clipFile = m_exports->filePath(QStringLiteral("20240101_130002D_clip.mp4"));
        if (before == QLatin1String("existing")) {
            QFile earlier(clipFile);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        } else if (before == QLatin1String("slow converter")) {
            useStandIn("echo begun > \"$out\"\necho out_time_us=500000\nexec /bin/sleep 30");
        }

        ProgressbarDialog *dialog = openDialog(w);
        QVERIFY(dialog);
        QPushButton *clipButton = dialogButton(dialog, "clipButton");
        QVERIFY(clipButton && clipButton->isVisible());
        QCOMPARE(clipButton->isEnabled(), marks);
        auto *part = dialog->findChild<QWidget *>(QStringLiteral("clipPart"));
        QVERIFY(part && !part->isVisible());
        if (!marks) {
            QVERIFY2(clipButton->toolTip().contains(QLatin1String("I and O")),
                     qPrintable(clipButton->toolTip()));
            QTest::mouseClick(clipButton, Qt::LeftButton);
            QVERIFY(!part->isVisible());
            dialogButton(dialog, "cancelButton")->click();
            QVERIFY(w->isEnabled());
            QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
            QCOMPARE(filesIn(m_exports->path()), QStringList());
            return;
        }
        const int height = dialog->height();
        QTest::mouseClick(clipButton, Qt::LeftButton);
        QVERIFY(part->isVisible());
        QVERIFY(dialog->height() >= height + part->height());
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("clipSpanLabel"))->text(),
                 QStringLiteral("In 00:02.5   Out 00:04.5   Length 00:02.0"));
        auto box = [dialog](const char *name) {
            return dialog->findChild<QCheckBox *>(QLatin1String(name));
        };
        // The recording's two channels are offered and chosen; it has no interior channel.
        QVERIFY(box("clipChannel0")->isVisible() && box("clipChannel0")->isChecked());
        QVERIFY(box("clipChannel1")->isVisible() && box("clipChannel1")->isChecked());
        QVERIFY(!box("clipChannel2")->isVisible());
        QPushButton *save = dialogButton(dialog, "clipSaveButton");
        if (choice.contains(QLatin1String("front only"))) {
            box("clipChannel1")->click();
            QVERIFY(save->isEnabled());
            box("clipChannel0")->click(); // no channel: nothing to save
            QVERIFY(!save->isEnabled());
            box("clipChannel0")->click();
        }
        QVERIFY(save->isEnabled());
        if (choice.contains(QLatin1String("exact")))
            box("clipExactBox")->click();
        if (choice.contains(QLatin1String("+evidence")))
            box("clipEvidenceBox")->click();

        BoxAnswerer answerer(answers);
        QSignalSpy finished(w->exportController(), &ExportController::clipFinished);
        save->click();
        QVERIFY(!dialog->isVisible());
        if (before == QLatin1String("slow converter")) {
            auto *wait = w->findChild<LoadingDialog *>();
            QVERIFY(wait && wait->isVisible() && wait->isModal() && wait->isSaving());
            QTRY_VERIFY_WITH_TIMEOUT(
                    !filesIn(w->exportController()->package()->outputFolder()).isEmpty(), 10000);
            QVERIFY(!w->isEnabled());
            wait->cancelButton()->click();
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
            QVERIFY(finished.first().first().value<EvidencePackage::Result>().cancelled);
            QVERIFY(!wait->isVisible());
        }
        if (!message.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(answerer.texts().size(), answers.size() + 1, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
        if (!message.isEmpty()) {
            QVERIFY2(answerer.texts().last().contains(message),
                     qPrintable(answerer.texts().last()));
            // It says where the files are.
            const auto result = finished.first().first().value<EvidencePackage::Result>();
            QVERIFY(result.ok);
            QVERIFY2(answerer.texts().last().contains(QDir::toNativeSeparators(result.folder)),
                     qPrintable(answerer.texts().last()));
        } else {
            QCOMPARE(answerer.texts().size(), answers.size());
        }

        QStringList written;
        QDirIterator it(m_exports->path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            written << QDir(m_exports->path()).relativeFilePath(it.next());
        written.sort();
        QCOMPARE(written, files);
        QCOMPARE(QDir(m_exports->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                 choice.contains(QLatin1String("+evidence")) && !files.isEmpty() ? 1 : 0);
        if (before == QLatin1String("existing") && message.isEmpty())
            QCOMPARE(bytesOf(clipFile), QByteArray("earlier"));
        if (files.isEmpty() || message.isEmpty())
            return;

        const QString clip = m_exports->filePath(files.at(2));
        QVERIFY(clip.endsWith(QLatin1String("_clip.mp4")));
        QCOMPARE(QStringList({frameSpan(clip, 0, false), frameSpan(clip, 0, true)}), front);
        QCOMPARE(QStringList({frameSpan(clip, 1, false), frameSpan(clip, 1, true)}), rear);
        if (choice.contains(QLatin1String("+evidence"))) {
            QVector<EvidenceManifest::Check> checks;
            QString error;
            QVERIFY2(EvidenceManifest::verify(QFileInfo(clip).path(), &checks, &error),
                     qPrintable(error));
            QCOMPARE(checks.size(), files.size() - 1); // all but the list itself
            for (const EvidenceManifest::Check &check : qAsConst(checks))
                QCOMPARE(int(check.state), int(EvidenceManifest::State::Ok));
            // Every recording the clip was cut from is listed with its checksum.
            QFile manifest(QDir(QFileInfo(clip).path()).filePath(QStringLiteral("MANIFEST.json")));
            QVERIFY(manifest.open(QIODevice::ReadOnly));
            QStringList sources;
            for (const QJsonValue &source : QJsonDocument::fromJson(manifest.readAll())
                                                    .object()
                                                    .value(QStringLiteral("sources"))
                                                    .toArray())
                sources << QFileInfo(source.toObject().value(QStringLiteral("path")).toString())
                                   .fileName();
            const QStringList recordings = trip
                    ? QStringList {QStringLiteral("20240101_130000D.mp4"),
                                   QStringLiteral("20240101_130003D.mp4")}
                    : QStringList {QStringLiteral("20240101_130000D.mp4")};
            QCOMPARE(sources, recordings);
        }
    }

    // An evidence package that is cancelled while its clip is written, or whose converter
    // fails, leaves nothing behind: no clip, and not the package folder it made.
    void evidencePackageLeavesNothing_data()
    {
        QTest::addColumn<QByteArray>("converter");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled") << QByteArray("echo begun > \"$out\"\necho out_time_us=500000\n"
                                                 "exec /bin/sleep 30")
                                   << true;
        QTest::newRow("converter fails") << QByteArray("echo begun > \"$out\"\nexit 1") << false;
    }

    void evidencePackageLeavesNothing()
    {
        QFETCH(QByteArray, converter);
        QFETCH(bool, cancel);
        const QString made
                = TestRecordings::make(QStringLiteral("package-fails.mp4"),
                                       {QStringLiteral("--duration"), QStringLiteral("4")});
        QVERIFY(!made.isEmpty());
        const QString source = m_folder->filePath(QStringLiteral("20240314_153012D.mp4"));
        QVERIFY(QFile::copy(made, source));
        useStandIn(converter);
        EvidencePackage package;
        EvidencePackage::Request request;
        request.inputs = QStringList {source};
        request.span.from = 1;
        request.span.to = 3;
        request.folder = m_exports->path();
        request.evidence = true;
        request.noMap = true;
        QString error;
        QVERIFY2(package.prepare(request, &error), qPrintable(error));
        QCOMPARE(QFileInfo(package.outputFolder()).fileName(),
                 QStringLiteral("20240314_153013D_evidence"));
        QSignalSpy finished(&package, &EvidencePackage::finished);
        QVERIFY(package.start());
        if (cancel) {
            QTRY_VERIFY_WITH_TIMEOUT(!filesIn(package.outputFolder()).isEmpty(), 10000);
            package.cancel();
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        const auto result = finished.first().first().value<EvidencePackage::Result>();
        QVERIFY(!result.ok);
        QCOMPARE(result.cancelled, cancel);
        QCOMPARE(result.files, QStringList());
        QCOMPARE(QDir(m_exports->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

QTEST_MAIN(TestExportController)
#include "tst_exportcontroller.moc"
