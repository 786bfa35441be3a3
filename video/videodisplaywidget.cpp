#include "videodisplaywidget.h"

#include "displaylog.h"
#include "media/mediaframe.h"
#include "media/mediainfo.h"
#include "media/pictureconverter.h"
#include "videodisplayhost.h"

#include <QAction>
#include <QDateTime>
#include <QDebug>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLBuffer>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QPainter>
#include <QSurfaceFormat>
#include <QTimer>
#include <QVector4D>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

#include "media/avptr.h"

#include <algorithm>
#include <cstring>

namespace {

const char kVertex330[]
        = "#version 330 core\nlayout(location = 0) in vec4 vPosition; \nlayout(location = 1) in "
          "vec2 "
          "vTexCoord; \nout vec2 TexCoord; \nvoid main() \n{ \ngl_Position = vPosition; \nTexCoord "
          "= vTexCoord; \n}";
const char kFragment330[]
        = "#version 330 core\nin vec2 TexCoord; \nuniform sampler2D myTexture; \nuniform float "
          "myBrightness; \nout vec4 fragColor; \nvoid main() \n{ \nvec4 texColour = "
          "vec4(texture(myTexture, TexCoord).bgr, 1);\n//vec4 texColour = texture(myTexture, "
          "TexCoord);\nfragColor = texColour * myBrightness; \n}";
const char kVertex120[]
        = "#version 120\nattribute vec4 vPosition; \nattribute vec2 vTexCoord; \nvarying vec2 "
          "TexCoord; \nvoid main() \n{ \ngl_Position = vPosition; \nTexCoord = vTexCoord; \n}";
const char kFragment120[]
        = "#version 120\nvarying mediump vec2 TexCoord; \nuniform sampler2D myTexture; \nuniform "
          "float myBrightness; \nvoid main() \n{ \nvec4 texColour = vec4(texture2D(myTexture, "
          "TexCoord).bgr, 1);\ngl_FragColor = texColour * myBrightness; \n}";

// Limited-range YUV 4:2:0 from three one-channel textures, with the matrix the picture
// converter uses (uniform coefficients crv, cbu, cgu, cgv).
const char kYuvFragment330[]
        = "#version 330 core\n"
          "in vec2 TexCoord;\n"
          "uniform sampler2D texY;\n"
          "uniform sampler2D texU;\n"
          "uniform sampler2D texV;\n"
          "uniform vec4 coefficients;\n"
          "uniform float myBrightness;\n"
          "out vec4 fragColor;\n"
          "void main()\n"
          "{\n"
          "    float y = (texture(texY, TexCoord).r - 16.0 / 255.0) * (255.0 / 219.0);\n"
          "    float u = texture(texU, TexCoord).r - 128.0 / 255.0;\n"
          "    float v = texture(texV, TexCoord).r - 128.0 / 255.0;\n"
          "    vec3 rgb = vec3(y + coefficients.x * v,\n"
          "                    y - coefficients.z * u - coefficients.w * v,\n"
          "                    y + coefficients.y * u);\n"
          "    fragColor = vec4(clamp(rgb, 0.0, 1.0), 1) * myBrightness;\n"
          "}\n";
const char kYuvFragment120[]
        = "#version 120\n"
          "varying vec2 TexCoord;\n"
          "uniform sampler2D texY;\n"
          "uniform sampler2D texU;\n"
          "uniform sampler2D texV;\n"
          "uniform vec4 coefficients;\n"
          "uniform float myBrightness;\n"
          "void main()\n"
          "{\n"
          "    float y = (texture2D(texY, TexCoord).r - 16.0 / 255.0) * (255.0 / 219.0);\n"
          "    float u = texture2D(texU, TexCoord).r - 128.0 / 255.0;\n"
          "    float v = texture2D(texV, TexCoord).r - 128.0 / 255.0;\n"
          "    vec3 rgb = vec3(y + coefficients.x * v,\n"
          "                    y - coefficients.z * u - coefficients.w * v,\n"
          "                    y + coefficients.y * u);\n"
          "    gl_FragColor = vec4(clamp(rgb, 0.0, 1.0), 1) * myBrightness;\n"
          "}\n";

constexpr int kFloatsPerVertex = 5;
constexpr int kVerticesPerQuad = 6;
constexpr int kBgrBytes = 3;

// Width and height (fractions of the area) of a picture of aspect r (height / width) fitted
// into an area of areaWidth x areaHeight pixels.
QPair<double, double> fit(double r, double areaWidth, double areaHeight)
{
    if (areaWidth <= 0 || areaHeight <= 0)
        return {0, 0};
    if (r == 1.0) {
        if (areaWidth > areaHeight)
            return {areaHeight / areaWidth, 1.0};
        return {1.0, areaWidth / areaHeight};
    }
    double x = areaWidth;
    while (x > 0 && r * x > areaHeight)
        x -= 1;
    return {x / areaWidth, r * x / areaHeight};
}

} // namespace

