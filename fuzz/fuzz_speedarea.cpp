// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the speed area reader: any bytes are refused or read into a table that
// writes back and reads again to the same areas (the classes of group 0, in order).
#include "speedarea/speedarea.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The reader's log lines would cost more than the reading.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    SpeedArea first;
    if (!first.read(in)) {
        if (!first.areaNames().isEmpty() || first.readError().isEmpty())
            std::abort();   // a refusal leaves an empty table and says why
        return 0;
    }

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!first.write(out))
        return 0;   // more than 16 bits of classes in one area cannot be read from a file anyway
    out.close();
    out.open(QIODevice::ReadOnly);
    SpeedArea second;
    if (!second.read(out) || second.areaNames() != first.areaNames())
        std::abort();
    for (const QString& name : first.areaNames()) {
        const SpeedClassMap a = first.areas().value(name).value(0);
        const SpeedClassMap b = second.areas().value(name).value(0);
        if (a.size() != b.size())
            std::abort();
        for (auto i = a.cbegin(), j = b.cbegin(); i != a.cend(); ++i, ++j) {
            // Indexes are positions in the record, which other groups share: only the order stays.
            if (i->minSpeed != j->minSpeed || i->maxSpeed != j->maxSpeed)
                std::abort();
        }
    }
    return 0;
}
