#include "audiostate.h"

#include "audiodecoder.h"
#include "audiorenderer.h"
#include "mediacontext.h"
#include "mediadecoder.h"
#include "mediaframe.h"

#include <QAudioDeviceInfo>
#include <QAudioOutput>
#include <QDebug>
#include <QThread>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <new>

namespace {

// The channel mask of a layout, 0 when it is not a plain mask of exactly channels channels.
uint64_t layoutMask(const AVChannelLayout &layout, int channels)
{
    if (layout.order != AV_CHANNEL_ORDER_NATIVE || layout.u.mask == 0)
        return 0;
    if (layout.nb_channels != channels)
        return 0;
    return layout.u.mask;
}

const char *stateName(int state)
{
    switch (state) {
    case QAudio::ActiveState:
        return "ACTIVE";
    case QAudio::SuspendedState:
        return "SUSPENDED";
    case QAudio::StoppedState:
        return "STOPPED";
    case QAudio::IdleState:
        return "IDLE";
    case QAudio::InterruptedState:
        return "INTERRUPTED";
    default:
        return nullptr;
    }
}

} // namespace

AudioState::AudioState(MediaContext *context)
    : MediaState(Audio, context, AudioPacketCapacity)
{ }

AudioState::~AudioState()
{
    // The base destructor's close would no longer reach releaseOutput of this class.
    if (isRunning())
        close();
}

double AudioState::volumeForLevel(int level)
{
    return std::clamp(level / 10.0, 0.0, 1.0);
}

int AudioState::frameSizeFor(int channels)
{
    if (channels < 1 || channels > 64)
        return 0;
    return channels * 2;
}

int AudioState::bytesPerSlotFor(int rate, int channels)
{
    const int frameSize = frameSizeFor(channels);
    if (rate < 1 || frameSize < 1)
        return 0;
    const int64_t bytes = static_cast<int64_t>(rate * SlotMsec / 1000) * frameSize;
    if (bytes > std::numeric_limits<int>::max() / 8)
        return 0;
    return static_cast<int>(bytes);
}

bool AudioState::openCodec(AVStream *stream, const AVCodec **codec, av::DictionaryPtr &options)
{
    if (!MediaState::openCodec(stream, codec, options))
        return false;
    const AVSampleFormat format = m_codecContext->sample_fmt;
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    const char *formatName = av_get_sample_fmt_name(format);
    const char *packedName = av_get_sample_fmt_name(packed);
    qDebug().noquote() << "audio request fmt: " << (formatName ? formatName : "none") << " ---> "
                       << (packedName ? packedName : "none");
    m_codecContext->request_sample_fmt = packed;
    return true;
}

int AudioState::createDecoder()
{
    if (!m_codecContext || m_decoder)
        return -1;
    return installDecoder(new (std::nothrow) AudioDecoder(this));
}

QAudioFormat AudioState::deviceFormatFor(double speed, bool *supported) const
{
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(m_targetRate.load() * speed));
    format.setChannelCount(m_targetChannels.load());
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleSize(16);
    format.setSampleType(QAudioFormat::SignedInt);
    const QAudioDeviceInfo device = QAudioDeviceInfo::defaultOutputDevice();
    *supported = !device.isNull() && device.isFormatSupported(format);
    if (*supported)
        return format;
    qWarning().noquote() << "audio format not supported, try nearest.";
    format = device.isNull() ? QAudioFormat() : device.nearestFormat(format);
    qDebug().noquote() << " ==> sampling rate " << format.sampleRate();
    return format;
}

