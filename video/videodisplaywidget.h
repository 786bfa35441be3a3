#pragma once

#include "capturewriter.h"
#include "media/framesink.h"
#include "media/surroundviewmode.h"

#include <QImage>
#include <QMap>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPixmap>
#include <QPoint>
#include <QVector>

#include <array>
#include <cstdint>
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
// The engine's FrameSink: presentFrame runs on a stream's runner thread and
// presentSearchFrame on the packet reader thread. Each slot keeps a front picture (the latest
// complete one, never written again once published) and a back buffer: a writer takes the back
// buffer under m_mutex, copies the picture into it with the mutex released, and publishes it
// as the new front under m_mutex (the old front becomes the back buffer, reused only when no
// paint still holds it). paintGL takes references to the front pictures it needs under
// m_mutex, uploads them to the textures after releasing it and drops the references under
// m_mutex again, so presentation never waits on a GL upload and a paint never sees a picture
// half written. Shared references to a picture are only made and dropped under m_mutex. Everything
// else (layout, painting, captures, the player panel's calls) runs on the GUI thread. m_mutex
// guards every field below it except the GL objects and each slot's upload record, which only the
// GUI thread touches.
class VideoDisplayWidget : public QOpenGLWidget, protected QOpenGLFunctions, public FrameSink
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
    // Pictures of a stream this display has drawn since it was made (each counted once, at the
    // paint that first draws it); 0 for a stream without a slot. GUI thread.
    uint64_t presentedPictures(int streamIndex) const;
    // A copy of the whole VR picture the surround channel's window is cut from (null when the
    // surround channel has had no VR frame).
    QImage vrPicture() const;

    // FrameSink: copies the picture into its stream's slot and marks the slot for a repaint.
    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override;
    // FrameSink: shows a searched frame (converted to BGR) in its stream's slot.
    void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) override;

signals:
    void changeVideoStreamViewMode(int stream_index, int view_mode);

public slots:
    void onSurroundOriginalViewModeClicked(bool checked);
    void onSurroundVRViewModeClicked(bool checked);
    void onSurroundPanoramaViewModeClicked(bool checked);
    void onSurroundStereoViewModeClicked(bool checked);
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
    // One picture of a slot: packed BGR rows (width x 3 bytes each), or with yuv the packed
    // planes Y, U, V of a limited-range 4:2:0 picture of the given AVColorSpace; for the whole
    // VR picture of the surround channel, BGR rows lineSize bytes apart.
    struct Picture
    {
        std::vector<uint8_t> data;
        int width = 0;
        int height = 0;
        int lineSize = 0;
        bool yuv = false;
        int colorspace = 0;
        uint64_t serial = 0; // set when published; tells the uploads apart
    };
    using PicturePtr = std::shared_ptr<Picture>;

    // What a texture's storage was allocated as: a picture of the same shape is written into
    // it (glTexSubImage2D) instead of allocating new storage for every picture.
    struct TextureShape
    {
        int width = 0;
        int height = 0;
        unsigned format = 0; // 0: no storage yet
    };

    struct Slot
    {
        // GUI thread only.
        unsigned texture = 0; // BGR picture, or the Y plane
        unsigned textureU = 0;
        unsigned textureV = 0;
        QOpenGLVertexArrayObject *tiledArray = nullptr;
        QOpenGLBuffer *tiledBuffer = nullptr;
        QOpenGLVertexArrayObject *singleArray = nullptr;
        QOpenGLBuffer *singleBuffer = nullptr;
        uint64_t uploadedSerial = 0; // the picture the textures hold (0: none)
        TextureShape shapes[3]; // of texture, textureU, textureV
        uint64_t presented = 0; // pictures drawn (presentedPictures)
        // Guarded by m_mutex.
        PicturePtr front; // the latest picture (null before the first); read-only once here
        PicturePtr back; // the buffer the next picture is written into (may be null)
        PicturePtr vr; // the whole VR picture the window is cut from; read-only once here
        PicturePtr vrBack;
        int frameViewMode = 0;
        bool dirty = false;
    };

    // Copies a picture of rows lineSize bytes apart into out as packed BGR rows.
    static bool copyPicture(Picture &out, const uint8_t *src, int lineSize, int width, int height);
    // Copies an engine picture (YUV 4:2:0 or BGR) into out.
    static bool copyFrame(Picture &out, const AVFrame *frame);
    static void yuvPlanes(const Picture &picture, const uint8_t *planes[3], int strides[3]);
    // Makes the picture's buffer at least size bytes; false (and the buffer freed) without
    // memory.
    static bool growData(Picture &picture, size_t size);
    // Cuts the VR window at yaw and pitch out of a whole VR picture into out.
    static bool cutVrWindow(const Picture &vr, int yaw, int pitch, Picture &out);
    // Under m_mutex: the buffer *back holds, when no one else still reads it; null otherwise.
    static PicturePtr takeBufferLocked(PicturePtr &back);
    // A buffer to write a picture into: reused, or new; null without memory.
    static PicturePtr writable(PicturePtr buffer);
    // Under m_mutex: makes picture the slot's front; the old front becomes the back buffer.
    void publishLocked(Slot &slot, PicturePtr picture);
    // Writes a picture into a texture, allocating its storage only when the shape changed.
    void upload(unsigned texture,
                TextureShape &shape,
                unsigned format,
                int width,
                int height,
                const uint8_t *data);
    void layoutLocked();
    void writeQuad(QOpenGLBuffer *buffer, float cx, float cy, float hw, float hh);
    // GUI thread, without m_mutex: draws a slot's picture (uploading it when the textures hold
    // another), or the searched image.
    void drawSlot(Slot &slot,
                  const Picture *picture,
                  int unit,
                  bool tiled,
                  const QImage *searchImage,
                  double brightness);
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
    uint64_t m_pictureSerial = 0; // the last serial given to a published picture
    // Raised whenever the streams are given other slots: a picture copied meanwhile is dropped.
    uint64_t m_slotGeneration = 0;
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
