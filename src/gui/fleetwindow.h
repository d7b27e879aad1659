// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFuture>
#include <QWidget>
#include <memory>

class FleetModel;
class FleetRunner;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

// "Parc de radars": one row per measure file of a folder and direction, the files analysed in
// the background, several at once, each left as it was. A window of its own beside the main one:
// a fleet is many files, not the one analysis the main window's tabs and criteria are about, and
// its list stays open while a file chosen from it is examined there.
class FleetWindow : public QWidget
{
    Q_OBJECT

public:
    // The folder dialog of "Ouvrir un dossier…", in the measure files' folder; empty when cancelled.
    static QString askFolder();
    explicit FleetWindow(QWidget* parent = nullptr);
    // Cancels a run and waits for it.
    ~FleetWindow() override;

    // Analyses the .db files of folder; a folder that cannot be listed is said in a box.
    void open(const QString& folder);
    // The limit of the files that store none (0: none); the folder is analysed again.
    void setDefaultLimit(int limit);
    bool isRunning() const { return m_runner != nullptr; }
    FleetModel* model() const { return m_model; }
    QSortFilterProxyModel* proxy() const { return m_proxy; }
    QTableView* view() const { return m_view; }

public slots:
    void cancel();
    // The table as tramola-cli fleet --csv writes it, into a file the user chooses.
    void exportCsv();

signals:
    // A row was double-clicked: its file, for the main window to open.
    void openRequested(const QString& file);
    // The run ended, complete or cancelled.
    void finished();

private:
    void showProgress(int done, int total);
    void fitColumns();

    FleetModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QTableView* m_view;
    QLineEdit* m_filter;
    QPushButton* m_export;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QLabel* m_status;
    QSpinBox* m_limit;
    QString m_folder;
    // A new limit while a run goes on: the folder again once it has stopped.
    bool m_again = false;
    std::shared_ptr<FleetRunner> m_runner;
    QFuture<void> m_future;
};