int AudioState::configure(int volume, double speed, int view_width, int view_height, int view_mode)
{
    int ret = MediaState::configure(volume, speed, view_width, view_height, view_mode);
    if (ret < 0)
        return ret;
    if (m_renderer || !m_codecContext || !(speed > 0))
        return -1;

    const AVCodecContext *codec = m_codecContext.get();
    const int channels = codec->ch_layout.nb_channels;
    const uint64_t layout
            = codec->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? codec->ch_layout.u.mask : 0;
    const char *formatName = av_get_sample_fmt_name(codec->sample_fmt);
    qDebug().noquote() << "audio ch#" << channels << ", rate" << codec->sample_rate << ", layout"
                       << layout << ", sample format" << (formatName ? formatName : "none");
    if (channels < 1 || codec->sample_rate < 1)
        return -1;

    m_sourceRate = codec->sample_rate;
    m_targetRate.store(codec->sample_rate);
    m_sourceChannels = channels;
    m_sourceLayout = layoutMask(codec->ch_layout, channels);
    m_sourceFormat = codec->sample_fmt;
    m_targetChannels.store(channels);
    m_targetLayout.store(layoutMask(codec->ch_layout, channels));
    qDebug().noquote() << "==> audio target ch#" << m_targetChannels.load() << ", rate"
                       << m_targetRate.load() << ", layout" << m_targetLayout.load()
                       << ", sample format" << av_get_sample_fmt_name(AV_SAMPLE_FMT_S16)
                       << ", speed" << speed;
    if (configureFilters(nullptr, true) < 0) {
        qCritical().noquote() << "config audio filter failed";
        return -1;
    }

    bool supported = false;
    QAudioFormat format = deviceFormatFor(speed, &supported);
    if (format.sampleSize() != 16 || format.sampleType() != QAudioFormat::SignedInt
        || format.channelCount() < 1 || format.sampleRate() < 1) {
        qCritical().noquote() << "audio format not supported finally";
        return -1;
    }
    // The device may offer another channel count or rate than asked for: the graph then
    // converts to what the device plays, so the bytes in the ring always match the device.
    const int deviceChannels = format.channelCount();
    const int deviceRate = format.sampleRate();
    const int targetRate = std::max(1, static_cast<int>(deviceRate / speed));
    const bool rebuild = deviceChannels != m_targetChannels.load()
            || deviceRate != static_cast<int>(m_targetRate.load() * speed);
    m_targetChannels.store(deviceChannels);
    m_targetLayout.store(0);
    if (rebuild) {
        m_targetRate.store(targetRate);
        qDebug().noquote() << "==> audio target ch#" << deviceChannels << ", rate" << targetRate
                           << "(device" << deviceRate << ")";
        if (configureFilters(nullptr, true) < 0) {
            qCritical().noquote() << "config audio filter failed";
            return -1;
        }
    }

    m_frameSize.store(frameSizeFor(deviceChannels));
    m_bytesPerSlot.store(bytesPerSlotFor(deviceRate, deviceChannels));
    qDebug().noquote() << "frame size" << m_frameSize.load() << ", bytes per slot"
                       << m_bytesPerSlot.load() << ", slot" << SlotMsec << "msec";
    if (m_frameSize.load() < 1 || m_bytesPerSlot.load() < 1) {
        qCritical().noquote() << "audio get buffer size failed";
        return -1;
    }
    if (!m_ring.setup(m_bytesPerSlot.load())) {
        qCritical().noquote() << "audio ring buffer allocation failed";
        return -1;
    }
    m_format = format;
    m_volume.store(volumeForLevel(volume));

    // The renderer opens the output on its own thread and reports whether it started.
    m_stopRenderer.store(false);
    uint64_t serial;
    {
        std::lock_guard<std::mutex> lock(m_audioMutex);
        m_rendererActive = true;
        serial = ++m_nextSerial;
        m_commands.push_back({Command::Open, 0.0, serial});
    }
    m_renderer = std::make_unique<AudioRenderer>(this);
    m_renderer->start(QThread::TimeCriticalPriority);
    if (!m_renderer->isRunning() && !m_renderer->isFinished()) {
        // The thread could not be created: nobody will answer the open.
        {
            std::lock_guard<std::mutex> lock(m_audioMutex);
            m_rendererActive = false;
            m_commands.clear();
        }
        m_renderer.reset();
        m_ring.release();
        return -1;
    }
    {
        std::unique_lock<std::mutex> lock(m_audioMutex);
        m_commandDone.wait(lock, [&] { return m_results.count(serial) || !m_rendererActive; });
        ret = m_results.count(serial) ? m_results[serial] : -1;
        m_results.erase(serial);
    }
    if (ret < 0) {
        joinRenderer();
        m_ring.release();
        return -1;
    }
    return 0;
}

