#pragma once

#include "framelessdialog.h"
#include "media/clipexportchoice.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The export dialog: the output folder ("splitPath", shown but not edited), "Browse" to choose
// another, and "Original" (one file with every stream), "Separate" (one file per camera
// channel), "Clip" and "Cancel". "Clip", offered only while both clip marks are set, opens the
// clip's part below: the span, a check box per channel of the recording, "Exact (re-encode)",
// "Evidence package" and "Save clip". Each button logs its name and emits its signal; the
// export controller does the work. Escape is "Cancel"; every other key is ignored. Not
// resizable: the dialog grows by the clip's part while it shows.
//
// Threads: GUI thread only.
class ProgressbarDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit ProgressbarDialog(QWidget *parent = nullptr,
                               Qt::WindowFlags flags = Qt::WindowFlags());

    // The output folder shown in "splitPath".
    QString GetPathText() const;
    void SetPathText(const QString &path);
    // "Separate" needs at least two channels.
    void setVideoCount(int videoCount);
    // What the clip mode offers; "Clip" is disabled (and its part closed) when it is not
    // available.
    void setClipChoice(const ClipExportChoice &choice);
    // The offered choice with the user's channels, exact and evidence settings.
    ClipExportChoice clipChoice() const;
    // Opens or closes the clip's part (as "Clip" does).
    void showClipPart(bool show);
    bool isClipPartShown() const;

    QLineEdit *pathEdit() const { return m_path; }

signals:
    void spliteFile();
    void copyFile();
    void openDirectory();
    void cancel();
    // "Save clip".
    void clipFile();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_path = nullptr;
    QPushButton *m_split = nullptr;
    QPushButton *m_clip = nullptr;
    QWidget *m_clipPart = nullptr;
    QLabel *m_span = nullptr;
    std::array<QCheckBox *, 3> m_channels {}; // by ExportPlan::Channel
    QCheckBox *m_exact = nullptr;
    QCheckBox *m_evidence = nullptr;
    QPushButton *m_saveClip = nullptr;
    ClipExportChoice m_choice;

    void updateClipPart();
};
