#pragma once

// What the viewer window shows, read back for the window tests: the frame-number pattern of a
// channel's picture in the display as the X server shows it, and the label texts of the modal
// dialogs that open.
#include "app/mainwindow.h"
#include "media/mediainfo.h"
#include "playlist/playlistwidget.h"
#include "playlist/triplistwidget.h"
#include "screengrab.h"
#include "tools/framecode/framecode.h"
#include "video/videodisplaywidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QRectF>
#include <QTest>
#include <QTimer>
#include <QVector>

#include <algorithm>

namespace {

struct Reading
{
    int frame = -1;
    int channel = -1;
};

// Where the picture of one stream lies in a grabbed display of W x H pixels, from the layout the
// display wrote into the stream records (fractions of the view; tiles side by side, centred).
inline QRectF shownArea(
        double W, double H, MediaInfo &info, const QVector<int> &shown, int streamIndex, bool all)
{
    QRectF area;
    if (all) {
        QVector<int> order = shown;
        std::sort(order.begin(), order.end());
        double sum = 0;
        for (int s : order)
            sum += info.streamInfo(s).tileWidth;
        double x = (W - sum * W) / 2;
        for (int s : order) {
            const StreamInfo &r = info.streamInfo(s);
            if (s == streamIndex) {
                area = QRectF(x, (H - r.tileHeight * H) / 2, r.tileWidth * W, r.tileHeight * H);
                break;
            }
            x += r.tileWidth * W;
        }
    } else {
        const StreamInfo &r = info.streamInfo(streamIndex);
        area = QRectF((W - r.singleWidth * W) / 2,
                      (H - r.singleHeight * H) / 2,
                      r.singleWidth * W,
                      r.singleHeight * H);
    }
    return area;
}

// Reads the pattern of the picture of one stream out of a grabbed display.
inline Reading readShown(
        const QImage &grab, MediaInfo &info, const QVector<int> &shown, int streamIndex, bool all)
{
    const QImage rgb = grab.convertToFormat(QImage::Format_RGB888);
    const QRectF area = shownArea(rgb.width(), rgb.height(), info, shown, streamIndex, all);
    if (area.width() < 16 || area.height() < 16)
        return {};
    const QImage picture = rgb.copy(area.toAlignedRect().adjusted(2, 2, -2, -2));
    Reading r;
    if (!FrameCode::read(picture.constBits(),
                         picture.width(),
                         picture.height(),
                         picture.bytesPerLine(),
                         FrameCode::Layout::Rgb24,
                         &r.frame,
                         &r.channel)) {
        return {};
    }
    return r;
}

// Accepts the modal dialogs that open while the test waits, collecting their label texts.
class DialogCatcher : public QObject
{
public:
    DialogCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QDialog *dialog = nullptr;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *candidate = qobject_cast<QDialog *>(top);
                if (candidate && candidate->isVisible() && candidate->isModal())
                    dialog = candidate;
            }
            if (!dialog)
                return;
            QStringList texts;
            for (QLabel *label : dialog->findChildren<QLabel *>())
                texts << label->text();
            m_texts << texts.join(QLatin1Char(' '));
            dialog->accept();
        });
        m_timer.start(50);
    }
    QStringList texts() const { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};

// Clicks the window's button of this object name when it is there, shown and enabled.
inline bool clickButton(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QString::fromLatin1(name));
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    button->click();
    return true;
}

// Shows the play list's Trips view, waits for its scan to find one trip of `recordings` files
// and opens it as the mouse does: a click picks the row, a double click plays it.
inline bool openOnlyTrip(MainWindow *window, int recordings)
{
    if (!clickButton(window, "tripsViewButton"))
        return false;
    TripListWidget *trips = window->playList()->tripList();
    if (!QTest::qWaitFor([trips] { return trips->trips().size() == 1; }, 30000)
        || trips->trips().first().recordings.size() != recordings)
        return false;
    const QRect row = trips->visualRect(trips->model()->index(0, 0));
    QTest::mouseClick(trips->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(trips->viewport(), Qt::LeftButton, {}, row.center());
    return true;
}

// What the X server shows of the window's display for the stream at this position (in
// stream-index order).
inline Reading onScreen(MainWindow *window, int position = 0)
{
    VideoDisplayWidget *display = window->videoDisplay();
    QVector<int> shown = display->shownStreams();
    std::sort(shown.begin(), shown.end());
    if (position >= shown.size())
        return {};
    const bool all = display->currentShownStream() == MediaInfo::AllChannels;
    return readShown(ScreenGrab::of(display), window->mediaInfo(), shown, shown.at(position), all);
}

} // namespace
