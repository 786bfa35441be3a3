#include "aboutdialog.h"

#include "elasticlabel.h"
#include "media/globalsettings.h"
#include "vistrelversion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 291;
constexpr int DialogHeight = 170;
constexpr int PictureHeight = 28;
constexpr int BarHeight = 40;
constexpr int BarRightMargin = 25;
constexpr int SpaceBelow = 4;
const QSize OkSize(66, 26);

} // namespace

QString AboutDialog::versionText()
{
    return QStringLiteral(VISTREL_VERSION);
}

AboutDialog::AboutDialog(QWidget *parent, Qt::WindowFlags flags)
    : FramelessDialog(false, parent, flags)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setStyleSheet(QStringLiteral("#aboutDialog { background: black; }"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(DialogWidth, DialogHeight);
    setWindowTitle(GlobalSettings::productTitle());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("aboutPicture"));
    m_picture->setFixedSize(DialogWidth, PictureHeight);
    m_picture->setPixmap(QPixmap(QStringLiteral(":/resource/img/lang_dependent/%1/about/about.bmp")
                                         .arg(GlobalSettings::resourceLanguage())));
    layout->addWidget(m_picture);

    m_content = new ElasticLabel(GlobalSettings::productTitle() + QStringLiteral("\n\n")
                                         + tr("Version") + QLatin1Char(' ') + versionText(),
                                 this);
    m_content->setObjectName(QStringLiteral("aboutContent"));
    m_content->setStyleSheet(QStringLiteral("#aboutContent { color : white; }"));
    QFont larger = m_content->font();
    if (larger.pointSizeF() > 0)
        larger.setPointSizeF(larger.pointSizeF() + 1);
    m_content->setFont(larger);
    m_content->setAlignment(Qt::AlignCenter);
    m_content->setFixedWidth(DialogWidth);
    layout->addWidget(m_content, 1);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, BarRightMargin, 0);
    bar->setSpacing(0);
    bar->addStretch();
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("aboutOkButton"));
    m_ok->setFixedSize(OkSize);
    m_ok->setStyleSheet(
            QStringLiteral("QPushButton#aboutOkButton { border: none; border-image: url(%1); }\n"
                           "QPushButton#aboutOkButton:pressed { border-image: url(%2); }")
                    .arg(QStringLiteral(":/resource/img/lang_dependent/%1/about/about_ok.BMP")
                                 .arg(GlobalSettings::resourceLanguage()),
                         QStringLiteral(
                                 ":/resource/img/lang_dependent/%1/about/about_ok_clicked.BMP")
                                 .arg(GlobalSettings::resourceLanguage())));
    m_ok->setDefault(true);
    bar->addWidget(m_ok);
    auto *barWidget = new QWidget(this);
    barWidget->setObjectName(QStringLiteral("aboutButtonBar"));
    barWidget->setFixedHeight(BarHeight);
    barWidget->setLayout(bar);
    layout->addWidget(barWidget);
    layout->addSpacing(SpaceBelow);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}
