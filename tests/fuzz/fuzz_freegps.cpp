// libFuzzer target: the "gps " index box and one freeGPS block, from the same bytes.
#include "fuzzsupport.h"
#include "media/freegpsblock.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const QVector<FreeGpsBlock::Entry> entries
            = FreeGpsBlock::parseIndex(bytes, qsizetype(size), 1000);
    fuzz::check(entries.size() <= 1000);
    for (const FreeGpsBlock::Entry &entry : entries)
        fuzz::check(entry.size > 0 && entry.size <= FreeGpsBlock::MaxBlockSize
                    && entry.offset >= 0);
    FreeGpsBlock::Record record;
    if (FreeGpsBlock::parseBlock(bytes, qsizetype(size), &record)) {
        fuzz::checkGps(record.sample);
        fuzz::check(std::fabs(record.sample.latitude) <= 90
                    && std::fabs(record.sample.longitude) <= 180);
    }
    return 0;
}