VideoDisplayWidget::VideoDisplayWidget(VideoDisplayHost *host, QWidget *parent)
    : QOpenGLWidget(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("video_display_widget"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_NoSystemBackground);
    m_backgroundImage.load(QStringLiteral(":/resource/img/logo/image_bg.bmp"));
    m_vrHint.load(QStringLiteral(":/resource/img/player/vr_hint.png"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this,
            &QWidget::customContextMenuRequested,
            this,
            &VideoDisplayWidget::onCustomContextMenuRequested);
    m_refreshTimer = new QTimer(this);
    connect(m_refreshTimer, &QTimer::timeout, this, &VideoDisplayWidget::refresh);
    m_refreshTimer->start(10);
}

VideoDisplayWidget::~VideoDisplayWidget()
{
    makeCurrent();
    releaseGl();
    doneCurrent();
}

void VideoDisplayWidget::releaseGl()
{
    for (Slot &slot : m_slots) {
        delete slot.tiledArray;
        delete slot.tiledBuffer;
        delete slot.singleArray;
        delete slot.singleBuffer;
        slot.tiledArray = nullptr;
        slot.tiledBuffer = nullptr;
        slot.singleArray = nullptr;
        slot.singleBuffer = nullptr;
        for (unsigned *texture : {&slot.texture, &slot.textureU, &slot.textureV}) {
            if (*texture && m_glReady)
                glDeleteTextures(1, texture);
            *texture = 0;
        }
        for (TextureShape &shape : slot.shapes)
            shape = TextureShape();
        slot.uploadedSerial = 0;
    }
    if (m_searchTexture && m_glReady)
        glDeleteTextures(1, &m_searchTexture);
    m_searchTexture = 0;
    delete m_program;
    m_program = nullptr;
    delete m_yuvProgram;
    m_yuvProgram = nullptr;
    m_glReady = false;
}

void VideoDisplayWidget::initializeGL()
{
    initializeOpenGLFunctions();
    const QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    qCDebug(lcDisplay).noquote() << "OpenGL version  :" << format.majorVersion() << "."
                                 << format.minorVersion();
    qCDebug(lcDisplay).noquote() << "OpenGL profile  :" << format.profile();
    qCDebug(lcDisplay).noquote() << "OpenGL vendor   :"
                                 << reinterpret_cast<const char *>(glGetString(GL_VENDOR));
    qCDebug(lcDisplay).noquote() << "OpenGL renderer :"
                                 << reinterpret_cast<const char *>(glGetString(GL_RENDERER));
    qCDebug(lcDisplay).noquote() << "OpenGL version  :"
                                 << reinterpret_cast<const char *>(glGetString(GL_VERSION));

    m_program = new QOpenGLShaderProgram;
    bool ok = false;
    if (m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertex330)) {
        ok = m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragment330);
    } else {
        qCDebug(lcDisplay).noquote() << "use GLSL 120";
        m_program->removeAllShaders();
        ok = m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertex120)
                && m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragment120);
    }
    m_program->bindAttributeLocation("vPosition", 0);
    m_program->bindAttributeLocation("vTexCoord", 1);
    ok = ok && m_program->link();
    m_legacyGl = m_program->shaders().isEmpty()
            || m_program->shaders().first()->sourceCode().startsWith("#version 120");
    m_yuvProgram = new QOpenGLShaderProgram;
    ok = ok
            && m_yuvProgram->addShaderFromSourceCode(QOpenGLShader::Vertex,
                                                     m_legacyGl ? kVertex120 : kVertex330)
            && m_yuvProgram->addShaderFromSourceCode(
                    QOpenGLShader::Fragment, m_legacyGl ? kYuvFragment120 : kYuvFragment330);
    m_yuvProgram->bindAttributeLocation("vPosition", 0);
    m_yuvProgram->bindAttributeLocation("vTexCoord", 1);
    ok = ok && m_yuvProgram->link();

    for (Slot &slot : m_slots) {
        if (!ok)
            break;
        slot.tiledArray = new QOpenGLVertexArrayObject;
        slot.tiledBuffer = new QOpenGLBuffer(QOpenGLBuffer::VertexBuffer);
        slot.singleArray = new QOpenGLVertexArrayObject;
        slot.singleBuffer = new QOpenGLBuffer(QOpenGLBuffer::VertexBuffer);
        ok = slot.tiledArray->create() && slot.tiledBuffer->create() && slot.singleArray->create()
                && slot.singleBuffer->create();
    }
    if (ok) {
        for (Slot &slot : m_slots) {
            for (unsigned *texture : {&slot.texture, &slot.textureU, &slot.textureV}) {
                glGenTextures(1, texture);
                glBindTexture(GL_TEXTURE_2D, *texture);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
                ok = ok && *texture != 0;
            }
        }
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    m_glReady = ok;
    if (!ok) {
        qWarning().noquote() << "VideoDisplayWidget::initializeGL: OpenGL set-up failed:"
                             << m_program->log()
                             << (m_yuvProgram ? m_yuvProgram->log() : QString());
        releaseGl();
        return;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    layoutLocked();
}

void VideoDisplayWidget::setPlaying(MediaInfo *info)
{
    const int state = info ? info->state() : MediaInfo::Idle;
    if (state == MediaInfo::Paused)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (info && state == MediaInfo::Playing) {
            m_info = info;
            m_shownStreams.clear();
            m_shownList.clear();
            int slot = 0;
            for (int role : {info->front(), info->inner(), info->rear()}) {
                if (role < 0 || m_shownStreams.contains(role))
                    continue;
                m_shownStreams.insert(role, slot++);
                m_shownList << role;
            }
            m_surroundStream = info->surround();
            if (!m_shownStreams.isEmpty()) {
                if (m_glReady) {
                    makeCurrent();
                    layoutLocked();
                    doneCurrent();
                }
                for (Slot &s : m_slots)
                    s.dirty = true;
                m_playing = true;
            } else {
                m_playing = false;
            }
            ++m_slotGeneration;
        } else {
            m_showAll = false;
            m_singleStream = -1;
            m_dragging = false;
            m_vrYaw = m_vrPitch = 0;
            for (Slot &s : m_slots) {
                // Black: zero bytes read as BGR, at the size of the last picture.
                if (s.front) {
                    PicturePtr black = writable(takeBufferLocked(s.back));
                    const int width = s.front->width;
                    const int height = s.front->height;
                    if (black
                        && growData(*black,
                                    static_cast<size_t>(width) * static_cast<size_t>(height)
                                            * kBgrBytes)) {
                        std::fill(black->data.begin(), black->data.end(), 0);
                        black->width = width;
                        black->height = height;
                        black->yuv = false;
                        publishLocked(s, std::move(black));
                    } else {
                        s.front.reset();
                    }
                }
                s.dirty = true;
            }
            ++m_slotGeneration;
            m_shownStreams.clear();
            m_shownList.clear();
            m_playing = false;
            m_info = info;
        }
        qCDebug(lcDisplay).noquote()
                << "VideoDisplayWidget::setPlaying" << m_playing << "streams" << m_shownList;
    }
    update();
}

