#include "loadingdialog.h"

#include "elasticlabel.h"

#include <QDebug>
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
    layout->addStretch();

    m_title->setText(tr("Opening the file"));
    m_content1->setText(tr("Opening the file"));
}

void LoadingDialog::changeText(bool saving)
{
    qDebug().noquote() << "changeText";
    const QString text = saving ? tr("Save file") : tr("Opening the file");
    m_title->setText(text);
    m_content1->setText(text);
}
