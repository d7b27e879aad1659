// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/models/fleetmodel.h"

#include "gui/tabs/summaryformat.h"

#include <QBrush>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

template <typename T>
QVariant shown(const std::optional<T>& v, int decimals, bool sort, double scale = 1, const QString& unit = {})
{
    if (!v)
        return sort ? QVariant() : QVariant(QStringLiteral("\u2014"));
    const double value = double(*v) * scale;
    return sort ? QVariant(value) : QVariant(QLocale().toString(value, 'f', decimals) + unit);
}

std::optional<double> share(const std::optional<Exceedance>& e)
{
    return e ? e->share : std::nullopt;
}

QString qualityText(const FleetFile& f)
{
    const TrafficSummary& s = f.summary;
    QStringList parts;
    if (!s.missingDays.isEmpty())
        parts << FleetModel::tr("%n jour(s) sans mesure", nullptr, s.missingDays.size());
    if (s.implausibleReadings > 0)
        parts << FleetModel::tr("%n relevé(s) invraisemblable(s)", nullptr, int(s.implausibleReadings));
    if (f.invalidReadings > 0)
        parts << FleetModel::tr("%n relevé(s) illisible(s)", nullptr, int(f.invalidReadings));
    if (s.misdatedReadings > 0)
        parts << FleetModel::tr("%n relevé(s) mal daté(s)", nullptr, int(s.misdatedReadings));
    if (s.repeatedReadings > 0)
        parts << FleetModel::tr("%n relevé(s) répété(s)", nullptr, int(s.repeatedReadings));
    return parts.join(QStringLiteral(", "));
}

}   // namespace

FleetModel::FleetModel(QObject* parent) : QAbstractTableModel(parent) { }

void FleetModel::clear()
{
    beginResetModel();
    m_files.clear();
    m_rows.clear();
    endResetModel();
}

void FleetModel::addFile(const FleetFile& file)
{
    QVector<Row> rows;
    const int index = m_files.size();
    for (int d = 0; d < 2; ++d)
        if (file.ok() && file.summary.hasDirection(d))
            rows.append(Row{index, d});
    if (rows.isEmpty())
        rows.append(Row{index, -1});
    beginInsertRows({}, m_rows.size(), m_rows.size() + rows.size() - 1);
    m_files.append(file);
    m_rows += rows;
    endInsertRows();
}

int FleetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int FleetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QColor FleetModel::excessColour(std::optional<int> v85, std::optional<int> limit)
{
    if (!v85 || !limit || *limit <= 0 || *v85 <= *limit)
        return QColor();
    const double excess = double(*v85 - *limit) / *limit;
    return excess < 0.1 ? QColor(255, 240, 150) : excess < 0.2 ? QColor(255, 190, 110) : QColor(240, 120, 110);
}

QVariant FleetModel::value(const FleetFile& f, const DirectionSummary* g, int direction, int column, bool sort) const
{
    const QString unit = QLatin1Char(' ') + SpeedStatistics::unitLabel(f.units);
    switch (column) {
    case File: return QFileInfo(f.file).fileName();
    // Where a file without figures says why: seen in the narrowest window.
    case Site: return f.ok() ? f.site.location.value_or(QString()) : f.error;
    case Direction: return direction < 0 ? QVariant() : QVariant(SummaryFormat::groupTitle(direction));
    case Period:
        if (!f.ok())
            return {};
        return sort ? QVariant(f.begin)
                    : QVariant(QStringLiteral("%1 \u2013 %2")
                                   .arg(f.begin.toString(QStringLiteral("dd/MM/yyyy")),
                                        f.end.toString(QStringLiteral("dd/MM/yyyy"))));
    case CompleteDays: return f.ok() ? QVariant(f.summary.wholeDays) : QVariant();
    case Limit:
        return !f.ok()        ? QVariant()
            : f.summary.limit ? (sort ? QVariant(*f.summary.limit) : QVariant(QString::number(*f.summary.limit) + unit))
                              : (sort ? QVariant() : QVariant(QStringLiteral("\u2014")));
    case Quality: return f.ok() ? qualityText(f) : QString();
    default: break;
    }
    if (!g)
        return {};
    switch (column) {
    case DailyTraffic: return shown(g->dailyTraffic, 0, sort);
    case MeanSpeed: return shown(g->meanSpeed, 1, sort, 1, unit);
    case V85: return shown(g->v85, 0, sort, 1, unit);
    case OverLimit: return shown(share(g->overLimit), 1, sort, 100);
    default: return {};
    }
}

QVariant FleetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    const FleetFile& f = m_files[row.file];
    const DirectionSummary* g = row.direction < 0 ? nullptr : &f.summary.groups[std::size_t(row.direction)];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: return value(f, g, row.direction, column, false);
    case kSortRole: return value(f, g, row.direction, column, true);
    case kFileRole: return f.file;
    case Qt::ToolTipRole:
        if (column == File)
            return QDir::toNativeSeparators(f.file);
        if (column == Period && f.ok())
            return QStringLiteral("%1 \u2013 %2")
                .arg(f.begin.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                     f.end.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
        if (column == Site && !f.ok())
            return f.error;
        if (column == Site)
            return QStringList{f.site.location.value_or(QString()), f.site.comment.value_or(QString())}
                .join(QLatin1Char('\n'))
                .trimmed();
        if (column == Quality && !f.warnings.isEmpty())
            return f.warnings.join(QLatin1Char('\n'));
        return {};
    case Qt::ForegroundRole: return !f.ok() && column == Site ? QVariant(QBrush(QColor(180, 0, 0))) : QVariant();
    case Qt::BackgroundRole:
        if (g && (column == V85 || column == OverLimit)) {
            const QColor colour = excessColour(g->v85, f.summary.limit);
            if (colour.isValid())
                return QBrush(colour);
        }
        return {};
    case Qt::TextAlignmentRole:
        return (column >= DailyTraffic && column <= Limit) || column == CompleteDays
            ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
            : QVariant();
    default: return {};
    }
}

QVariant FleetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case File: return tr("Fichier");
    case Site: return tr("Site");
    case Direction: return tr("Sens");
    case Period: return tr("Période");
    case CompleteDays: return tr("Jours complets");
    case DailyTraffic: return tr("Trafic journalier");
    case MeanSpeed: return tr("Vitesse moyenne");
    case V85: return tr("V85");
    case OverLimit: return tr("Part > limite (%)");
    case Limit: return tr("Limite");
    case Quality: return tr("Qualité des données");
    default: return {};
    }
}