bool VideoDisplayWidget::isPlaying() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playing;
}

int VideoDisplayWidget::showAllVideoStreams()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_showAll = true;
    m_dragging = false;
    for (Slot &s : m_slots)
        s.dirty = true;
    return 0;
}

void VideoDisplayWidget::showVideoStream(int streamIndex, int viewMode)
{
    qCDebug(lcDisplay).noquote() << "VideoDisplayWidget::showVideoStream" << streamIndex
                                 << viewMode;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_showAll = false;
        m_singleStream = streamIndex;
        m_dragging = false;
        for (Slot &s : m_slots)
            s.dirty = true;
    }
    setViewMode(viewMode);
}

void VideoDisplayWidget::setViewMode(int mode)
{
    int stream = -1;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_showAll || m_singleStream < 0 || m_singleStream != m_surroundStream
            || mode == m_surroundViewMode) {
            return;
        }
        m_surroundViewMode = mode;
        for (Slot &s : m_slots)
            s.dirty = true;
        stream = m_singleStream;
    }
    emit changeVideoStreamViewMode(stream, mode);
}

int VideoDisplayWidget::surroundViewMode() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_surroundViewMode;
}

int VideoDisplayWidget::currentShownStream() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_showAll ? MediaInfo::AllChannels : m_singleStream;
}

void VideoDisplayWidget::setBrightness(double factor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_brightness = factor < 0.01 ? 0.01 : std::min(factor, 5.0);
    for (Slot &s : m_slots)
        s.dirty = true;
}

double VideoDisplayWidget::brightness() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_brightness;
}

QVector<int> VideoDisplayWidget::shownStreams() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_shownList;
}

QImage VideoDisplayWidget::pictureLocked(int streamIndex) const
{
    auto it = m_shownStreams.constFind(streamIndex);
    if (it == m_shownStreams.constEnd())
        return QImage();
    const Picture *picture = m_slots[static_cast<size_t>(*it)].front.get();
    if (!picture || picture->width <= 0 || picture->height <= 0 || picture->data.empty())
        return QImage();
    if (picture->yuv) {
        QImage image(picture->width, picture->height, QImage::Format_BGR888);
        const uint8_t *planes[3];
        int strides[3];
        yuvPlanes(*picture, planes, strides);
        if (image.isNull()
            || !PictureConverter::toBgr(planes,
                                        strides,
                                        AV_PIX_FMT_YUV420P,
                                        picture->width,
                                        picture->height,
                                        picture->colorspace,
                                        image.bits(),
                                        image.bytesPerLine()))
            return QImage();
        return image;
    }
    // A copy: the picture's buffer is written again once it is no longer the front one.
    const QImage view(picture->data.data(),
                      picture->width,
                      picture->height,
                      picture->width * kBgrBytes,
                      QImage::Format_BGR888);
    return view.copy();
}

int VideoDisplayWidget::captureFrames(const QString &folder,
                                      QStringList &out,
                                      const CaptureWriter::Moment &moment)
{
    out.clear();
    QVector<CaptureWriter::Picture> pictures;
    bool single = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playing)
            return -1;
        single = !m_showAll;
        const QVector<int> streams = single ? QVector<int> {m_singleStream} : m_shownList;
        for (int stream : streams) {
            const QImage image = pictureLocked(stream);
            if (image.isNull())
                return -1;
            pictures.append({stream, image});
        }
    }
    // The copies are encoded and written without holding up the runner threads.
    return CaptureWriter::write(
            folder, QDateTime::currentDateTime(), pictures, single, moment, &out);
}

uint64_t VideoDisplayWidget::presentedPictures(int streamIndex) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_shownStreams.constFind(streamIndex);
    if (it == m_shownStreams.constEnd() || *it < 0 || size_t(*it) >= m_slots.size())
        return 0;
    return m_slots[size_t(*it)].presented;
}

int VideoDisplayWidget::grabFrames(QMap<int, QImage> &out) const
{
    out.clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_playing)
        return -1;
    for (int stream : m_shownList) {
        const QImage image = pictureLocked(stream);
        if (image.isNull())
            break;
        out.insert(stream, image);
    }
    return 0;
}

