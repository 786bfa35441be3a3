#include "audiooutput.h"

#include "audiorenderer.h"
#include "audioringbuffer.h"
#include "enginelog.h"
#include "mediaclock.h"
#include "mediastate.h"

#include <QAudioDeviceInfo>
#include <QAudioOutput>
#include <QDebug>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <limits>
#include <new>

namespace {

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

AudioOutput::AudioOutput(MediaState *stream, AudioRingBuffer *ring)
    : m_stream(stream)
    , m_ring(ring)
{ }

AudioOutput::~AudioOutput()
{
    stop();
}

int AudioOutput::frameSizeFor(int channels)
{
    if (channels < 1 || channels > 64)
        return 0;
    return channels * 2;
}

int AudioOutput::bytesPerSlotFor(int rate, int channels)
{
    const int frameSize = frameSizeFor(channels);
    if (rate < 1 || frameSize < 1)
        return 0;
    const int64_t bytes = static_cast<int64_t>(rate * SlotMsec / 1000) * frameSize;
    if (bytes > std::numeric_limits<int>::max() / 8)
        return 0;
    return static_cast<int>(bytes);
}

QAudioFormat AudioOutput::deviceFormatFor(int rate, int channels, bool *supported)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
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
    qCDebug(lcEngine).noquote() << " ==> sampling rate " << format.sampleRate();
    return format;
}

void AudioOutput::setFormat(const QAudioFormat &format, int ringRate)
{
    m_format = format;
    m_ringRate = ringRate;
    m_frameSize.store(frameSizeFor(format.channelCount()));
    m_bytesPerSlot.store(bytesPerSlotFor(format.sampleRate(), format.channelCount()));
}

int AudioOutput::start(double volume)
{
    if (m_renderer)
        return -1;
    m_volume.store(volume);
    // The renderer opens the output on its own thread and reports whether it started.
    m_stopRenderer.store(false);
    uint64_t serial;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_rendererActive = true;
        serial = ++m_nextSerial;
        m_commands.push_back({Command::Open, 0.0, serial});
    }
    m_renderer = std::make_unique<AudioRenderer>(this, m_stream);
    m_renderer->start(QThread::TimeCriticalPriority);
    if (!m_renderer->isRunning() && !m_renderer->isFinished()) {
        // The thread could not be created: nobody will answer the open.
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_rendererActive = false;
            m_commands.clear();
        }
        m_renderer.reset();
        return -1;
    }
    int ret;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_commandDone.wait(lock, [&] { return m_results.count(serial) || !m_rendererActive; });
        ret = m_results.count(serial) ? m_results[serial] : -1;
        m_results.erase(serial);
    }
    if (ret < 0) {
        stop();
        return -1;
    }
    return 0;
}

void AudioOutput::stop()
{
    m_stopRenderer.store(true);
    if (!m_renderer)
        return;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.notify_all();
        // The renderer's last step runs under this mutex (rendererFinishedLocked): waiting for
        // it here orders everything the renderer did before this output goes away, also for
        // thread checkers that cannot see into QThread::wait.
        m_commandDone.wait(lock, [&] { return !m_rendererActive; });
    }
    m_renderer->wait();
    m_renderer.reset();
}

int AudioOutput::suspend()
{
    return runCommand(Command::Suspend, 0.0, 0);
}

int AudioOutput::resume()
{
    return runCommand(Command::Resume, 0.0, 0);
}

int AudioOutput::setVolume(double volume)
{
    m_volume.store(volume);
    return runCommand(Command::Volume, volume, 0);
}

int AudioOutput::setSpeed(double speed)
{
    return runCommand(Command::Reopen, speed, -1);
}

bool AudioOutput::runRound(int *lastSeq)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_commands.empty())
        m_wake.wait_for(lock, std::chrono::milliseconds(20));
    executeCommandsLocked();
    if (!m_output && !m_silent) {
        // The output failed to open: this stream has no audio.
        rendererFinishedLocked();
        return false;
    }
    if (!m_stream->isRunning() || m_stopRenderer.load()) {
        qCDebug(lcEngine).noquote() << "audio renderer stop now";
        rendererFinishedLocked();
        return false;
    }
    renderRoundLocked(lastSeq);
    return true;
}

