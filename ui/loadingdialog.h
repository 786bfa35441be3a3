#pragma once

#include "framelessdialog.h"

class ElasticLabel;
class QProgressBar;
class QPushButton;

// The modal wait dialog shown while a recording is opened or repaired, and while an export
// runs: a title line and two lines of text on black. While saving it also shows how far the
// export is and a "Cancel" button (Escape does the same), which emit cancelRequested(). Not
// resizable.
//
// Threads: GUI thread only.
class LoadingDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit LoadingDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    // Title and first line: "Save file" while saving, else "Opening the file". Saving also
    // shows the progress (from 0) and the Cancel button.
    void changeText(bool saving);
    bool isSaving() const { return m_saving; }
    // How far the export is, 0 to 100.
    void setProgress(int percent);

    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *cancelButton() const { return m_cancel; }

    ElasticLabel *titleLabel() const { return m_title; }
    ElasticLabel *contentLabel1() const { return m_content1; }
    ElasticLabel *contentLabel2() const { return m_content2; }

signals:
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ElasticLabel *m_title = nullptr;
    ElasticLabel *m_content1 = nullptr;
    ElasticLabel *m_content2 = nullptr;
    QWidget *m_progressRow = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_saving = false;
};
