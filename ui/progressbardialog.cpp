#include "progressbardialog.h"

#include "uilog.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 400;
constexpr int DialogHeight = 105;
constexpr int BrowseWidth = 110;
constexpr int ChoiceWidth = 90;
constexpr int Gap = 10;

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, int width)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(width);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ProgressbarDialog::ProgressbarDialog(QWidget *parent, Qt::WindowFlags flags)
    : FramelessDialog(false, parent, flags)
{
    setObjectName(QStringLiteral("loadingDialog"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(DialogWidth, DialogHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *title = new QLabel(tr("Save file"), this);
    title->setObjectName(QStringLiteral("loadingTitleLabel"));
    title->setStyleSheet(QStringLiteral(
            " #loadingTitleLabel { background: white; padding-left: 6px; color: black; }"));
    layout->addWidget(title, 0, Qt::AlignTop);
    layout->addSpacing(Gap);

    auto *question = new QLabel(tr("Would you like to save?"), this);
    question->setContentsMargins(Gap, 0, 0, 0);
    layout->addWidget(question);
    layout->addSpacing(Gap);

    auto *pathRow = new QHBoxLayout;
    pathRow->setSpacing(0);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("splitPath"));
    m_path->setEnabled(false); // chosen with Browse only
    pathRow->addWidget(m_path);
    auto *browse = makeButton(this, "openButton", tr("Browse"), BrowseWidth);
    browse->setStyleSheet(QStringLiteral(" #openButton { background: color: black; }"));
    pathRow->addWidget(browse);
    pathRow->addSpacing(Gap);
    layout->addLayout(pathRow);
    layout->addSpacing(Gap);

    auto *choices = new QHBoxLayout;
    choices->setSpacing(Gap);
    auto *original = makeButton(this, "originalButton", tr("Original"), ChoiceWidth);
    m_split = makeButton(this, "splitButton", tr("Separate"), ChoiceWidth);
    auto *cancelButton = makeButton(this, "cancelButton", tr("Cancel"), ChoiceWidth);
    choices->addWidget(original);
    choices->addWidget(m_split);
    choices->addWidget(cancelButton);
    layout->addLayout(choices);
    layout->addSpacing(Gap);
    layout->addStretch();

    connect(browse, &QPushButton::clicked, this, [this] {
        qCDebug(lcUi).noquote() << "OpenDir";
        emit openDirectory();
    });
    connect(original, &QPushButton::clicked, this, [this] {
        qCDebug(lcUi).noquote() << "CopyFile";
        emit copyFile();
    });
    connect(m_split, &QPushButton::clicked, this, [this] {
        qCDebug(lcUi).noquote() << "SplitFile";
        emit spliteFile();
    });
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        qCDebug(lcUi).noquote() << "CancelButton";
        emit cancel();
    });
}

QString ProgressbarDialog::GetPathText() const
{
    qCDebug(lcUi).noquote() << "GetPathText";
    return m_path->text();
}

void ProgressbarDialog::SetPathText(const QString &path)
{
    qCDebug(lcUi).noquote() << "SetPathText";
    m_path->setText(path);
}

void ProgressbarDialog::setVideoCount(int videoCount)
{
    m_split->setEnabled(videoCount > 1);
}

void ProgressbarDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        qCDebug(lcUi).noquote() << "Esc press!";
        emit cancel();
    }
    // Every key stops here: Enter does not press a button and Escape does not reject.
    event->accept();
}
