#include "audiorenderer.h"

#include "audiostate.h"

#include <QCoreApplication>
#include <QDebug>

#include <chrono>
#include <mutex>

AudioRenderer::AudioRenderer(AudioState *state)
    : m_state(state)
{ }

void AudioRenderer::run()
{
    AudioState *state = m_state;
    qDebug().noquote() << "audio renderer starts..." << state->isRunning();
    int lastSeq = -1;
    std::unique_lock<std::mutex> lock(state->m_audioMutex);
    for (;;) {
        if (state->m_commands.empty())
            state->m_audioCond.wait_for(lock, std::chrono::milliseconds(20));
        state->executeCommandsLocked();
        if (!state->m_output && !state->m_silent) {
            // The output failed to open: this stream has no audio.
            break;
        }
        if (!state->isRunning() || state->m_stopRenderer.load()) {
            qDebug().noquote() << "audio renderer stop now";
            break;
        }
        state->renderRoundLocked(&lastSeq);
        // The output lives on this thread: its timers, the backend's queued calls and its
        // stateChanged run here, between two rounds, without the audio mutex held.
        lock.unlock();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        lock.lock();
    }
    state->rendererFinishedLocked();
    lock.unlock();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qDebug().noquote() << "audio renderer ended";
}
