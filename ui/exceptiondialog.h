#pragma once

#include "framelessdialog.h"

class ElasticLabel;
class QPushButton;

// A message box with one "Confirm" button, in the frameless style of the viewer. The message
// shrinks its font to fit the width.
//
// Threads: GUI thread only.
class ExceptionDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit ExceptionDialog(const QString &message,
                             QWidget *parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());

    ElasticLabel *content() const { return m_content; }
    QPushButton *confirmButton() const { return m_confirm; }

private:
    ElasticLabel *m_content = nullptr;
    QPushButton *m_confirm = nullptr;
};