QImage VideoDisplayWidget::vrPicture() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_shownStreams.constFind(m_surroundStream);
    if (it == m_shownStreams.constEnd())
        return QImage();
    const Picture *vr = m_slots[static_cast<size_t>(*it)].vr.get();
    if (!vr || vr->data.empty() || vr->width <= 0 || vr->height <= 0)
        return QImage();
    const QImage view(vr->data.data(), vr->width, vr->height, vr->lineSize, QImage::Format_BGR888);
    return view.copy();
}

void VideoDisplayWidget::onSurroundOriginalViewModeClicked(bool checked)
{
    if (checked)
        setViewMode(SurroundViewMode::Original);
}

void VideoDisplayWidget::onSurroundVRViewModeClicked(bool checked)
{
    if (checked)
        setViewMode(SurroundViewMode::VR);
}

void VideoDisplayWidget::onSurroundPanoramaViewModeClicked(bool checked)
{
    if (checked)
        setViewMode(SurroundViewMode::Panorama);
}

void VideoDisplayWidget::onSurroundStereoViewModeClicked(bool checked)
{
    if (checked)
        setViewMode(SurroundViewMode::Stereo);
}

void VideoDisplayWidget::yuvPlanes(const Picture &picture, const uint8_t *planes[3], int strides[3])
{
    const int cw = (picture.width + 1) / 2;
    const int ch = (picture.height + 1) / 2;
    const size_t lumaSize
            = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    const size_t chromaSize = static_cast<size_t>(cw) * static_cast<size_t>(ch);
    planes[0] = picture.data.data();
    planes[1] = planes[0] + lumaSize;
    planes[2] = planes[1] + chromaSize;
    strides[0] = picture.width;
    strides[1] = strides[2] = cw;
}

bool VideoDisplayWidget::copyFrame(Picture &out, const AVFrame *frame)
{
    if (frame->format != AV_PIX_FMT_YUV420P)
        return copyPicture(out, frame->data[0], frame->linesize[0], frame->width, frame->height);
    const int width = frame->width;
    const int height = frame->height;
    const int cw = (width + 1) / 2;
    const int ch = (height + 1) / 2;
    if (width <= 0 || height <= 0 || !frame->data[0] || !frame->data[1] || !frame->data[2]
        || frame->linesize[0] < width || frame->linesize[1] < cw || frame->linesize[2] < cw)
        return false;
    const size_t lumaSize = static_cast<size_t>(width) * static_cast<size_t>(height);
    const size_t chromaSize = static_cast<size_t>(cw) * static_cast<size_t>(ch);
    if (!growData(out, lumaSize + 2 * chromaSize))
        return false;
    out.width = width;
    out.height = height;
    out.yuv = true;
    out.colorspace = frame->colorspace;
    // Each plane packed (Y, U, V as yuvPlanes finds them): the texture upload reads exactly
    // its width per row.
    uint8_t *planes[3] = {
            out.data.data(), out.data.data() + lumaSize, out.data.data() + lumaSize + chromaSize};
    for (int p = 0; p < 3; ++p) {
        const int rows = p == 0 ? height : ch;
        const size_t rowBytes = static_cast<size_t>(p == 0 ? width : cw);
        for (int y = 0; y < rows; ++y)
            std::memcpy(planes[p] + static_cast<size_t>(y) * rowBytes,
                        frame->data[p] + static_cast<ptrdiff_t>(y) * frame->linesize[p],
                        rowBytes);
    }
    return true;
}

bool VideoDisplayWidget::growData(Picture &picture, size_t size)
{
    try {
        if (picture.data.size() < size)
            picture.data.resize(size);
    } catch (const std::bad_alloc &) {
        picture.data.clear();
        picture.data.shrink_to_fit();
        return false;
    }
    return true;
}

bool VideoDisplayWidget::copyPicture(
        Picture &out, const uint8_t *src, int lineSize, int width, int height)
{
    const int rowBytes = width * kBgrBytes;
    if (!src || width <= 0 || height <= 0 || lineSize < rowBytes)
        return false;
    out.yuv = false;
    if (!growData(out, static_cast<size_t>(rowBytes) * static_cast<size_t>(height)))
        return false;
    // Rows arrive padded to the decoder's line size; the picture keeps them packed so the
    // texture upload reads exactly width x 3 bytes per row.
    for (int y = 0; y < height; ++y)
        std::memcpy(out.data.data() + static_cast<size_t>(y) * rowBytes,
                    src + static_cast<size_t>(y) * lineSize,
                    rowBytes);
    out.width = width;
    out.height = height;
    return true;
}

bool VideoDisplayWidget::cutVrWindow(const Picture &vr, int yaw, int pitch, Picture &out)
{
    const int w2 = vr.width;
    const int h2 = vr.height;
    const int w = w2 / 2;
    const int h = h2 / 2;
    if (w <= 0 || h <= 0 || vr.data.empty())
        return false;
    const int x0 = ((yaw % w2) + w2) % w2;
    const int y0 = std::clamp(pitch, 0, h2 - h);
    const size_t rowBytes = static_cast<size_t>(w) * kBgrBytes;
    if (!growData(out, rowBytes * static_cast<size_t>(h)))
        return false;
    const int first = std::min(w, w2 - x0); // columns before the wrap
    for (int i = 0; i < h; ++i) {
        const uint8_t *row = vr.data.data() + static_cast<size_t>(y0 + i) * vr.lineSize;
        uint8_t *dst = out.data.data() + static_cast<size_t>(i) * rowBytes;
        std::memcpy(dst,
                    row + static_cast<size_t>(x0) * kBgrBytes,
                    static_cast<size_t>(first) * kBgrBytes);
        if (first < w)
            std::memcpy(dst + static_cast<size_t>(first) * kBgrBytes,
                        row,
                        static_cast<size_t>(w - first) * kBgrBytes);
    }
    out.width = w;
    out.height = h;
    out.yuv = false;
    return true;
}

