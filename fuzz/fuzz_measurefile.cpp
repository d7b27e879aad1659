// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a measure file. The mutator changes one page of an SQLite image
// at a time, so that most inputs stay databases whose damage lies where the reader meets it.
#include "fuzz_measurefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Daylight-saving days are where the first opening's days are found the hard way.
    qputenv("TZ", "Europe/Paris");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    fuzzMeasureFile(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)),
                    QDir(folder.path()).filePath(QStringLiteral("measure.db")));
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    std::minstd_rand random(seed);
    // The page size, bytes 16 and 17 of the header (1 stands for 65536).
    const size_t field = size >= 100 ? size_t(data[16]) << 8 | data[17] : 0;
    const size_t pageSize = field == 1 ? 65536 : field;
    const bool paged = pageSize >= 512 && (pageSize & (pageSize - 1)) == 0 && size >= pageSize;
    if (!paged || random() % 8 == 0)
        return LLVMFuzzerMutate(data, size, maxSize);
    uint8_t* page = data + pageSize * (random() % (size / pageSize));
    std::vector<uint8_t> mutated(page, page + pageSize);
    const size_t kept = LLVMFuzzerMutate(mutated.data(), pageSize, pageSize);
    std::memcpy(page, mutated.data(), kept);
    return size;
}
