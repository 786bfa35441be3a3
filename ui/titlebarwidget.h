#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class MediaInfo;
class MediaContext;
class QPushButton;

// The main window's top bar: file, folder, export, capture, print, full-size and about
// buttons on the left, the product logo, and the minimise, maximise and close buttons on the
// right. Each button emits its own signal; connectToWindow() connects them to the window's
// slots of the same purpose (onOpenFile, ... onExit). Dragging the bar's empty part moves the
// window; a double click on it emits titleBarMouseDoubleClicked().
//
// Threads: GUI thread only.
class TitleBarWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBarWidget(QWidget *parent = nullptr);

    // Connects every button signal to the receiver's slot named in the table (for example
    // openFileClicked() to onOpenFile()). Returns the number connected; a missing slot is
    // logged and skipped.
    int connectToWindow(QObject *receiver);

    // Button by object name ("fileOpenButton", ... "closeButton"), or null.
    QPushButton *button(const QString &objectName) const;
    // The object names of the buttons, in bar order.
    static QStringList buttonNames();

    // Stores the mode, hides (full size) or shows every widget of the bar, and fixes the
    // bar's height to `height`.
    void setFullSizeMode(int height, bool fullSize);
    bool isFullSizeMode() const { return m_fullSize; }

    // Where the logo is painted (empty in full-size mode or without a logo image).
    QRect logoRect() const;

signals:
    void titleBarMouseDoubleClicked();

    void openFileClicked();
    void openFolderClicked();
    void splitClicked();
    void screenShotClicked();
    void printScreenClicked();
    void fullSizeClicked();
    void aboutClicked();
    void minimizeClicked();
    void maximizeClicked();
    void closeClicked();

public slots:
    // The export, capture and print buttons are enabled exactly while playing or paused, and
    // only when their click signal is connected (a button that would do nothing stays off).
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_fullSize = false;
    QPixmap m_background;
    QPixmap m_logo;
    bool m_pressed = false;
    QPoint m_pressGlobal;
};