VideoDisplayWidget::PicturePtr VideoDisplayWidget::takeBufferLocked(PicturePtr &back)
{
    PicturePtr buffer = std::move(back);
    back.reset();
    // A paint may still upload from it (it took it as the front picture before a swap). Every
    // shared reference is made and dropped under m_mutex, so the count is exact here.
    if (buffer && buffer.use_count() != 1)
        buffer.reset();
    return buffer;
}

VideoDisplayWidget::PicturePtr VideoDisplayWidget::writable(PicturePtr buffer)
{
    if (buffer)
        return buffer;
    try {
        return std::make_shared<Picture>();
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void VideoDisplayWidget::publishLocked(Slot &slot, PicturePtr picture)
{
    picture->serial = ++m_pictureSerial;
    slot.back = std::move(slot.front);
    slot.front = std::move(picture);
}

// Runs on the stream's runner thread.
void VideoDisplayWidget::presentFrame(int stream_index, std::unique_ptr<MediaFrame> vframe)
{
    if (!vframe || !vframe->frame)
        return;
    const AVFrame *frame = vframe->frame.get();
    PicturePtr picture;
    PicturePtr whole;
    bool vr = false;
    int yaw = 0;
    int pitch = 0;
    size_t slotIndex = 0;
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playing || !m_info)
            return;
        m_info->setDisplayedSeq(stream_index, vframe->seq);
        auto it = m_shownStreams.constFind(stream_index);
        if (it == m_shownStreams.constEnd())
            return;
        slotIndex = static_cast<size_t>(*it);
        generation = m_slotGeneration;
        Slot &slot = m_slots[slotIndex];
        picture = takeBufferLocked(slot.back);
        vr = stream_index == m_surroundStream && vframe->view_mode == SurroundViewMode::VR;
        if (vr) {
            whole = takeBufferLocked(slot.vrBack);
            yaw = m_vrYaw;
            pitch = m_vrPitch;
        }
    }
    // The copy runs with the mutex released: paints and the other channels go on meanwhile.
    picture = writable(std::move(picture));
    if (!picture)
        return;
    if (vr) {
        whole = writable(std::move(whole));
        const int lineSize = frame->linesize[0];
        if (!whole || lineSize < frame->width * kBgrBytes || frame->height <= 0)
            return;
        const size_t size = static_cast<size_t>(lineSize) * static_cast<size_t>(frame->height);
        if (!growData(*whole, size))
            return;
        std::memcpy(whole->data.data(), frame->data[0], size);
        whole->width = frame->width;
        whole->height = frame->height;
        whole->lineSize = lineSize;
        whole->yuv = false;
        if (!cutVrWindow(*whole, yaw, pitch, *picture))
            return;
    } else if (!copyFrame(*picture, frame)) {
        return;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    // The streams were given other slots meanwhile (another recording, or stopped).
    if (!m_playing || generation != m_slotGeneration)
        return;
    Slot &slot = m_slots[slotIndex];
    if (vr) {
        whole->serial = ++m_pictureSerial;
        slot.vrBack = std::move(slot.vr);
        slot.vr = std::move(whole);
    }
    publishLocked(slot, std::move(picture));
    slot.frameViewMode = vframe->view_mode;
    slot.dirty = true;
}

// Runs on the packet reader thread.
void VideoDisplayWidget::presentSearchFrame(int stream_index,
                                            av::FramePtr frame,
                                            bool stillSearching)
{
    Q_UNUSED(stillSearching)
    if (!frame) {
        qCDebug(lcDisplay).noquote() << "VideoDisplayWidget::presentSearchFrame"
                                     << "no frame to show";
        return;
    }
    if (frame->linesize[0] == 0 || frame->width <= 0 || frame->height <= 0) {
        qCDebug(lcDisplay).noquote()
                << ">>>>>>>>>>>>" << frame->linesize[0] << frame->linesize[1] << frame->linesize[2];
        return;
    }
    const QImage image = PictureConverter::toRgba(frame.get());
    frame.reset();
    if (image.isNull())
        return;
    // The slot keeps BGR pictures: store the searched frame converted, not its raw planes.
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);

    PicturePtr picture;
    size_t slotIndex = 0;
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_searchImage = image;
        auto it = m_shownStreams.constFind(stream_index);
        if (it == m_shownStreams.constEnd())
            return;
        slotIndex = static_cast<size_t>(*it);
        generation = m_slotGeneration;
        picture = takeBufferLocked(m_slots[slotIndex].back);
    }
    picture = writable(std::move(picture));
    if (!picture
        || !copyPicture(*picture, bgr.constBits(), bgr.bytesPerLine(), bgr.width(), bgr.height()))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (generation != m_slotGeneration)
        return;
    Slot &slot = m_slots[slotIndex];
    publishLocked(slot, std::move(picture));
    slot.frameViewMode = SurroundViewMode::Original;
    // Playback is paused during frame search: nothing else would ask for this repaint.
    slot.dirty = true;
    qCDebug(lcDisplay).noquote() << "stream" << stream_index << slot.front->width << "x"
                                 << slot.front->height << "update";
}

