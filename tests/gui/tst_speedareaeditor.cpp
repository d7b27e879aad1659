// SPDX-License-Identifier: GPL-3.0-or-later
// The speed area editor's rules, and the whole way from the window's gear button through an
// import and a save to a redrawn pie.
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/charts/speedclasspie.h"
#include "analysis/analysis.h"
#include "core/workspace.h"
#include "scripteddialogs.h"
#include "gui/speedarea/areaimportdialog.h"
#include "gui/speedarea/speedareaeditor.h"
#include "testdata.h"
#include "windowtest.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// "L-H L-H …" in table order; "_" for a row without cells.
QString shown(const QTableWidget* table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem* lo = table->item(r, 0);
        const QTableWidgetItem* hi = table->item(r, 1);
        rows << (lo && hi ? lo->text() + QLatin1Char('-') + hi->text() : QStringLiteral("_"));
    }
    return rows.join(QLatin1Char(' '));
}

QString stored(const SpeedAreaEditor& e, const QString& name)
{
    QStringList rows;
    for (const SampleRecord& r : e.areas().value(name).value(0))
        rows << QStringLiteral("%1-%2").arg(r.minSpeed).arg(r.maxSpeed);
    return rows.join(QLatin1Char(' '));
}

SpeedClassMap classes(const QString& text)
{
    SpeedClassMap map;
    for (const QString& pair : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        map.insert(map.size(), SampleRecord{0, pair.section('-', 0, 0).toDouble(), pair.section('-', 1, 1).toDouble()});
    return map;
}

// An editor on the areas "A" (shown) and "B", editing range 15–200.
void setUp(SpeedAreaEditor& e, const QString& a, const QString& file)
{
    e.setFile(file);
    for (const QString& name : e.areaNames())
        e.removeArea(name);
    e.setArea(QStringLiteral("A"), classes(a));
    e.setArea(QStringLiteral("B"), classes(QStringLiteral("0-50")));
    e.setSpeedRange(15, 200);
    e.refill();
}

bool sameIcon(const QIcon& a, const char* image)
{
    return a.pixmap(16).toImage() == QIcon(QLatin1String(image)).pixmap(16).toImage();
}

}   // namespace

class TestSpeedAreaEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { setDialogRunner({}); }

    // A gap marks its row, holds the area and blocks the save until it is closed.
    void gapBlocksSwitchAndSave()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("areas.cfg");
        SpeedAreaEditor e;
        setUp(e, "0-30 31-40 42-50", file);
        auto* table = e.findChild<QTableWidget*>("classTable");
        auto* combo = e.findChild<QComboBox*>("areaCombo");
        auto* message = e.findChild<QLabel*>("warningLabel");

        QVERIFY(sameIcon(table->item(1, 0)->icon(), ":/images/dialog-warning-3.png"));
        QVERIFY(sameIcon(table->item(0, 0)->icon(), ":/images/dialog-clean.png"));
        QCOMPARE(message->text(), QStringLiteral("Les vitesses doivent être contiguës"));
        QVERIFY(!message->isHidden());
        combo->setCurrentIndex(1);
        QCOMPARE(combo->currentText(), QStringLiteral("A"));
        e.findChild<QPushButton*>("saveButton")->click();
        QVERIFY(!QFile::exists(file));

        table->item(2, 0)->setText("41");
        QVERIFY(message->isHidden());
        combo->setCurrentIndex(1);
        QCOMPARE(shown(table), QStringLiteral("0-50"));
        e.findChild<QPushButton*>("saveButton")->click();
        QCOMPARE(e.result(), int(QDialog::Accepted));
        SpeedArea saved;
        QVERIFY(saved.loadFile(file));
        QCOMPARE(saved.areaNames(), QStringList({"A", "B"}));
        QCOMPARE(saved.intervals("A").value(2).minSpeed, 41.0);
    }

    void editing_data()
    {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("action");   // edit ROW COL TEXT | add ROW | del ROW | debug-add ROW | new NAME
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("box");   // the one box or dialog shown ("kind|title|text"), or empty

        const QString fifteen =
            "15-20 21-25 26-30 31-35 36-40 41-45 46-50 51-55 56-60 61-65 66-70 71-75 76-80 81-85 86-90";
        const QString limit = "information|Intervals|Le nombre maximum d'interval est atteint.<br/>Vous ne pouvez plus "
                              "en ajouter de nouveau.";
        QTest::newRow("lowest below the range") << "20-30"
                                                << "edit 0 0 5"
                                                << "15-30"
                                                << "";
        QTest::newRow("highest above the range") << "15-30 31-40"
                                                 << "edit 1 1 250"
                                                 << "15-30 31-200"
                                                 << "";
        QTest::newRow("highest not above lowest") << "15-30"
                                                  << "edit 0 1 15"
                                                  << "15-16"
                                                  << "";
        QTest::newRow("not a number") << "15-30 31-40"
                                      << "edit 1 1 4x"
                                      << "15-30 31-32"
                                      << "";
        QTest::newRow("lowest edited re-sorts") << "15-30 31-40"
                                                << "edit 0 0 50"
                                                << "31-40 50-51"
                                                << "";
        QTest::newRow("row after 51-60") << "41-50 51-60"
                                         << "add 1"
                                         << "41-50 51-60 61-70"
                                         << "";
        QTest::newRow("row after 96-110") << "15-95 96-110"
                                          << "add 1"
                                          << "15-95 96-110 111-125"
                                          << "";
        QTest::newRow("row into an empty table") << ""
                                                 << "add -1"
                                                 << "_"
                                                 << "";
        QTest::newRow("16th row refused") << fifteen << "add 14" << fifteen << limit;
        QTest::newRow("16th row in debug mode") << fifteen << "debug-add 14" << fifteen + " 91-95"
                                                << "";
        QTest::newRow("last row kept") << "15-30"
                                       << "del 0"
                                       << "15-30"
                                       << "information|Intervals|La table ne peut pas être vide.";
        QTest::newRow("row deleted") << "15-30 31-40 41-50"
                                     << "del 1"
                                     << "15-30 41-50"
                                     << "";
        QTest::newRow("new area, name trimmed") << "15-30"
                                                << "new   Zone X  "
                                                << "15-200"
                                                << "text|Emplacement|Nom de l'emplacement :";
    }

    void editing()
    {
        QFETCH(QString, area);
        QFETCH(QString, action);
        QFETCH(QString, table);
        QFETCH(QString, box);

        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        SpeedAreaEditor e;
        setUp(e, area, dir.filePath("areas.cfg"));
        auto* widget = e.findChild<QTableWidget*>("classTable");
        const QStringList words = action.split(' ');
        if (words[0] == "edit") {
            widget->item(words[1].toInt(), words[2].toInt())->setText(words[3]);
        } else if (words[0] == "new") {
            dialogs.answerText(action.mid(4));
            e.findChild<QToolButton*>("addAreaButton")->click();
        } else {
            e.setDebugMode(words[0] == "debug-add");
            widget->setCurrentCell(words[1].toInt(), 0);
            if (words[0] == "del")
                e.findChild<QToolButton*>("removeRowButton")->click();
            else
                e.findChild<QToolButton*>("addRowButton")->click();
        }
        const QString name = e.findChild<QComboBox*>("areaCombo")->currentText();
        QCOMPARE(name, words[0] == "new" ? QStringLiteral("Zone X") : QStringLiteral("A"));
        QCOMPARE(shown(widget), table);
        QCOMPARE(stored(e, name), QString(table).remove("_").trimmed());
        QCOMPARE(dialogs.summary(), box.isEmpty() ? QStringList() : QStringList{box});
    }

    // Gear button → editor → import of a state → save → the window offers the area and its pies.
    // The areas file lacks its last byte: the window says so once, the save keeps it aside.
    void importFromTheWindow()
    {
        TempWorkspace dir;
        const QString areasFile = Workspace::speedAreaFile(0);
        QVERIFY(SpeedArea().saveFile(areasFile));
        const QByteArray damaged = fileBytes(areasFile).chopped(1);
        QVERIFY(writeBytes(areasFile, damaged));
        QVector<Row> rows;
        const qint64 start = localTime("2024-02-01 08:00:00");
        for (int i = 0; i < 300; ++i)
            rows << Row{start + i * 20, 20 + i % 60, 0};
        const QString db = Workspace::statisticsFolder() + "pies.db";
        QVERIFY(writeMeasureDb(db, rows));
        const QString csv = dir.filePath("areas.csv");
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("France;FR;Ile-de-France;Zone 30;0;30;31;40;41;50;51;200\nFrance;FR;Bretagne;Zone 30;0;35\n");
        f.close();

        ScriptedDialogs dialogs;
        MainWindow w;
        dialogs.answerOpenFile(db);
        dialogs.answerOpenFile(csv);
        const QString imported = "Zone 30 (Ile-de-France)";
        setDialogRunner([&](QDialog& d) {
            if (qobject_cast<CampaignChoiceDialog*>(&d))
                return int(QDialog::Accepted);
            if (auto* import = qobject_cast<AreaImportDialog*>(&d)) {
                auto* tree = import->findChild<QTreeView*>("areaTree");
                import->show();
                QApplication::processEvents();
                const QModelIndex state = import->reader().findItem("Ile-de-France", {"France"});
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(state).center());
                return int(QDialog::Accepted);
            }
            auto* editor = qobject_cast<SpeedAreaEditor*>(&d);
            editor->findChild<QToolButton*>("importButton")->click();
            auto* combo = editor->findChild<QComboBox*>("areaCombo");
            combo->setCurrentIndex(combo->findText(imported));
            editor->findChild<QPushButton*>("saveButton")->click();
            return editor->result();
        });
        w.findChild<QAction*>("actionOpen")->trigger();
        QVERIFY(waitForAnalysis(w));
        QList<QPointer<SpeedClassPie>> old;
        for (SpeedClassPie* pie : w.findChild<QWidget*>("distributionPage")->findChildren<SpeedClassPie*>())
            old << pie;
        QCOMPARE(old.size(), 1);   // a one-way file: the ingoing pie only
        w.findChild<QToolButton*>("speedAreaButton")->click();
        QVERIFY(waitForAnalysis(w));

        QCOMPARE(w.findChild<QComboBox*>("speedAreaCombo")->currentText(), imported);
        QVERIFY(old[0].isNull());
        const QList<SpeedClassPie*> pies = w.findChild<QWidget*>("distributionPage")->findChildren<SpeedClassPie*>();
        QCOMPARE(pies.size(), 1);
        QCOMPARE(pies.first()->pieces().size(), 4);
        QCOMPARE(w.analysis()->direction(0).classes.size(), 4);
        QCOMPARE(dialogs.summary().filter("Zones de vitesse").size(), 1);
        QCOMPARE(fileBytes(areasFile + ".damaged"), damaged);
    }
};

QTEST_MAIN(TestSpeedAreaEditor)
#include "tst_speedareaeditor.moc"