int AudioState::releaseOutput()
{
    joinRenderer();
    m_ring.release();
    return 0;
}

void AudioState::joinRenderer()
{
    m_stopRenderer.store(true);
    if (!m_renderer)
        return;
    {
        std::unique_lock<std::mutex> lock(m_audioMutex);
        m_audioCond.notify_all();
        // The renderer's last step runs under this mutex (rendererFinishedLocked): waiting for
        // it here orders everything the renderer did before the state goes away, also for
        // thread checkers that cannot see into QThread::wait.
        m_commandDone.wait(lock, [&] { return !m_rendererActive; });
    }
    m_renderer->wait();
    m_renderer.reset();
}

int AudioState::runCommand(Command command, double value, int fallback)
{
    std::unique_lock<std::mutex> lock(m_audioMutex);
    if (!m_rendererActive)
        return fallback;
    const uint64_t serial = ++m_nextSerial;
    m_commands.push_back({command, value, serial});
    m_audioCond.notify_all();
    m_commandDone.wait(lock, [&] { return m_results.count(serial) || !m_rendererActive; });
    const auto it = m_results.find(serial);
    if (it == m_results.end())
        return fallback;
    const int result = it->second;
    m_results.erase(it);
    return result;
}

void AudioState::executeCommandsLocked()
{
    if (m_commands.empty())
        return;
    while (!m_commands.empty()) {
        const PendingCommand pending = m_commands.front();
        m_commands.pop_front();
        m_results[pending.serial] = executeLocked(pending.command, pending.value);
    }
    m_commandDone.notify_all();
}

int AudioState::executeLocked(Command command, double value)
{
    switch (command) {
    case Command::Open:
        return openOutputLocked();
    case Command::Suspend:
        m_suspended = true;
        if (m_output)
            m_output->suspend();
        return 0;
    case Command::Resume:
        m_suspended = false;
        if (m_output)
            m_output->resume();
        return 0;
    case Command::Volume:
        if (m_output) {
            setOutputVolumeLocked(value);
            qDebug().noquote() << "audio set volume" << value;
        }
        return 0;
    case Command::Reopen:
        return reopenOutputLocked(value);
    }
    return -1;
}

QAudioOutput *AudioState::createOutputLocked(const QAudioFormat &format)
{
    // No parent: the output belongs to the renderer thread, the state to the event loop's.
    auto *output = new (std::nothrow) QAudioOutput(QAudioDeviceInfo::defaultOutputDevice(), format);
    if (!output)
        return nullptr;
    connect(output,
            &QAudioOutput::stateChanged,
            this,
            &AudioState::audioOutputStateChanged,
            Qt::DirectConnection);
    m_output = output;
    m_deviceRate.store(format.sampleRate());
    m_deviceChannels.store(format.channelCount());
    m_outputState.store(output->state());
    return output;
}

void AudioState::deleteOutputLocked()
{
    if (!m_output)
        return;
    m_output->stop();
    disconnect(m_output, nullptr, this, nullptr);
    delete m_output;
    m_output = nullptr;
    m_device = nullptr;
    m_outputState.store(-1);
}

bool AudioState::startDeviceLocked()
{
    QIODevice *device = m_output->start();
    m_outputState.store(m_output->state());
    // Without a sound server some backends hand back a device that is already stopped with an
    // open error: that is no device either.
    if (!device || m_output->error() != QAudio::NoError
        || m_output->state() == QAudio::StoppedState) {
        m_device = nullptr;
        return false;
    }
    m_device = device;
    return true;
}

