// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind of file the program writes, on a disk that fills up at the very last byte: the
// earlier file stays as it was, nothing is left beside it and the reason is told. Temporaries a
// killed writer left behind go at the next write into their folder, once they are old.
#include "analysis/analysisrunner.h"
#include "gui/csvexport.h"
#include "gui/report/report.h"
#include "gui/report/reportcontent.h"
#include "speedarea/speedarea.h"
#include "testdata.h"

#include <QtTest>

namespace {

// A few hours of readings, analysed once: the report's table pages need an analysis.
std::shared_ptr<const Analysis> smallAnalysis()
{
    static QTemporaryDir dir;
    static std::shared_ptr<const Analysis> analysis;
    if (!analysis) {
        QVector<Row> rows;
        for (int i = 0; i < 200; ++i)
            rows << Row{1700000000 + 60 * i, 40 + i % 30, i % 2};
        AnalysisRequest request;
        request.file = dir.filePath("small.db");
        if (writeMeasureDb(request.file, rows))
            analysis = AnalysisRunner::run(request).analysis;
    }
    return analysis;
}

// Writes a file of that kind ("pdf", "ps", "csv", "cfg") at path; false with the reason in *error.
bool writeKind(const QString& kind, const QString& path, QString* error)
{
    if (kind == QLatin1String("csv")) {
        MeasureMap measures;
        for (int i = 0; i < 100; ++i)
            measures.insert(1700000000 + 7 * i, Measure{40 + i % 30, i % 2});
        return CsvExport::exportMeasures(measures, path, error);
    }
    if (kind == QLatin1String("cfg")) {
        SpeedArea areas;
        const bool saved = areas.saveFile(path);
        *error = areas.saveError();
        return saved;
    }
    ReportContent content;
    content.analysis = smallAnalysis();
    QVector<bool> tableOnly(int(reportSections().size()), false);
    tableOnly[5] = true;
    return writeReport(path, content, tableOnly, nullptr, error) == ReportStatus::Written;
}

}   // namespace

class TestFileWrites : public QObject
{
    Q_OBJECT

private slots:
    void lastByteFails_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");   // the end of the message
        const QString full = "taille de fichier maximale atteinte";
        QTest::newRow("report, PDF") << "pdf" << QString("n'a pas pu être écrit : " + full);
        QTest::newRow("report, PostScript") << "ps" << QString("n'a pas pu être écrit : " + full);
        QTest::newRow("CSV export") << "csv" << full;
        QTest::newRow("speed areas") << "cfg" << full;
    }

    void lastByteFails()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString file = dir.filePath("earlier." + kind);
        QString error;
        QVERIFY2(writeKind(kind, file, &error), qPrintable(error));
        const QByteArray earlier = fileBytes(file);
        QVERIFY(earlier.size() > 100);
        {
            // Qt 5's QSaveFile lost exactly this failure: the last buffered bytes, written on commit.
            FileSizeLimit limit(earlier.size() - 1);
            if (!limit.active())
                QSKIP("No file size limit on this system");
            QVERIFY(!writeKind(kind, file, &error));
        }
        QVERIFY2(error.endsWith(reason), qPrintable(error));
        QCOMPARE(fileBytes(file), earlier);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"earlier." + kind});
    }

    void staleTemporaries()
    {
        QTemporaryDir dir;
        const QDateTime old = QDateTime::currentDateTime().addSecs(-2 * 3600);
        const QStringList kept{".earlier.csv.tramola-Fresh1", ".other.pdf.a1B2c3", "tramola-Ab12Cd"};
        for (const QString& name : kept + QStringList{".gone.pdf.tramola-Old123", ".earlier.csv.tramola-Old456"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (name.contains("Fresh"))
                continue;
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QString error;
        QVERIFY(writeKind("csv", dir.filePath("earlier.csv"), &error));
        QStringList expected = kept + QStringList{"earlier.csv"};
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    }
};

QTEST_MAIN(TestFileWrites)
#include "tst_filewrites.moc"
