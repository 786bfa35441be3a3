#pragma once

#include "framelessdialog.h"

class QLineEdit;
class QPushButton;

// The export dialog: the output folder ("splitPath", shown but not edited), "Browse" to choose
// another, and "Original" (one file with every stream), "Separate" (one file per camera
// channel) and "Cancel". Each button logs its name and emits its signal; the main window does
// the work. Escape is "Cancel"; every other key is ignored. Not resizable.
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

    QLineEdit *pathEdit() const { return m_path; }

signals:
    void spliteFile();
    void copyFile();
    void openDirectory();
    void cancel();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_path = nullptr;
    QPushButton *m_split = nullptr;
};