void AudioState::setOutputVolumeLocked(double volume)
{
    m_output->setVolume(volume);
    m_outputVolume.store(m_output->volume());
}

int AudioState::openOutputLocked()
{
    if (m_output)
        return -1;
    if (!createOutputLocked(m_format))
        return -1;
    setOutputVolumeLocked(m_volume.load());
    if (!startDeviceLocked()) {
        qDebug().noquote() << "audio output start failed, error" << m_output->error();
        deleteOutputLocked();
        return -1;
    }
    return 0;
}

int AudioState::reopenOutputLocked(double speed)
{
    if (!m_output)
        return -1;
    const int rate = static_cast<int>(m_targetRate.load() * speed);
    qDebug().noquote() << "audio new sampling rate" << rate;
    const double volume = m_output->volume();
    if (rate == m_format.sampleRate())
        return 0;

    QAudioFormat format = m_format;
    format.setSampleRate(rate);
    const QAudioDeviceInfo device = QAudioDeviceInfo::defaultOutputDevice();
    if (device.isNull() || !device.isFormatSupported(format)) {
        qWarning().noquote() << "audio format not supported, try nearest.";
        format = device.isNull() ? QAudioFormat() : device.nearestFormat(format);
        qDebug().noquote() << "==> sampling rate " << format.sampleRate();
    }
    // The ring holds samples of the current channel count: a device that changes it cannot
    // play them.
    if (format.sampleSize() != 16 || format.sampleType() != QAudioFormat::SignedInt
        || format.channelCount() != m_format.channelCount() || format.sampleRate() < 1) {
        qCritical().noquote() << "audio format not supported finally";
        loseDeviceLocked();
        return -1;
    }

    deleteOutputLocked();
    if (!createOutputLocked(format)) {
        loseDeviceLocked();
        return -1;
    }
    m_format = format;
    qDebug().noquote() << " configured sampling rate" << format.sampleRate();
    m_frameSize.store(frameSizeFor(format.channelCount()));
    m_bytesPerSlot.store(bytesPerSlotFor(format.sampleRate(), format.channelCount()));
    qDebug().noquote() << "new frame size" << m_frameSize.load() << ", bytes per slot"
                       << m_bytesPerSlot.load() << ", slot" << SlotMsec << "msec";
    if (m_frameSize.load() < 1 || m_bytesPerSlot.load() < 1) {
        qCritical().noquote() << "audio get buffer size failed";
        loseDeviceLocked();
        return -1;
    }
    setOutputVolumeLocked(volume);
    if (!startDeviceLocked()) {
        loseDeviceLocked();
        return -1;
    }
    return 0;
}

void AudioState::loseDeviceLocked()
{
    deleteOutputLocked();
    m_silent = true;
    m_silentDue = 0;
    qDebug().noquote() << "audio output lost, the audio clock goes on without sound";
}

