// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/models/buckettablemodel.h"

#include "analysis/analysis.h"
#include "core/wallclock.h"

#include <QSortFilterProxyModel>

namespace {

// "dd/MM/yyyy hh:mm" of the local time t: QDateTime's own formatting of a year of buckets would
// hold the window up.
QString dateText(WallClock& clock, qint64 t)
{
    const QDateTime wall = clock.wall(t);
    int y = 0, m = 0, d = 0;
    wall.date().getDate(&y, &m, &d);
    if (y < 0 || y > 9999)
        return QDateTime::fromSecsSinceEpoch(t).toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    QChar text[16];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = QLatin1Char(char('0' + value % 10));
    };
    put(0, d, 2);
    text[2] = QLatin1Char('/');
    put(3, m, 2);
    text[5] = QLatin1Char('/');
    put(6, y, 4);
    text[10] = QLatin1Char(' ');
    put(11, wall.time().hour(), 2);
    text[13] = QLatin1Char(':');
    put(14, wall.time().minute(), 2);
    return QString(text, 16);
}

// Sorts by the numbers without a QVariant per comparison (a year's sort compares a million times),
// and numbers the rows in their sorted order, as a table of items would.
class SortedRows : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const auto* model = static_cast<const BucketTableModel*>(sourceModel());
        return model->number(left.row(), left.column()) < model->number(right.row(), right.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical && role == Qt::DisplayRole)
            return section + 1;
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }
};

}   // namespace

BucketTableModel::BucketTableModel(QObject* parent) : QAbstractTableModel(parent) { }

BucketTableModel::~BucketTableModel() = default;

void BucketTableModel::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    beginResetModel();
    m_rows.clear();
    if (analysis) {
        m_readings = analysis->countsReadings();
        m_divider = analysis->vehicleDivider();
        for (int d : analysis->directions()) {
            for (const SampleRecord& r : analysis->direction(d).buckets) {
                if (!r.valid)
                    continue;
                // A bucket without a mean speed counts no vehicle.
                m_rows.append(
                    Row{r.time, r.measureCount, r.meanSpeed > 0 ? r.vehicleCount : 0, r.meanSpeed, r.maxSpeed, d});
            }
        }
    }
    endResetModel();
}

int BucketTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int BucketTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BucketTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const Row& r = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == DateColumn ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    if (role == Qt::EditRole) {
        switch (index.column()) {
        case DateColumn: return r.time;
        case MeanColumn: return r.mean;
        case MaxColumn: return r.max;
        default: return int(number(index.row(), index.column()));
        }
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case DateColumn: return dateText(m_clock, r.time);
    case ReadingsColumn: return QString::number(r.readings);
    case VehiclesColumn: return QString::number(r.vehicles);
    case MeanColumn: return QString::number(r.mean, 'f', 2);
    case MaxColumn: return QString::number(r.max, 'f', 2);
    default: return r.direction == 0 ? tr("Entrant") : tr("Sortant");
    }
}

double BucketTableModel::number(int row, int column) const
{
    const Row& r = m_rows.at(row);
    switch (column) {
    case DateColumn: return double(r.time);
    case ReadingsColumn: return r.readings;
    case VehiclesColumn: return r.vehicles;
    case MeanColumn: return r.mean;
    case MaxColumn: return r.max;
    default: return r.direction;
    }
}

QVariant BucketTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case DateColumn: return tr("Date");
    case ReadingsColumn: return tr("Nombre de relevés");
    case VehiclesColumn:
        // What the counts are: vehicles from readings, or readings alone.
        if (m_readings)
            return tr("Nombre de relevés (sans diviseur)");
        return m_divider > 1 ? tr("Nombre véhicules (relevés / %1)").arg(m_divider) : tr("Nombre véhicules");
    case MeanColumn: return tr("Vitesse moyenne");
    case MaxColumn: return tr("Vitesse maximale");
    default: return tr("Sens");
    }
}

QSortFilterProxyModel* BucketTableModel::newestFirst(BucketTableModel* model, QObject* parent)
{
    auto* proxy = new SortedRows(parent);
    proxy->setSortRole(Qt::EditRole);
    proxy->setSourceModel(model);
    // The sort is stable: buckets of the same start keep the ingoing one first.
    proxy->sort(DateColumn, Qt::DescendingOrder);
    return proxy;
}