void VideoDisplayWidget::layoutLocked()
{
    if (!m_info || !m_glReady)
        return;
    const double dpr = devicePixelRatioF();
    const double W = width() * dpr;
    const double H = height() * dpr;
    for (auto it = m_shownStreams.constBegin(); it != m_shownStreams.constEnd(); ++it) {
        if (!m_info->hasStreamInfo(it.key()))
            return;
        const auto single = fit(m_info->streamInfo(it.key()).aspect, W, H);
        m_info->editStreamInfo(it.key(), [&](StreamInfo &info) {
            info.singleWidth = single.first;
            info.singleHeight = single.second;
        });
        writeQuad(m_slots[static_cast<size_t>(*it)].singleBuffer,
                  0,
                  0,
                  float(single.first),
                  float(single.second));
    }
    const int n = m_shownStreams.size();
    if (n == 0)
        return;
    const double T = W / n;
    double sum = 0;
    QMap<int, std::pair<double, double>> tiles; // stream -> tile width, height
    for (auto it = m_shownStreams.constBegin(); it != m_shownStreams.constEnd(); ++it) {
        const auto tile = fit(m_info->streamInfo(it.key()).aspect, T, H);
        const double tileWidth = W > 0 ? tile.first * T / W : 0;
        m_info->editStreamInfo(it.key(), [&](StreamInfo &info) {
            info.tileWidth = tileWidth;
            info.tileHeight = tile.second;
        });
        tiles.insert(it.key(), {tileWidth, tile.second});
        sum += tileWidth;
    }
    double x = -sum;
    for (auto it = m_shownStreams.constBegin(); it != m_shownStreams.constEnd(); ++it) {
        const auto tile = tiles.value(it.key());
        x += tile.first;
        writeQuad(m_slots[static_cast<size_t>(*it)].tiledBuffer,
                  float(x),
                  0,
                  float(tile.first),
                  float(tile.second));
        x += tile.first;
    }
}

void VideoDisplayWidget::writeQuad(QOpenGLBuffer *buffer, float cx, float cy, float hw, float hh)
{
    if (!buffer)
        return;
    const float v[kVerticesPerQuad * kFloatsPerVertex] = {
            cx - hw, cy + hh, 0, 0, 0, //
            cx - hw, cy - hh, 0, 0, 1, //
            cx + hw, cy + hh, 0, 1, 0, //
            cx - hw, cy - hh, 0, 0, 1, //
            cx + hw, cy - hh, 0, 1, 1, //
            cx + hw, cy + hh, 0, 1, 0, //
    };
    buffer->bind();
    buffer->allocate(v, sizeof v);
    buffer->release();
}

void VideoDisplayWidget::resizeGL(int w, int h)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const double dpr = devicePixelRatioF();
    glViewport(0, 0, int(w * dpr), int(h * dpr));
    qCDebug(lcDisplay).noquote() << "VideoDisplayWidget::resizeGL" << w << h;
    layoutLocked();
    for (Slot &s : m_slots)
        s.dirty = true;
    m_forceSearchRedraw = true;
}

void VideoDisplayWidget::refresh()
{
    bool dirty = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playing)
            return;
        for (const Slot &s : m_slots)
            dirty = dirty || s.dirty;
    }
    // Only a new picture (or a changed layout) causes a repaint.
    if (dirty)
        update();
}

void VideoDisplayWidget::upload(unsigned texture,
                                TextureShape &shape,
                                unsigned format,
                                int width,
                                int height,
                                const uint8_t *data)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    if (shape.width == width && shape.height == height && shape.format == format) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, data);
        return;
    }
    GLint internalFormat = GL_RGB;
    if (format != GL_RGB)
        internalFormat = m_legacyGl ? GL_LUMINANCE : GL_R8;
    glTexImage2D(
            GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, data);
    shape = {width, height, format};
}

