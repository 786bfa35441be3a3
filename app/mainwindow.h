#pragma once

#include <QWidget>

class QLabel;

// The viewer's top-level window. For now it shows the product title and the recording or
// folder named on the command line.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

private:
    QLabel *m_status = nullptr;
};
