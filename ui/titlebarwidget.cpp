#include "titlebarwidget.h"

#include "media/mediainfo.h"
#include "uilog.h"
#include "windowframehandler.h"

#include <QApplication>
#include <QDebug>
#include <QHBoxLayout>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

namespace {

// Spacing after a button; Stretch puts the stretch between the left and right groups.
constexpr int Stretch = -1;

struct ButtonEntry
{
    const char *name;
    int height;
    const char *tooltip;
    const char *normal;
    const char *over;
    const char *pressed;
    const char *disabled; // null: no disabled image
    int spacingAfter;
    void (TitleBarWidget::*clicked)();
    const char *slot; // the window's slot the click goes to
    bool checkable;
    bool startsDisabled;
};

// The bar's buttons in order, with their images (normal, hover, pressed, disabled). The file
// names differ in case and suffix from button to button; they are the resource's files exactly.
const ButtonEntry Buttons[] = {
        {"fileOpenButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Open File"),
         ":/resource/img/menu_top/file_open.png",
         ":/resource/img/menu_top/file_open_over.png",
         ":/resource/img/menu_top/file_open_clicked.png",
         nullptr,
         9,
         &TitleBarWidget::openFileClicked,
         "onOpenFile()",
         false,
         false},
        {"folderOpenButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Open Folder"),
         ":/resource/img/menu_top/open.png",
         ":/resource/img/menu_top/open_over.png",
         ":/resource/img/menu_top/open_clicked.png",
         nullptr,
         9,
         &TitleBarWidget::openFolderClicked,
         "onOpenDir()",
         false,
         false},
        {"splitButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Save files"),
         ":/resource/img/menu_top/record.png",
         ":/resource/img/menu_top/record_over.png",
         ":/resource/img/menu_top/record_clicked.png",
         ":/resource/img/menu_top/record_disabled.png",
         9,
         &TitleBarWidget::splitClicked,
         "onSplit()",
         false,
         true},
        {"screenShotButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Capture"),
         ":/resource/img/menu_top/screenshot.png",
         ":/resource/img/menu_top/screenshot_over.png",
         ":/resource/img/menu_top/screenshot_clicked.png",
         ":/resource/img/menu_top/screenshot_disabled.png",
         9,
         &TitleBarWidget::screenShotClicked,
         "onScreenShot()",
         false,
         true},
        {"printScreenButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Print"),
         ":/resource/img/menu_top/print.png",
         ":/resource/img/menu_top/print_over.png",
         ":/resource/img/menu_top/print_clicked.png",
         ":/resource/img/menu_top/print_disabled.png",
         9,
         &TitleBarWidget::printScreenClicked,
         "onPrintScreen()",
         false,
         true},
        {"fullSizeButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Full/Normal"),
         ":/resource/img/menu_top/fullsize.png",
         ":/resource/img/menu_top/fullsize_over.png",
         ":/resource/img/menu_top/fullsize_clicked.png",
         nullptr,
         9,
         &TitleBarWidget::fullSizeClicked,
         "onToggleFullSize()",
         false,
         false},
        {"aboutButton",
         31,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Info."),
         ":/resource/img/menu_top/about.png",
         ":/resource/img/menu_top/about_over.png",
         ":/resource/img/menu_top/about_clicked.png",
         nullptr,
         Stretch,
         &TitleBarWidget::aboutClicked,
         "onAbout()",
         false,
         false},
        {"minimizeButton",
         22,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Minimize"),
         ":/resource/img/menu_top/Minimize.BMP",
         ":/resource/img/menu_top/Minimize_over.BMP",
         ":/resource/img/menu_top/Minimize_click.BMP",
         nullptr,
         10,
         &TitleBarWidget::minimizeClicked,
         "onMinimized()",
         false,
         false},
        {"maximizeButton",
         22,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Full/Normal"),
         ":/resource/img/menu_top/full.BMP",
         ":/resource/img/menu_top/full_over.BMP",
         ":/resource/img/menu_top/full_click.BMP",
         nullptr,
         10,
         &TitleBarWidget::maximizeClicked,
         "onMaximized()",
         true,
         false},
        {"closeButton",
         22,
         QT_TRANSLATE_NOOP("TitleBarWidget", "Close"),
         ":/resource/img/menu_top/end.bmp",
         ":/resource/img/menu_top/end_over.BMP",
         ":/resource/img/menu_top/end_click.BMP",
         nullptr,
         18,
         &TitleBarWidget::closeClicked,
         "onExit()",
         false,
         false},
};

constexpr int ButtonWidth = 32;
constexpr int LeadingSpace = 17;
// The logo's right edge lies this far left of the bar's right edge, its bottom this far up.
constexpr int LogoRightOffset = 140;
constexpr int LogoBottomOffset = 3;