void VideoDisplayWidget::drawSlot(Slot &slot,
                                  const Picture *picture,
                                  int unit,
                                  bool tiled,
                                  const QImage *searchImage,
                                  double brightness)
{
    const bool hasPicture
            = picture && !picture->data.empty() && picture->width > 0 && picture->height > 0;
    // Uploaded only when the textures hold another picture.
    const bool needsUpload = hasPicture && slot.uploadedSerial != picture->serial;
    if (needsUpload)
        ++slot.presented;
    const bool yuv = hasPicture && picture->yuv && !searchImage;
    QOpenGLShaderProgram *program = yuv ? m_yuvProgram : m_program;
    program->bind();
    program->setUniformValue("myBrightness", GLfloat(brightness));
    QOpenGLVertexArrayObject *array = tiled ? slot.tiledArray : slot.singleArray;
    QOpenGLBuffer *buffer = tiled ? slot.tiledBuffer : slot.singleBuffer;
    array->bind();
    buffer->bind();
    program->enableAttributeArray(0);
    program->enableAttributeArray(1);
    program->setAttributeBuffer(0, GL_FLOAT, 0, 3, kFloatsPerVertex * sizeof(float));
    program->setAttributeBuffer(
            1, GL_FLOAT, 3 * sizeof(float), 2, kFloatsPerVertex * sizeof(float));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Each slot draws from its own texture units: three for a YUV picture.
    const int firstUnit = unit * 3;
    if (yuv) {
        const uint8_t *planes[3];
        int strides[3];
        yuvPlanes(*picture, planes, strides);
        const int heights[3]
                = {picture->height, (picture->height + 1) / 2, (picture->height + 1) / 2};
        const unsigned textures[3] = {slot.texture, slot.textureU, slot.textureV};
        const char *names[3] = {"texY", "texU", "texV"};
        for (int p = 0; p < 3; ++p) {
            glActiveTexture(GL_TEXTURE0 + firstUnit + p);
            program->setUniformValue(names[p], firstUnit + p);
            if (needsUpload)
                upload(textures[p],
                       slot.shapes[p],
                       m_legacyGl ? GL_LUMINANCE : GL_RED,
                       strides[p],
                       heights[p],
                       planes[p]);
            else
                glBindTexture(GL_TEXTURE_2D, textures[p]);
        }
        const int *k = PictureConverter::coefficientsFor(picture->colorspace);
        program->setUniformValue("coefficients",
                                 QVector4D(float(k[0] / 65536.0),
                                           float(k[1] / 65536.0),
                                           float(k[2] / 65536.0),
                                           float(k[3] / 65536.0)));
        if (needsUpload)
            slot.uploadedSerial = picture->serial;
    } else {
        glActiveTexture(GL_TEXTURE0 + firstUnit);
        program->setUniformValue("myTexture", firstUnit);
    }
    if (searchImage) {
        if (!m_searchTexture) {
            glGenTextures(1, &m_searchTexture);
            glBindTexture(GL_TEXTURE_2D, m_searchTexture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
        glBindTexture(GL_TEXTURE_2D, m_searchTexture);
        glTexImage2D(GL_TEXTURE_2D,
                     0,
                     GL_RGBA,
                     searchImage->width(),
                     searchImage->height(),
                     0,
                     GL_BGRA,
                     GL_UNSIGNED_BYTE,
                     searchImage->constBits());
        slot.uploadedSerial = 0; // the slot texture must be re-bound with its own picture next time
    } else if (!yuv) {
        glBindTexture(GL_TEXTURE_2D, slot.texture);
        if (needsUpload) {
            upload(slot.texture,
                   slot.shapes[0],
                   GL_RGB,
                   picture->width,
                   picture->height,
                   picture->data.data());
            slot.uploadedSerial = picture->serial;
        }
    }
    glDrawArrays(GL_TRIANGLES, 0, kVerticesPerQuad);
    for (int p = yuv ? 2 : 0; p >= 0; --p) {
        glActiveTexture(GL_TEXTURE0 + firstUnit + p);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    program->disableAttributeArray(0);
    program->disableAttributeArray(1);
    buffer->release();
    array->release();
    program->release();
}

bool VideoDisplayWidget::isSurroundVrShownLocked() const
{
    if (m_showAll || m_singleStream < 0 || m_singleStream != m_surroundStream)
        return false;
    auto it = m_shownStreams.constFind(m_singleStream);
    return it != m_shownStreams.constEnd()
            && m_slots[static_cast<size_t>(*it)].frameViewMode == SurroundViewMode::VR;
}

void VideoDisplayWidget::paintGL()
{
    if (m_host && m_host->isClosing())
        return;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);

    // What this paint draws, taken under the mutex; the uploads run after it is released.
    struct Draw
    {
        size_t slot;
        int unit;
        bool tiled;
        PicturePtr picture; // held: a writer reuses no buffer a paint still reads
    };
    std::vector<Draw> draws;
    QImage searchImage;
    bool search = false;
    double brightness = 1.0;
    bool vrHint = false;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_playing || !m_glReady) {
            lock.unlock();
            QPainter painter(this);
            if (!m_backgroundImage.isNull())
                painter.drawImage(rect(), m_backgroundImage);
            return;
        }
        if (!m_showAll && !m_shownStreams.contains(m_singleStream)) {
            for (Slot &s : m_slots)
                s.dirty = false;
            return;
        }

        // A picture whose shape changed re-lays the view out (not while a surround mode
        // change is still on its way: its frames are of the old mode).
        bool modeInFlight = false;
        if (!m_showAll && m_singleStream == m_surroundStream) {
            auto it = m_shownStreams.constFind(m_singleStream);
            modeInFlight = it != m_shownStreams.constEnd()
                    && m_slots[static_cast<size_t>(*it)].frameViewMode != m_surroundViewMode;
        }
        if (!modeInFlight && m_info) {
            bool changed = false;
            for (auto it = m_shownStreams.constBegin(); it != m_shownStreams.constEnd(); ++it) {
                const Picture *picture = m_slots[static_cast<size_t>(*it)].front.get();
                if (!picture || picture->width <= 0 || picture->height <= 0
                    || !m_info->hasStreamInfo(it.key()))
                    continue;
                const double g = double(picture->height) / picture->width;
                m_info->editStreamInfo(it.key(), [&](StreamInfo &info) {
                    if (g == info.aspect)
                        return;
                    qCDebug(lcDisplay).noquote()
                            << "stream" << it.key() << ": new aspect ratio" << info.aspect << "-->"
                            << g << "," << picture->width << "x" << picture->height;
                    info.aspect = g;
                    changed = true;
                });
            }
            if (changed)
                layoutLocked();
        }

        if (m_showAll) {
            for (int i = m_shownList.size() - 1; i >= 0; --i) {
                const int slotIndex = m_shownStreams.value(m_shownList.at(i));
                const size_t index = static_cast<size_t>(slotIndex);
                draws.push_back({index, slotIndex, true, m_slots[index].front});
            }
        } else {
            const size_t index = static_cast<size_t>(m_shownStreams.value(m_singleStream));
            if (m_info && m_info->isFrameSearchMode()) {
                search = !m_info->isSeekingAbsolute() && !m_searchImage.isNull()
                        && (m_info->isFrameSearching() || m_forceSearchRedraw);
                if (search)
                    qCDebug(lcDisplay).noquote() << "VideoDisplayWidget::paintGL"
                                                 << "Draw the searched frame";
                else
                    m_info->setSeekingAbsolute(false);
            }
            if (search)
                searchImage = m_searchImage;
            draws.push_back({index, 0, false, m_slots[index].front});
            m_forceSearchRedraw = false;
        }
        for (Slot &s : m_slots)
            s.dirty = false;
        brightness = m_brightness;
        vrHint = isSurroundVrShownLocked();
    }

    for (const Draw &draw : draws)
        drawSlot(m_slots[draw.slot],
                 draw.picture.get(),
                 draw.unit,
                 draw.tiled,
                 search ? &searchImage : nullptr,
                 brightness);
    {
        // Handed back under the mutex, like every other reference to a slot's pictures is
        // made and dropped: a writer's use count test under it is then exact.
        std::lock_guard<std::mutex> lock(m_mutex);
        draws.clear();
    }

    QPainter painter(this);
    QPen pen(Qt::gray, 2, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
    if (vrHint && !m_vrHint.isNull()) {
        painter.setOpacity(0.3);
        painter.drawPixmap(
                width() - 10 - m_vrHint.width(), height() - 10 - m_vrHint.height(), m_vrHint);
    }
}

void VideoDisplayWidget::mousePressEvent(QMouseEvent *event)
{
    bool swallow = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (event->button() == Qt::LeftButton && isSurroundVrShownLocked()) {
            m_dragging = true;
            m_lastMousePos = event->pos();
        }
        swallow = m_dragging || m_playing;
    }
    if (!swallow)
        QOpenGLWidget::mousePressEvent(event);
}

