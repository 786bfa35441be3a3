// libFuzzer target: a timed-text sample and the position written in its cue.
#include "fuzzsupport.h"
#include "media/texttrackcue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const QString text = TextTrackCue::sampleText(bytes, qsizetype(size));
    fuzz::check(text.size() <= TextTrackCue::MaxCueLength);
    for (const QString &cue : {text, QString::fromUtf8(bytes, int(size))}) {
        GpsSample sample;
        if (TextTrackCue::parse(cue, &sample)) {
            fuzz::checkGps(sample);
            fuzz::check(std::fabs(sample.latitude) <= 90 && std::fabs(sample.longitude) <= 180);
        }
    }
    return 0;
}