void AudioState::renderRoundLocked(int *lastSeq)
{
    // A sound server that went away leaves the output stopped with an error.
    if (m_output && m_output->state() == QAudio::StoppedState
        && m_output->error() != QAudio::NoError) {
        qCritical().noquote() << "audio device lost, error" << m_output->error();
        loseDeviceLocked();
    }
    if (!m_output || !m_device) {
        if (m_silent)
            silentRoundLocked(lastSeq);
        return;
    }
    const QAudio::State outputState = m_output->state();
    if (outputState != QAudio::ActiveState && outputState != QAudio::IdleState)
        return;

    const int ringSeq = m_ring.seq();
    if (ringSeq != *lastSeq) {
        m_output->reset();
        qDebug().noquote() << "audio renderer: mismatch seq" << *lastSeq << ":" << ringSeq
                           << ", audio device flush";
        if (!startDeviceLocked()) {
            qCritical().noquote() << "audio render io failed";
            loseDeviceLocked();
            return;
        }
        *lastSeq = ringSeq;
    }

    const int stored = m_ring.stored();
    const int deviceFree = m_output->bytesFree();
    if (deviceFree < 0) {
        // A stream whose server went away answers with an error size, also when the news of
        // the lost connection has not reached the output yet.
        qCritical().noquote() << "audio device lost, no writable size";
        loseDeviceLocked();
        return;
    }
    if (stored < 1 || deviceFree < 1)
        return;
    const int frameBytes = m_format.bytesPerFrame();
    const int rate = m_targetRate.load();
    if (frameBytes < 1 || rate < 1)
        return;
    int bytes = std::min({stored, deviceFree, m_ring.slotSize()});
    bytes -= bytes % frameBytes;
    if (bytes < 1)
        return;
    double chunkPosition = 0;
    bytes = m_ring.takeChunk(
            bytes, frameBytes, *lastSeq, static_cast<double>(frameBytes) * rate, &chunkPosition);
    if (bytes < 1)
        return;
    const double chunkSeconds = static_cast<double>(bytes / frameBytes) / rate;
    if (m_clock.update(chunkPosition, *lastSeq, speed(), bytes / frameBytes)) {
        // A new clock epoch (a seek, a speed change, after a pause): the device starts from
        // empty, so the first slot is given time to reach it.
        QThread::usleep(static_cast<unsigned long>(chunkSeconds * 1000000.0));
    }
    const qint64 written
            = m_device->write(reinterpret_cast<const char *>(m_ring.slotBuffer()), bytes);
    if (written != bytes)
        qDebug().noquote() << "audio device took" << written << "of" << bytes << "bytes";
}

void AudioState::silentRoundLocked(int *lastSeq)
{
    if (m_suspended) {
        m_silentDue = 0;
        return;
    }
    const int ringSeq = m_ring.seq();
    if (ringSeq != *lastSeq) {
        qDebug().noquote() << "audio renderer: mismatch seq" << *lastSeq << ":" << ringSeq
                           << ", no audio device";
        *lastSeq = ringSeq;
        m_silentDue = 0;
    }
    const double now = MediaClock::nowSeconds();
    if (m_silentDue > 0 && now < m_silentDue)
        return;
    const int frameBytes = m_frameSize.load();
    const int rate = m_targetRate.load();
    const double playSpeed = speed();
    if (frameBytes < 1 || rate < 1 || !(playSpeed > 0))
        return;
    double chunkPosition = 0;
    const int bytes = m_ring.takeChunk(m_ring.slotSize(),
                                       frameBytes,
                                       *lastSeq,
                                       static_cast<double>(frameBytes) * rate,
                                       &chunkPosition);
    if (bytes < 1) {
        m_silentDue = 0;
        return;
    }
    m_clock.update(chunkPosition, *lastSeq, playSpeed, bytes / frameBytes);
    // The chunk "plays" for its duration at the play speed, as it would on a device.
    const double chunkSeconds = static_cast<double>(bytes / frameBytes) / rate / playSpeed;
    m_silentDue = (m_silentDue > 0 ? m_silentDue : now) + chunkSeconds;
}

void AudioState::rendererFinishedLocked()
{
    deleteOutputLocked();
    m_silent = false;
    m_suspended = false;
    m_rendererActive = false;
    m_commands.clear();
    m_commandDone.notify_all();
}

void AudioState::audioOutputStateChanged(QAudio::State new_state)
{
    m_outputState.store(new_state);
    const char *name = stateName(new_state);
    if (!name) {
        qDebug().noquote() << "audio state: " << static_cast<int>(new_state);
        return;
    }
    qDebug().noquote() << "audio state:" << name;
    if (new_state == QAudio::StoppedState) {
        if (auto *output = qobject_cast<QAudioOutput *>(sender()))
            qDebug().noquote() << "audio error:" << output->error();
    }
}

