// SPDX-License-Identifier: GPL-3.0-or-later
// Replays the cases the measure file fuzzer found (tests/corpus/measurefile/) through its own
// check, so that each stays fixed in the ordinary build.
#include "../fuzz/fuzz_measurefile.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestFuzzMeasureFile : public QObject
{
    Q_OBJECT

private slots:
    void corpus()
    {
        QStandardPaths::setTestModeEnabled(true);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        QTemporaryDir folder;
        const QDir dir(QStringLiteral(TRAMOLA_SOURCE_DIR "/tests/corpus/measurefile"));
        const QStringList cases = dir.entryList(QDir::Files);
        for (const QString& name : cases) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            fuzzMeasureFile(file.readAll(), folder.filePath(QStringLiteral("measure.db")));   // a fault aborts
        }
        QVERIFY(cases.size() > 10);
    }
};

QTEST_GUILESS_MAIN(TestFuzzMeasureFile)
#include "tst_fuzz_measurefile.moc"
