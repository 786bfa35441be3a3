#pragma once

#include "capturewriter.h"
#include "surroundviewmode.h"

#include <QImage>
#include <QMap>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPixmap>
#include <QPoint>
#include <QVector>

#include <array>
#include <memory>
#include <mutex>
#include <vector>

struct MediaFrame;
class MediaInfo;
class QOpenGLBuffer;
class QOpenGLShaderProgram;
class QOpenGLVertexArrayObject;
class QTimer;
class VideoDisplayHost;
struct AVFrame;

// The OpenGL surface that shows every channel of the playing recording, side by side or one
// channel alone, with a brightness factor.
//
// Threads: onVideoFrameReceived runs on a stream's runner thread and
// onVideoFrameForSearchReceived on the packet reader thread (direct connections made by the
// media context); both copy the picture into the slot before they return and only mark it
// dirty. Everything else (layout, painting, the player panel's calls) runs on the GUI thread.
// m_mutex guards every field below it; the GL objects are touched only on the GUI thread.
class VideoDisplayWidget : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 3;

    VideoDisplayWidget(VideoDisplayHost *host, QWidget *parent = nullptr);
    ~VideoDisplayWidget() override;

    // Builds the shown channels from a playing recording, keeps them while paused, clears
    // them for anything else (null included).
    void setPlaying(MediaInfo *info);
    bool isPlaying() const;
    int showAllVideoStreams();
    void showVideoStream(int streamIndex, int viewMode);
    void setViewMode(int mode);
    int surroundViewMode() const;
    // 0x10000 when all channels are shown, else the single stream (-1 when none).
    int currentShownStream() const;
    void setBrightness(double factor);
    double brightness() const;
    // Stream indices in slot order (front, inner, rear).
    QVector<int> shownStreams() const;
    // Saves the latest picture of every channel on screen (slot order) as JPEG files into
    // folder, tagged with the moment they show (CaptureWriter). 0 with the names written in
    // out; -1 with out empty and no file left when nothing plays or a picture cannot be saved.
    int captureFrames(const QString &folder,
                      QStringList &out,
                      const CaptureWriter::Moment &moment = CaptureWriter::Moment());
    // Copies of the latest picture of every shown stream, by stream index (out is emptied
    // first). -1 when nothing plays, else 0.
    int grabFrames(QMap<int, QImage> &out) const;
    // A copy of the whole VR picture the surround channel's window is cut from (null when the
    // surround channel has had no VR frame).
    QImage vrPicture() const;

signals:
    void changeVideoStreamViewMode(int stream_index, int view_mode);

public slots:
    void onSurroundOriginalViewModeClicked(bool checked);
    void onSurroundVRViewModeClicked(bool checked);
    void onSurroundPanoramaViewModeClicked(bool checked);
    void onSurroundStereoViewModeClicked(bool checked);
    void onVideoFrameReceived(int stream_index, MediaFrame *vframe);
    void onVideoFrameForSearchReceived(int stream_index, AVFrame *frame, bool bStillSearching);
    void onCustomContextMenuRequested(QPoint pos);
    void refresh();
    void testseekagain();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Slot
    {
        unsigned texture = 0; // BGR picture, or the Y plane
        unsigned textureU = 0;
        unsigned textureV = 0;
        QOpenGLVertexArrayObject *tiledArray = nullptr;
        QOpenGLBuffer *tiledBuffer = nullptr;
        QOpenGLVertexArrayObject *singleArray = nullptr;
        QOpenGLBuffer *singleBuffer = nullptr;
        int width = 0;
        int height = 0;
        // Packed BGR rows (width x 3 bytes each), or with yuv the packed planes Y, U, V of a
        // limited-range 4:2:0 picture of the given AVColorSpace.
        std::vector<uint8_t> data;
        bool yuv = false;
        int colorspace = 0;
        std::vector<uint8_t> vrData; // the whole VR picture, rows of vrLineSize bytes
        int vrWidth = 0;
        int vrHeight = 0;
        int vrLineSize = 0;
        int vrFormat = -1;
        int frameViewMode = 0;
        bool dirty = false;
        bool uploaded = false; // the texture holds data's picture
    };

    // Copies a picture of rows lineSize bytes apart into a slot as packed BGR rows.
    static bool copyPicture(Slot &slot, const uint8_t *src, int lineSize, int width, int height);
    // Copies an engine picture (YUV 4:2:0 or BGR) into a slot.
    static bool copyFrame(Slot &slot, const AVFrame *frame);
    static void yuvPlanes(const Slot &slot, const uint8_t *planes[3], int strides[3]);
    // Makes the slot's buffer at least size bytes; false (and the buffer freed) without memory.
    static bool growData(Slot &slot, size_t size);
    void uploadPlane(unsigned texture, int width, int height, const uint8_t *data);
    // Cuts the VR window at the current yaw and pitch out of the slot's VR picture.
    void cutVrWindowLocked(Slot &slot);
    void layoutLocked();
    void writeQuad(QOpenGLBuffer *buffer, float cx, float cy, float hw, float hh);
    void drawSlot(Slot &slot, int unit, bool tiled, bool uploadSearchImage);
    void releaseGl();
    bool isSurroundVrShownLocked() const;
    // A copy of a shown stream's latest picture (null when it has none).
    QImage pictureLocked(int streamIndex) const;

    VideoDisplayHost *m_host;
    MediaInfo *m_info
            = nullptr; // set by setPlaying; GUI thread writes, frame slots read under m_mutex
    QOpenGLShaderProgram *m_program = nullptr; // BGR pictures
    QOpenGLShaderProgram *m_yuvProgram = nullptr; // YUV pictures, converted by the shader
    bool m_legacyGl = false; // GLSL 1.20: one-channel textures are GL_LUMINANCE
    unsigned m_searchTexture = 0;
    bool m_glReady = false;
    QTimer *m_refreshTimer = nullptr;
    QImage m_backgroundImage;
    QPixmap m_vrHint;

    mutable std::mutex m_mutex;
    std::array<Slot, SlotCount> m_slots;
    bool m_playing = false;
    QMap<int, int> m_shownStreams; // stream index -> slot index
    QVector<int> m_shownList; // stream indices in slot order
    bool m_showAll = false;
    int m_singleStream = -1;
    int m_surroundStream = -1;
    int m_surroundViewMode = 0;
    bool m_dragging = false;
    QPoint m_lastMousePos;
    int m_vrYaw = 0;
    int m_vrPitch = 0;
    double m_brightness = 1.0;
    QImage m_searchImage;
    bool m_forceSearchRedraw = false;
};