int AudioOutput::runCommand(Command command, double value, int fallback)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_rendererActive)
        return fallback;
    const uint64_t serial = ++m_nextSerial;
    m_commands.push_back({command, value, serial});
    m_wake.notify_all();
    m_commandDone.wait(lock, [&] { return m_results.count(serial) || !m_rendererActive; });
    const auto it = m_results.find(serial);
    if (it == m_results.end())
        return fallback;
    const int result = it->second;
    m_results.erase(it);
    return result;
}

void AudioOutput::executeCommandsLocked()
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

int AudioOutput::executeLocked(Command command, double value)
{
    switch (command) {
    case Command::Open:
        return openOutputLocked();
    case Command::Suspend:
        m_suspended = true;
        if (m_output)
            m_output->suspend();
        m_stream->clock().holdPlayhead(MediaClock::nowSeconds());
        return 0;
    case Command::Resume:
        m_suspended = false;
        if (m_output)
            m_output->resume();
        m_stream->clock().releasePlayhead(MediaClock::nowSeconds(), m_stream->speed());
        return 0;
    case Command::Volume:
        if (m_output) {
            setOutputVolumeLocked(value);
            qCDebug(lcEngine).noquote() << "audio set volume" << value;
        }
        return 0;
    case Command::Reopen:
        return reopenOutputLocked(value);
    }
    return -1;
}

QAudioOutput *AudioOutput::createOutputLocked(const QAudioFormat &format)
{
    // No parent: the output belongs to the renderer thread, this object to the event
    // loop's.
    auto *output = new (std::nothrow) QAudioOutput(QAudioDeviceInfo::defaultOutputDevice(), format);
    if (!output)
        return nullptr;
    connect(output,
            &QAudioOutput::stateChanged,
            this,
            &AudioOutput::audioOutputStateChanged,
            Qt::DirectConnection);
    m_output = output;
    m_deviceRate.store(format.sampleRate());
    m_deviceChannels.store(format.channelCount());
    m_outputState.store(output->state());
    return output;
}

void AudioOutput::deleteOutputLocked()
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

bool AudioOutput::startDeviceLocked()
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

void AudioOutput::setOutputVolumeLocked(double volume)
{
    m_output->setVolume(volume);
    m_outputVolume.store(m_output->volume());
}

int AudioOutput::openOutputLocked()
{
    if (m_output)
        return -1;
    if (!createOutputLocked(m_format))
        return -1;
    setOutputVolumeLocked(m_volume.load());
    if (!startDeviceLocked()) {
        qCDebug(lcEngine).noquote() << "audio output start failed, error" << m_output->error();
        deleteOutputLocked();
        return -1;
    }
    return 0;
}

