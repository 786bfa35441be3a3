// libFuzzer target: reading an evidence package's SHA256SUMS list.
#include "fuzzsupport.h"
#include "media/evidencemanifest.h"

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
    QVector<EvidenceManifest::Entry> entries;
    QString error;
    const bool ok = EvidenceManifest::parseSums(bytes, &entries, &error);
    fuzz::check(ok == !entries.isEmpty() && ok == error.isEmpty());
    if (!ok)
        return 0;
    // Every accepted name stays inside the folder, and the list reads back as it was.
    for (const EvidenceManifest::Entry &entry : entries)
        fuzz::check(EvidenceManifest::isPlainName(entry.name) && entry.sha256.size() == 64);
    QVector<EvidenceManifest::Entry> again;
    fuzz::check(EvidenceManifest::parseSums(EvidenceManifest::sumsText(entries), &again, &error));
    fuzz::check(again.size() == entries.size());
    for (int i = 0; i < again.size(); ++i)
        fuzz::check(again.at(i).name == entries.at(i).name
                    && again.at(i).sha256 == entries.at(i).sha256);
    return 0;
}
