#include "loadingdialog.h"

#include "elasticlabel.h"
#include "uilog.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 240;
constexpr int DialogHeight = 124;

ElasticLabel *makeLabel(QWidget *parent, const char *name, int height, const QString &style)
{
    auto *label = new ElasticLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFixedHeight(height);
    label->setStyleSheet(style);
    return label;
}

} // namespace

LoadingDialog::LoadingDialog(QWidget *parent, Qt::WindowFlags flags)
    : FramelessDialog(false, parent, flags)
{
    setObjectName(QStringLiteral("loadingDialog"));
    setStyleSheet(QStringLiteral("#loadingDialog { background: black; border: 1px solid gray; }"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(DialogWidth, DialogHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_title = makeLabel(this,
                        "loadingTitleLabel",
                        28,
                        QStringLiteral("#loadingTitleLabel { background: white; padding-left: 6px; "
                                       "color: black; }"));
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(m_title);
    layout->addSpacing(3);
    m_content1 = makeLabel(this,
                           "loadingContentLabel1",
                           27,
                           QStringLiteral("#loadingContentLabel1 { color: white; }"));
    m_content1->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_content1);
    m_content2 = makeLabel(this,
                           "loadingContentLabel2",
                           25,
                           QStringLiteral("#loadingContentLabel2 { color: white; }"));
    m_content2->setAlignment(Qt::AlignCenter);
    m_content2->setText(tr("Please wait..."));
    layout->addWidget(m_content2);

    // Shown while saving: the export's progress and its Cancel.
    m_progressRow = new QWidget(this);
    auto *row = new QHBoxLayout(m_progressRow);
    row->setContentsMargins(10, 4, 10, 6);
    row->setSpacing(8);
    m_progress = new QProgressBar(m_progressRow);
    m_progress->setObjectName(QStringLiteral("loadingProgressBar"));
    m_progress->setRange(0, 100);
    m_progress->setFixedHeight(14);
    m_progress->setTextVisible(false);
    row->addWidget(m_progress, 1);
    m_cancel = new QPushButton(tr("Cancel"), m_progressRow);
    m_cancel->setObjectName(QStringLiteral("loadingCancelButton"));
    m_cancel->setFixedSize(70, 22);
    m_cancel->setAutoDefault(false);
    row->addWidget(m_cancel);
    m_progressRow->hide();
    layout->addWidget(m_progressRow);
    layout->addStretch();
    connect(m_cancel, &QPushButton::clicked, this, &LoadingDialog::cancelRequested);

    m_title->setText(tr("Opening the file"));
    m_content1->setText(tr("Opening the file"));
}

void LoadingDialog::changeText(bool saving)
{
    qCDebug(lcUi).noquote() << "changeText";
    const QString text = saving ? tr("Save file") : tr("Opening the file");
    m_title->setText(text);
    m_content1->setText(text);
    m_saving = saving;
    m_progress->setValue(0);
    m_progressRow->setVisible(saving);
}

void LoadingDialog::setProgress(int percent)
{
    m_progress->setValue(qBound(0, percent, 100));
}

void LoadingDialog::keyPressEvent(QKeyEvent *event)
{
    // While saving, Escape asks for the export to stop; the dialog stays until it has.
    if (m_saving && event->key() == Qt::Key_Escape) {
        event->accept();
        emit cancelRequested();
        return;
    }
    FramelessDialog::keyPressEvent(event);
}