int AudioOutput::reopenOutputLocked(double speed)
{
    if (!m_output)
        return -1;
    const int rate = static_cast<int>(m_ringRate * speed);
    qCDebug(lcEngine).noquote() << "audio new sampling rate" << rate;
    const double volume = m_output->volume();
    if (rate == m_format.sampleRate())
        return 0;

    QAudioFormat format = m_format;
    format.setSampleRate(rate);
    const QAudioDeviceInfo device = QAudioDeviceInfo::defaultOutputDevice();
    if (device.isNull() || !device.isFormatSupported(format)) {
        qWarning().noquote() << "audio format not supported, try nearest.";
        format = device.isNull() ? QAudioFormat() : device.nearestFormat(format);
        qCDebug(lcEngine).noquote() << "==> sampling rate " << format.sampleRate();
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
    qCDebug(lcEngine).noquote() << " configured sampling rate" << format.sampleRate();
    m_frameSize.store(frameSizeFor(format.channelCount()));
    m_bytesPerSlot.store(bytesPerSlotFor(format.sampleRate(), format.channelCount()));
    qCDebug(lcEngine).noquote() << "new frame size" << m_frameSize.load() << ", bytes per slot"
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

void AudioOutput::loseDeviceLocked()
{
    deleteOutputLocked();
    m_silent = true;
    m_silentDue = 0;
    qCDebug(lcEngine).noquote() << "audio output lost, the audio clock goes on without sound";
}

void AudioOutput::renderRoundLocked(int *lastSeq)
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

    const int ringSeq = m_ring->seq();
    if (ringSeq != *lastSeq) {
        m_output->reset();
        qCDebug(lcEngine).noquote() << "audio renderer: mismatch seq" << *lastSeq << ":" << ringSeq
                                    << ", audio device flush";
        if (!startDeviceLocked()) {
            qCritical().noquote() << "audio render io failed";
            loseDeviceLocked();
            return;
        }
        *lastSeq = ringSeq;
    }

    const int stored = m_ring->stored();
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
    const int rate = m_ringRate;
    if (frameBytes < 1 || rate < 1)
        return;
    int bytes = std::min({stored, deviceFree, m_ring->slotSize()});
    bytes -= bytes % frameBytes;
    if (bytes < 1)
        return;
    double chunkPosition = 0;
    bytes = m_ring->takeChunk(
            bytes, frameBytes, *lastSeq, static_cast<double>(frameBytes) * rate, &chunkPosition);
    if (bytes < 1)
        return;
    const double chunkSeconds = static_cast<double>(bytes / frameBytes) / rate;
    if (m_stream->clock().update(chunkPosition, *lastSeq, m_stream->speed(), bytes / frameBytes)) {
        // A new clock epoch (a seek, a speed change, after a pause): the device starts from
        // empty, so the first slot is given time to reach it.
        QThread::usleep(static_cast<unsigned long>(chunkSeconds * 1000000.0));
    }
    const qint64 written
            = m_device->write(reinterpret_cast<const char *>(m_ring->slotBuffer()), bytes);
    if (written != bytes)
        qCDebug(lcEngine).noquote() << "audio device took" << written << "of" << bytes << "bytes";
    // What is heard now lies behind the end of what the device was given by what it holds.
    // The device plays the ring's samples at rate x speed, so its bytes measure pts time at
    // the ring's rate.
    const int buffered = m_output->bufferSize() - m_output->bytesFree();
    const double bytesPerPtsSecond = static_cast<double>(frameBytes) * rate;
    const double end = chunkPosition + std::max<qint64>(written, 0) / bytesPerPtsSecond;
    const double held = std::max(buffered, 0) / bytesPerPtsSecond;
    m_stream->clock().setPlayhead(
            end - held, MediaClock::nowSeconds(), m_suspended ? 0.0 : m_stream->speed(), end);
}

void AudioOutput::silentRoundLocked(int *lastSeq)
{
    if (m_suspended) {
        m_silentDue = 0;
        return;
    }
    const int ringSeq = m_ring->seq();
    if (ringSeq != *lastSeq) {
        qCDebug(lcEngine).noquote() << "audio renderer: mismatch seq" << *lastSeq << ":" << ringSeq
                                    << ", no audio device";
        *lastSeq = ringSeq;
        m_silentDue = 0;
    }
    const double now = MediaClock::nowSeconds();
    if (m_silentDue > 0 && now < m_silentDue)
        return;
    const int frameBytes = m_frameSize.load();
    const int rate = m_ringRate;
    const double playSpeed = m_stream->speed();
    if (frameBytes < 1 || rate < 1 || !(playSpeed > 0))
        return;
    double chunkPosition = 0;
    const int bytes = m_ring->takeChunk(m_ring->slotSize(),
                                        frameBytes,
                                        *lastSeq,
                                        static_cast<double>(frameBytes) * rate,
                                        &chunkPosition);
    if (bytes < 1) {
        m_silentDue = 0;
        return;
    }
    m_stream->clock().update(chunkPosition, *lastSeq, playSpeed, bytes / frameBytes);
    // The chunk "plays" for its duration at the play speed, as it would on a device.
    const double chunkSeconds = static_cast<double>(bytes / frameBytes) / rate / playSpeed;
    m_stream->clock().setPlayhead(chunkPosition,
                                  std::max(now, m_silentDue),
                                  playSpeed,
                                  chunkPosition + chunkSeconds * playSpeed);
    m_silentDue = (m_silentDue > 0 ? m_silentDue : now) + chunkSeconds;
}

void AudioOutput::rendererFinishedLocked()
{
    deleteOutputLocked();
    m_silent = false;
    m_suspended = false;
    m_rendererActive = false;
    m_commands.clear();
    m_commandDone.notify_all();
}

void AudioOutput::audioOutputStateChanged(QAudio::State new_state)
{
    m_outputState.store(new_state);
    const char *name = stateName(new_state);
    if (!name) {
        qCDebug(lcEngine).noquote() << "audio state: " << static_cast<int>(new_state);
        return;
    }
    qCDebug(lcEngine).noquote() << "audio state:" << name;
    if (new_state == QAudio::StoppedState) {
        if (auto *output = qobject_cast<QAudioOutput *>(sender()))
            qCDebug(lcEngine).noquote() << "audio error:" << output->error();
    }
}