void VideoDisplayWidget::mouseMoveEvent(QMouseEvent *event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_dragging)
        return;
    m_vrYaw += m_lastMousePos.x() - event->pos().x();
    m_vrPitch += m_lastMousePos.y() - event->pos().y();
    if (m_info && m_info->state() == MediaInfo::Paused && isSurroundVrShownLocked()) {
        // Paused: no new picture comes, so the window is cut here (on the GUI thread, which
        // owns this short copy) and published like one.
        Slot &slot = m_slots[static_cast<size_t>(m_shownStreams.value(m_singleStream))];
        PicturePtr picture = writable(takeBufferLocked(slot.back));
        if (slot.vr && picture && cutVrWindow(*slot.vr, m_vrYaw, m_vrPitch, *picture)) {
            publishLocked(slot, std::move(picture));
            slot.dirty = true;
        }
    }
    m_lastMousePos = event->pos();
}

void VideoDisplayWidget::mouseReleaseEvent(QMouseEvent *event)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_dragging = false;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void VideoDisplayWidget::onCustomContextMenuRequested(QPoint pos)
{
    if (!m_host)
        return;
    QMenu menu(this);
    auto add = [this](QMenu *to, const char *name, const char *button = nullptr) {
        QAction *action = m_host->displayAction(QString::fromLatin1(name));
        if (!action)
            return;
        if (button)
            action->setEnabled(m_host->isPlayerButtonEnabled(QString::fromLatin1(button)));
        to->addAction(action);
    };
    add(&menu, "openFileAction");
    add(&menu, "openFolderAction");
    menu.addSeparator();
    add(&menu, "playPauseAction", "playerPauseButton");
    add(&menu, "previousAction", "playerPrevButton");
    add(&menu, "nextAction", "playerNextButton");
    menu.addSeparator();
    QMenu *brightnessMenu = menu.addMenu(tr("Brightness"));
    add(brightnessMenu, "darkenAction");
    add(brightnessMenu, "brightenAction");
    add(brightnessMenu, "defaultBrightnessAction");
    QMenu *speedMenu = menu.addMenu(tr("Play Speed"));
    add(speedMenu, "fastAction");
    add(speedMenu, "slowAction");
    add(speedMenu, "defaultSpeedAction");
    QMenu *volumeMenu = menu.addMenu(tr("Volume"));
    add(volumeMenu, "volumeUpAction");
    add(volumeMenu, "volumeDownAction");
    add(volumeMenu, "muteAction");
    for (QMenu *sub : {brightnessMenu, speedMenu, volumeMenu})
        sub->menuAction()->setVisible(!sub->isEmpty());
    menu.exec(mapToGlobal(pos));
}

void VideoDisplayWidget::testseekagain()
{
    qCDebug(lcDisplay).noquote() << "VideoDisplayWidget::testseekagain";
    if (m_host)
        m_host->onSeekFrameAgain();
}
