#pragma once

#include "framelessdialog.h"

class ElasticLabel;

// The modal wait dialog shown while a recording is opened or repaired, and while an export
// runs: a title line and two lines of text on black. Not resizable.
//
// Threads: GUI thread only.
class LoadingDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit LoadingDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    // Title and first line: "Save file" while saving, else "Opening the file".
    void changeText(bool saving);

    ElasticLabel *titleLabel() const { return m_title; }
    ElasticLabel *contentLabel1() const { return m_content1; }
    ElasticLabel *contentLabel2() const { return m_content2; }

private:
    ElasticLabel *m_title = nullptr;
    ElasticLabel *m_content1 = nullptr;
    ElasticLabel *m_content2 = nullptr;
};
