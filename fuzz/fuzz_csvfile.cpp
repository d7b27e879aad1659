// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a speed area CSV file.
#include "fuzz_csvfile.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    Q_UNUSED(quiet);
    fuzzCsvFile(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    return 0;
}
