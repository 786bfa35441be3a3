// libFuzzer target: the atom walk that finds moov/udta/tlmd, on a buffer holding the input.
#include "fuzzsupport.h"
#include "media/atomreader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(fuzz::quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;
    AtomReader::Status status = AtomReader::Status::ReadError;
    const QByteArray payload = AtomReader::readTelemetry(buffer, &status);
    // The payload is a piece of the input, found only with the status that says so.
    fuzz::check(status == AtomReader::Status::Found || payload.isEmpty());
    fuzz::check(qsizetype(payload.size()) + 24 <= qsizetype(size) || payload.isEmpty());
    fuzz::check(payload.isEmpty() || bytes.indexOf(payload) >= 0);
    return 0;
}
