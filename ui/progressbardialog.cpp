#include "progressbardialog.h"

#include "uilog.h"

#include <QCheckBox>
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
    m_clip = makeButton(this, "clipButton", tr("Clip"), ChoiceWidth);
    m_clip->setCheckable(true);
    auto *cancelButton = makeButton(this, "cancelButton", tr("Cancel"), ChoiceWidth);
    choices->addWidget(original);
    choices->addWidget(m_split);
    choices->addWidget(m_clip);
    choices->addWidget(cancelButton);
    layout->addLayout(choices);
    layout->addSpacing(Gap);

    // The clip's part: the span, the channels, the kind of cut and "Save clip".
    m_clipPart = new QWidget(this);
    m_clipPart->setObjectName(QStringLiteral("clipPart"));
    auto *clipLayout = new QVBoxLayout(m_clipPart);
    clipLayout->setContentsMargins(Gap, 0, Gap, Gap);
    clipLayout->setSpacing(Gap / 2);
    m_span = new QLabel(m_clipPart);
    m_span->setObjectName(QStringLiteral("clipSpanLabel"));
    clipLayout->addWidget(m_span);
    auto *channelRow = new QHBoxLayout;
    channelRow->setSpacing(Gap);
    const QString channelNames[] = {tr("Front"), tr("Rear"), tr("Interior")};
    for (int c = 0; c < int(m_channels.size()); ++c) {
        m_channels[c] = new QCheckBox(channelNames[c], m_clipPart);
        m_channels[c]->setObjectName(QStringLiteral("clipChannel%1").arg(c));
        channelRow->addWidget(m_channels[c]);
        connect(m_channels[c], &QCheckBox::toggled, this, [this] { updateClipPart(); });
    }
    channelRow->addStretch();
    clipLayout->addLayout(channelRow);
    m_exact = new QCheckBox(tr("Exact (re-encode)"), m_clipPart);
    m_exact->setObjectName(QStringLiteral("clipExactBox"));
    clipLayout->addWidget(m_exact);
    auto *note = new QLabel(tr("A lossless clip starts at the key frame before the in mark."),
                            m_clipPart);
    note->setObjectName(QStringLiteral("clipNoteLabel"));
    note->setContentsMargins(Gap * 2, 0, 0, 0);
    clipLayout->addWidget(note);
    m_evidence = new QCheckBox(tr("Evidence package"), m_clipPart);
    m_evidence->setObjectName(QStringLiteral("clipEvidenceBox"));
    clipLayout->addWidget(m_evidence);
    auto *saveRow = new QHBoxLayout;
    saveRow->addStretch();
    m_saveClip = makeButton(m_clipPart, "clipSaveButton", tr("Save clip"), BrowseWidth);
    saveRow->addWidget(m_saveClip);
    clipLayout->addLayout(saveRow);
    m_clipPart->hide();
    layout->addWidget(m_clipPart);
    layout->addStretch();
    updateClipPart();

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
    connect(m_clip, &QPushButton::toggled, this, [this](bool on) {
        qCDebug(lcUi).noquote() << "ClipFile" << on;
        showClipPart(on);
    });
    connect(m_saveClip, &QPushButton::clicked, this, [this] {
        qCDebug(lcUi).noquote() << "SaveClip";
        emit clipFile();
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

void ProgressbarDialog::setClipChoice(const ClipExportChoice &choice)
{
    m_choice = choice;
    const bool available = choice.isAvailable();
    for (int c = 0; c < int(m_channels.size()); ++c) {
        const bool has = choice.availableChannels().contains(ExportPlan::Channel(c));
        m_channels[c]->setVisible(has);
        m_channels[c]->setChecked(has);
    }
    m_span->setText(tr("In %1   Out %2   Length %3")
                            .arg(ClipExportChoice::timeText(choice.in()),
                                 ClipExportChoice::timeText(choice.out()),
                                 ClipExportChoice::timeText(choice.length())));
    m_clip->setEnabled(available);
    m_clip->setToolTip(available ? tr("Save the span between the in and out marks")
                                 : tr("Set the in and out marks with I and O first"));
    if (!available)
        showClipPart(false);
    updateClipPart();
}

ClipExportChoice ProgressbarDialog::clipChoice() const
{
    ClipExportChoice choice = m_choice;
    QVector<ExportPlan::Channel> channels;
    for (int c = 0; c < int(m_channels.size()); ++c) {
        if (m_channels[c]->isChecked())
            channels << ExportPlan::Channel(c);
    }
    choice.setChannels(channels);
    choice.setExact(m_exact->isChecked());
    choice.setEvidence(m_evidence->isChecked());
    return choice;
}

void ProgressbarDialog::showClipPart(bool show)
{
    show = show && m_clip->isEnabled();
    {
        const QSignalBlocker blocker(m_clip);
        m_clip->setChecked(show);
    }
    m_clipPart->setVisible(show);
    const QSize part = show ? m_clipPart->sizeHint() : QSize();
    setFixedSize(qMax(DialogWidth, part.width()), DialogHeight + part.height());
}

bool ProgressbarDialog::isClipPartShown() const
{
    return !m_clipPart->isHidden();
}

void ProgressbarDialog::updateClipPart()
{
    m_saveClip->setEnabled(clipChoice().canSave());
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
