// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fleetwindow.h"

#include "analysis/fleet.h"
#include "core/checkedfile.h"
#include "core/userdialogs.h"
#include "core/workspace.h"
#include "gui/background.h"
#include "gui/csvexport.h"
#include "gui/models/fleetmodel.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// A figure a file does not have goes last, whichever the order.
class FleetProxy : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const bool hasLeft = left.data(sortRole()).isValid(), hasRight = right.data(sortRole()).isValid();
        if (hasLeft != hasRight)
            return hasLeft == (sortOrder() == Qt::AscendingOrder);
        return hasLeft && QSortFilterProxyModel::lessThan(left, right);
    }
};

}   // namespace

FleetWindow::FleetWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_model(new FleetModel(this)), m_proxy(new FleetProxy(this)), m_view(new QTableView),
      m_filter(new QLineEdit), m_export(new QPushButton(tr("Exporter…"))), m_progress(new QProgressBar),
      m_cancel(new QPushButton(tr("Annuler"))), m_status(new QLabel), m_limit(new QSpinBox)
{
    setWindowTitle(tr("Parc de radars"));
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(FleetModel::kSortRole);
    // Any column: a street, a file name, a month.
    m_proxy->setFilterKeyColumn(-1);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_view->setObjectName(QStringLiteral("fleetView"));
    m_view->setModel(m_proxy);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(FleetModel::File, Qt::AscendingOrder);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    // A reason's end says what is wrong; its start only names the file again.
    m_view->setTextElideMode(Qt::ElideMiddle);
    connect(m_view, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit openRequested(index.data(FleetModel::kFileRole).toString()); });

    m_filter->setObjectName(QStringLiteral("fleetFilter"));
    m_filter->setPlaceholderText(tr("Filtrer (fichier, site, sens…)"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_proxy, &QSortFilterProxyModel::setFilterFixedString);
    m_export->setObjectName(QStringLiteral("fleetExport"));
    m_export->setEnabled(false);
    connect(m_export, &QPushButton::clicked, this, &FleetWindow::exportCsv);
    m_cancel->setObjectName(QStringLiteral("fleetCancel"));
    connect(m_cancel, &QPushButton::clicked, this, &FleetWindow::cancel);

    m_limit->setObjectName(QStringLiteral("fleetLimit"));
    m_limit->setRange(0, 130);
    m_limit->setSpecialValueText(tr("aucune"));
    m_limit->setToolTip(tr("Vitesse limite des fichiers qui n'en enregistrent pas ; celle d'un fichier l'emporte"));
    // Typing 50 must not start a run at 5.
    m_limit->setKeyboardTracking(false);
    connect(m_limit, QOverload<int>::of(&QSpinBox::valueChanged), this, &FleetWindow::setDefaultLimit);

    auto* top = new QHBoxLayout;
    top->addWidget(m_filter, 1);
    top->addWidget(new QLabel(tr("Limite par défaut :")));
    top->addWidget(m_limit);
    top->addWidget(m_export);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_progress);
    bottom->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    m_progress->hide();
    m_cancel->hide();
    resize(1100, 600);
}

FleetWindow::~FleetWindow()
{
    cancel();
    m_future.waitForFinished();
}

void FleetWindow::open(const QString& folder)
{
    if (isRunning())
        return;
    m_folder = folder;
    QStringList files;
    QString error;
    if (!FleetRunner::measureFiles({folder}, false, &files, &error)) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Parc de radars"), error);
        return;
    }
    setWindowTitle(tr("Parc de radars - %1").arg(QDir::toNativeSeparators(folder)));
    m_model->clear();
    fitColumns();   // to the headers while no row has come
    m_export->setEnabled(false);
    m_progress->setRange(0, std::max(1, int(files.size())));
    m_progress->setValue(0);
    m_progress->show();
    m_cancel->show();
    showProgress(0, int(files.size()));

    FleetOptions options;
    if (m_limit->value() > 0)
        options.limit = m_limit->value();
    auto runner = std::make_shared<FleetRunner>(options);
    m_runner = runner;
    runner->setProgressListener([this](int done, int total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
    });
    m_future = runInBackground(
        this,
        [this, runner, files] {
            runner->run(files, [this](int, const FleetFile& file) {
                QMetaObject::invokeMethod(
                    this, [this, file] { m_model->addFile(file); }, Qt::QueuedConnection);
            });
            return runner->isCanceled();
        },
        [this, total = files.size()](bool canceled) {
            m_runner.reset();
            m_progress->hide();
            m_cancel->hide();
            m_export->setEnabled(m_model->rowCount() > 0);
            int failed = 0;
            for (const FleetFile& f : m_model->files())
                failed += f.ok() ? 0 : 1;
            m_status->setText(canceled
                                  ? tr("Analyse annulée : %1 fichiers sur %2").arg(m_model->files().size()).arg(total)
                                  : tr("%1 fichiers analysés, %2 sans résultat").arg(total).arg(failed));
            fitColumns();
            emit finished();
            if (std::exchange(m_again, false))
                open(m_folder);
        });
}

void FleetWindow::setDefaultLimit(int limit)
{
    if (m_limit->value() != limit) {
        m_limit->setValue(limit);   // comes back here
    } else if (isRunning()) {
        m_again = true;
        cancel();
    } else if (!m_folder.isEmpty()) {
        open(m_folder);
    }
}

void FleetWindow::showProgress(int done, int total)
{
    if (!m_runner && done > 0)
        return;
    m_progress->setValue(done);
    m_status->setText(tr("%1/%2 fichiers").arg(done).arg(total));
    // The first rows decide the columns' widths; later ones keep them.
    if (done == 1)
        fitColumns();
}

void FleetWindow::fitColumns()
{
    m_view->resizeColumnsToContents();
    // A long site name or reason shows whole under the pointer, not across the table.
    for (int column = 0; column < FleetModel::Quality; ++column)
        m_view->setColumnWidth(column, std::min(m_view->columnWidth(column), 240));
}

void FleetWindow::cancel()
{
    if (m_runner)
        m_runner->cancel();
}

void FleetWindow::exportCsv()
{
    const QString file = CsvExport::askFile();
    if (file.isEmpty())
        return;
    // As the command line writes it: decimal commas beside the semicolons, whatever the language.
    const QLocale numbers(QLocale::French, QLocale::France);
    CheckedFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Text)) {
        out.write("\xEF\xBB\xBF" + FleetFile::csvHeader());
        for (const FleetFile& f : m_model->files())
            out.write(f.csvRows(numbers));
    }
    if (!out.commit())
        userDialogs().message(UserDialogs::Icon::Warning, CsvExport::errorTitle(),
                              CsvExport::errorText(QDir::toNativeSeparators(file), out.errorString()));
}

QString FleetWindow::askFolder()
{
    return userDialogs().folderName(tr("Ouvrir un dossier de fichiers de mesures"), Workspace::statisticsFolder());
}
