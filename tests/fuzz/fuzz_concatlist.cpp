// libFuzzer target: reading a trip's concat list back.
#include "fuzzsupport.h"
#include "media/triptimeline.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(fuzz::quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
            = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    TripTimeline trip;
    QString error;
    const bool ok = TripTimeline::fromConcatList(bytes, &trip, &error);
    fuzz::check(ok != trip.isEmpty() && ok == error.isEmpty());
    if (!ok)
        return 0;
    // Every accepted list places its files end to end and survives writing it again.
    int64_t sum = 0;
    for (int i = 0; i < trip.count(); ++i) {
        fuzz::check(trip.files().at(i).durationUs > 0 && trip.offsetUs(i) == sum);
        fuzz::check(trip.fileAt(sum) == i || trip.files().at(i).durationUs == 0);
        sum += trip.files().at(i).durationUs;
    }
    fuzz::check(trip.durationUs() == sum);
    TripTimeline again;
    fuzz::check(TripTimeline::fromConcatList(trip.toConcatList(), &again, nullptr));
    fuzz::check(again.count() == trip.count() && again.durationUs() == trip.durationUs());
    for (int i = 0; i < trip.count(); ++i)
        fuzz::check(again.files().at(i).path == trip.files().at(i).path);
    return 0;
}
