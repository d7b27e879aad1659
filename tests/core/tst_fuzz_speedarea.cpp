// SPDX-License-Identifier: GPL-3.0-or-later
// Replays the cases the speed area fuzzer found (tests/corpus/speedarea/) through its own entry,
// so that each stays fixed in the ordinary build.
#include "../fuzz/fuzz_speedarea.cpp"

#include <QDir>
#include <QtTest>

class TestFuzzSpeedArea : public QObject
{
    Q_OBJECT

private slots:
    void corpus()
    {
        LLVMFuzzerInitialize(nullptr, nullptr);
        const QDir dir(QStringLiteral(TRAMOLA_SOURCE_DIR "/tests/corpus/speedarea"));
        const QStringList cases = dir.entryList(QDir::Files);
        for (const QString& name : cases) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            // A fault aborts the test.
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        }
        QVERIFY(cases.size() > 10);
    }
};

QTEST_GUILESS_MAIN(TestFuzzSpeedArea)
#include "tst_fuzz_speedarea.moc"
