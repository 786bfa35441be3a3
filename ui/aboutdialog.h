#pragma once

#include "framelessdialog.h"

class ElasticLabel;
class QLabel;
class QPushButton;

// The about box: the language folder's banner picture, the product title and version, and an
// OK button drawn from the language folder's images.
//
// Threads: GUI thread only.
class AboutDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    // The program version (set once in the build, VISTREL_VERSION).
    static QString versionText();

    QLabel *picture() const { return m_picture; }
    ElasticLabel *content() const { return m_content; }
    QPushButton *okButton() const { return m_ok; }

private:
    QLabel *m_picture = nullptr;
    ElasticLabel *m_content = nullptr;
    QPushButton *m_ok = nullptr;
};