void AudioState::displayFrame(MediaFrame *mediaFrame, bool)
{
    if (!mediaFrame || !mediaFrame->frame)
        return;
    const AVFrame *frame = mediaFrame->frame.get();
    const int channels = frame->ch_layout.nb_channels;
    if (frame->format != AV_SAMPLE_FMT_S16 || channels < 1 || frame->nb_samples < 1
        || !frame->data[0])
        return;
    const int64_t bytes = static_cast<int64_t>(frame->nb_samples) * channels * 2;
    if (bytes > frame->linesize[0] || bytes > std::numeric_limits<int>::max())
        return;
    const int n = static_cast<int>(bytes);

    // A frame of a new seq discards everything still buffered, so it never waits for room
    // behind stale audio.
    const int ringSeq = m_ring.seq();
    if (mediaFrame->seq != ringSeq) {
        qDebug().noquote() << "audio buffer seq mismatch: current" << ringSeq << ", new"
                           << mediaFrame->seq;
        double pts = mediaFrame->pts;
        if (!std::isfinite(pts))
            pts = m_ring.position();
        m_ring.resetEpoch(mediaFrame->seq, pts);
    }
    if (n >= m_ring.size()) {
        qDebug().noquote() << "audio frame of" << n << "bytes exceeds the ring, dropped";
        return;
    }
    // One byte always stays free.
    while (n >= m_ring.freeBytes() && isRunning() && !m_context->isAborting())
        QThread::msleep(10);
    if (!isRunning() || m_context->isAborting())
        return;
    m_ring.write(frame->data[0], n);
}

int AudioState::pause()
{
    MediaState::pause();
    runCommand(Command::Suspend, 0.0, 0);
    return 0;
}

int AudioState::resume()
{
    runCommand(Command::Resume, 0.0, 0);
    return 0;
}

int AudioState::setVolume(int level)
{
    qDebug().noquote() << "AudioState::setVolume"
                       << ":" << level;
    const double volume = volumeForLevel(level);
    m_volume.store(volume);
    runCommand(Command::Volume, volume, 0);
    return 0;
}

int AudioState::setSpeed(double speed)
{
    qDebug().noquote() << "AudioState::setSpeed"
                       << ": " << speed;
    MediaState::setSpeed(speed);
    if (!(speed > 0))
        return -1;
    return runCommand(Command::Reopen, speed, -1);
}

