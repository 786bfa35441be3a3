#include "audiorenderer.h"

#include "audiooutput.h"
#include "enginelog.h"
#include "mediastate.h"

#include <QCoreApplication>
#include <QDebug>

AudioRenderer::AudioRenderer(AudioOutput *output, const MediaState *stream)
    : m_output(output)
    , m_stream(stream)
{ }

void AudioRenderer::run()
{
    qCDebug(lcEngine).noquote() << "audio renderer starts..." << m_stream->isRunning();
    int lastSeq = -1;
    while (m_output->runRound(&lastSeq)) {
        // The output lives on this thread: its timers, the backend's queued calls and its
        // stateChanged run here, between two rounds, without the output's mutex held.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qCDebug(lcEngine).noquote() << "audio renderer ended";
}