QString imageStyle(const ButtonEntry &entry)
{
    const QString rule
            = QStringLiteral("QPushButton#%1%2 { border: none; border-image: url(%3); }\n");
    const QString name = QLatin1String(entry.name);
    QString style = rule.arg(name, QString(), QLatin1String(entry.normal));
    style += rule.arg(name, QStringLiteral(":hover"), QLatin1String(entry.over));
    style += rule.arg(name, QStringLiteral(":pressed"), QLatin1String(entry.pressed));
    if (entry.disabled)
        style += rule.arg(name, QStringLiteral(":disabled"), QLatin1String(entry.disabled));
    return style;
}

bool isExportState(int state)
{
    return state == MediaInfo::Playing || state == MediaInfo::Paused;
}

} // namespace

TitleBarWidget::TitleBarWidget(QWidget *parent)
    : QWidget(parent)
    , m_background(QStringLiteral(":/resource/img/logo/image_topBar.bmp"))
    , m_logo(QStringLiteral(":/resource/img/logo/image_logo.bmp"))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(LeadingSpace);

    for (const ButtonEntry &entry : Buttons) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(entry.name));
        button->setFixedSize(ButtonWidth, entry.height);
        button->setToolTip(tr(entry.tooltip));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(entry.checkable);
        button->setStyleSheet(imageStyle(entry));
        button->setEnabled(!entry.startsDisabled);
        connect(button, &QPushButton::clicked, this, entry.clicked);
        layout->addWidget(button);
        if (entry.spacingAfter == Stretch)
            layout->addStretch();
        else
            layout->addSpacing(entry.spacingAfter);
    }
}

QStringList TitleBarWidget::buttonNames()
{
    QStringList names;
    for (const ButtonEntry &entry : Buttons)
        names.append(QLatin1String(entry.name));
    return names;
}

QPushButton *TitleBarWidget::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName, Qt::FindDirectChildrenOnly);
}

int TitleBarWidget::connectToWindow(QObject *receiver)
{
    if (!receiver)
        return 0;
    int connected = 0;
    const QMetaObject *meta = receiver->metaObject();
    for (const ButtonEntry &entry : Buttons) {
        const QByteArray slot = QMetaObject::normalizedSignature(entry.slot);
        const int index = meta->indexOfSlot(slot.constData());
        QPushButton *source = button(QLatin1String(entry.name));
        if (index < 0 || !source) {
            qCDebug(lcUi).noquote() << "TitleBarWidget::connectToWindow"
                                    << "no slot" << entry.slot;
            continue;
        }
        const QMetaMethod signal = QMetaMethod::fromSignal(entry.clicked);
        if (connect(this, signal, receiver, meta->method(index), Qt::UniqueConnection))
            ++connected;
    }
    return connected;
}

void TitleBarWidget::onMediaInfoStateChanged(MediaInfo *, MediaContext *, int, int new_state)
{
    const bool exportState = isExportState(new_state);
    for (const ButtonEntry &entry : Buttons) {
        if (!entry.startsDisabled)
            continue;
        // A button whose click reaches nothing stays disabled.
        const bool connected = isSignalConnected(QMetaMethod::fromSignal(entry.clicked));
        if (QPushButton *target = button(QLatin1String(entry.name)))
            target->setEnabled(exportState && connected);
    }
}

void TitleBarWidget::setFullSizeMode(int height, bool fullSize)
{
    m_fullSize = fullSize;
    if (QLayout *bar = layout()) {
        for (int i = 0; i < bar->count(); ++i) {
            if (QWidget *widget = bar->itemAt(i)->widget())
                widget->setVisible(!fullSize);
        }
    }
    setFixedHeight(height);
    update();
}

QRect TitleBarWidget::logoRect() const
{
    if (m_fullSize || m_logo.isNull())
        return QRect();
    const QSize size = m_logo.size() / m_logo.devicePixelRatio();
    return QRect(QPoint(width() - LogoRightOffset - size.width(),
                        height() - LogoBottomOffset - size.height()),
                 size);
}

void TitleBarWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(rect(), m_background);
    const QRect logo = logoRect();
    if (!logo.isEmpty())
        painter.drawPixmap(logo, m_logo);
}

void TitleBarWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressGlobal = event->globalPos();
    }
    QWidget::mousePressEvent(event);
}

void TitleBarWidget::mouseMoveEvent(QMouseEvent *event)
{
    // The move starts only once the mouse has really moved, so that a double click stays a
    // double click instead of becoming a window-manager drag.
    QWidget *top = window();
    if (m_pressed && (event->buttons() & Qt::LeftButton) && top && top->isWindow()
        && !top->isMaximized() && !top->isFullScreen()
        && (event->globalPos() - m_pressGlobal).manhattanLength()
                >= QApplication::startDragDistance()) {
        m_pressed = false;
        if (WindowFrameHandler *frame = WindowFrameHandler::of(top))
            frame->startMove(m_pressGlobal);
        else if (QWindow *handle = top->windowHandle())
            handle->startSystemMove();
    }
    QWidget::mouseMoveEvent(event);
}

void TitleBarWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QWidget::mouseReleaseEvent(event);
}

void TitleBarWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit titleBarMouseDoubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}