int AudioState::configureFilters(AVFrame *, bool forceOutput)
{
    if (!m_stream || !m_codecContext)
        return -1;
    m_filterGraph.reset();
    m_bufferSource = nullptr;
    m_bufferSink = nullptr;
    av::FilterGraphPtr graph(avfilter_graph_alloc());
    if (!graph)
        return -1;
    graph->nb_threads = m_filterThreadCount;
    av_opt_set(graph.get(), "aresample_swr_opts", "", 0);

    const char *formatName = av_get_sample_fmt_name(static_cast<AVSampleFormat>(m_sourceFormat));
    if (!formatName || m_sourceRate < 1 || m_sourceChannels < 1)
        return -1;
    QString args = QString::asprintf("sample_rate=%d:sample_fmt=%s:channels=%d:time_base=%d/%d",
                                     m_sourceRate,
                                     formatName,
                                     m_sourceChannels,
                                     1,
                                     m_sourceRate);
    if (m_sourceLayout != 0)
        args += QString::asprintf(":channel_layout=0x%llx",
                                  static_cast<unsigned long long>(m_sourceLayout));

    AVFilterContext *source = nullptr;
    AVFilterContext *sink = nullptr;
    int ret = avfilter_graph_create_filter(&source,
                                           avfilter_get_by_name("abuffer"),
                                           "vtplay_abuffer",
                                           args.toUtf8().constData(),
                                           nullptr,
                                           graph.get());
    if (ret < 0) {
        qDebug().noquote() << "audio filter creation failed: abuffer";
        return ret;
    }
    ret = avfilter_graph_create_filter(&sink,
                                       avfilter_get_by_name("abuffersink"),
                                       "vtplay_abuffersink",
                                       nullptr,
                                       nullptr,
                                       graph.get());
    if (ret < 0) {
        qDebug().noquote() << "audio filter creation failed: abuffersink";
        return ret;
    }
    const int sampleFormats[] = {m_targetFormat.load(), -1};
    ret = av_opt_set_int_list(sink, "sample_fmts", sampleFormats, -1, AV_OPT_SEARCH_CHILDREN);
    if (ret < 0) {
        qDebug().noquote() << "audio filter creation failed: abuffersink - sample_fmts";
        return ret;
    }
    if (forceOutput) {
        ret = av_opt_set_int(sink, "all_channel_counts", 0, AV_OPT_SEARCH_CHILDREN);
        if (ret >= 0) {
            // A zero layout ends the list at once: then only the channel count is given.
            const int64_t layouts[] = {static_cast<int64_t>(m_targetLayout.load()), 0};
            ret = av_opt_set_int_list(sink, "channel_layouts", layouts, 0, AV_OPT_SEARCH_CHILDREN);
        }
        if (ret < 0) {
            qDebug().noquote() << "audio filter creation failed: abuffersink - channel_layouts";
            return ret;
        }
        const int counts[] = {m_targetLayout.load() == 0 ? m_targetChannels.load() : -1, -1};
        ret = av_opt_set_int_list(sink, "channel_counts", counts, -1, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            qDebug().noquote() << "audio filter creation failed: abuffersink - channel_counts";
            return ret;
        }
        const int rates[] = {m_targetRate.load(), -1};
        ret = av_opt_set_int_list(sink, "sample_rates", rates, -1, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            qDebug().noquote() << "audio filter creation failed: abuffersink - sample_rates";
            return ret;
        }
    } else {
        ret = av_opt_set_int(sink, "all_channel_counts", 1, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            qDebug().noquote() << "audio filter creation failed: abuffersink - channel_counts";
            return ret;
        }
    }

    ret = avfilter_link(source, 0, sink, 0);
    if (ret < 0) {
        qDebug().noquote() << "audio filter link failed: -> abuffersink ";
        return ret;
    }
    ret = avfilter_graph_config(graph.get(), nullptr);
    if (ret < 0) {
        qDebug().noquote() << "audio filter graph failed";
        return ret;
    }
    m_filterGraph = std::move(graph);
    m_bufferSource = source;
    m_bufferSink = sink;
    return 0;
}

bool AudioState::sourceDiffers(const AVFrame *frame) const
{
    const int channels = frame->ch_layout.nb_channels;
    return frame->format != m_sourceFormat || frame->sample_rate != m_sourceRate
            || channels != m_sourceChannels
            || layoutMask(frame->ch_layout, channels) != m_sourceLayout;
}

int AudioState::adaptSourceTo(const AVFrame *frame)
{
    const int channels = frame->ch_layout.nb_channels;
    qDebug().noquote() << "audio stream" << streamIndex() << "source changed: ch#"
                       << m_sourceChannels << "->" << channels << ", rate" << m_sourceRate << "->"
                       << frame->sample_rate << ", format" << m_sourceFormat << "->"
                       << frame->format;
    if (channels < 1 || frame->sample_rate < 1 || frame->format < 0)
        return AVERROR(EINVAL);
    m_sourceFormat = frame->format;
    m_sourceRate = frame->sample_rate;
    m_sourceChannels = channels;
    m_sourceLayout = layoutMask(frame->ch_layout, channels);
    const int ret = configureFilters(nullptr, true);
    if (ret < 0)
        qCritical().noquote() << "config audio filter failed";
    return ret;
}
