#include "exceptiondialog.h"

#include "elasticlabel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 260;
constexpr int DialogHeight = 160;
constexpr int ContentHeight = 113;
// The bottom panel takes the rest of the dialog, so the panel reaches the lower edge.
constexpr int PanelHeight = DialogHeight - ContentHeight;
constexpr int ButtonWidth = 100;
constexpr int ButtonMinimumHeight = 26;
constexpr int SpaceAfterButton = 20;

} // namespace

ExceptionDialog::ExceptionDialog(const QString &message, QWidget *parent, Qt::WindowFlags flags)
    : FramelessDialog(false, parent, flags)
{
    setObjectName(QStringLiteral("exceptionDialog"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(DialogWidth, DialogHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_content = new ElasticLabel(message, this);
    m_content->setObjectName(QStringLiteral("exceptionContent"));
    m_content->setMargin(4);
    m_content->setStyleSheet(QStringLiteral(
            "#exceptionContent { background: white; padding-left: 6px; color : black; }"));
    QFont larger = m_content->font();
    if (larger.pointSizeF() > 0)
        larger.setPointSizeF(larger.pointSizeF() + 1);
    m_content->setFont(larger);
    m_content->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_content->setFixedHeight(ContentHeight);
    layout->addWidget(m_content);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("exceptionBottomPanel"));
    panel->setAttribute(Qt::WA_StyledBackground, true);
    panel->setStyleSheet(QStringLiteral("#exceptionBottomPanel { background: #f0f0f0; }"));
    panel->setFixedHeight(PanelHeight);
    auto *buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addStretch();
    m_confirm = new QPushButton(tr("Confirm"), panel);
    m_confirm->setObjectName(QStringLiteral("exceptionConfirmButton"));
    m_confirm->setFixedSize(ButtonWidth,
                            qMax(ButtonMinimumHeight, m_confirm->fontMetrics().height() + 4));
    m_confirm->setDefault(true);
    buttons->addWidget(m_confirm);
    buttons->addSpacing(SpaceAfterButton);
    layout->addWidget(panel);

    connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);
}
