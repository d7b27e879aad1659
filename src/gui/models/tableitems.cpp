// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/models/tableitems.h"

#include "core/wallclock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QHeaderView>
#include <QTableWidget>

namespace {

const QString dateFormat = QStringLiteral("dd/MM/yyyy hh:mm");

bool numericLess(const QTableWidgetItem& a, const QTableWidgetItem& b)
{
    // toDouble() answers 0 for a text that is not a number.
    return a.text().toDouble() < b.text().toDouble();
}

QTableWidgetItem* cell(QTableWidgetItem* item, const QString& text, Qt::Alignment horizontal)
{
    item->setText(text);
    item->setTextAlignment(int(horizontal | Qt::AlignVCenter));
    return item;
}

QString speedText(double speed)
{
    return QString::number(speed, 'f', 2);
}

}   // namespace

bool QTableWidgetItemInt::operator<(const QTableWidgetItem& other) const
{
    return numericLess(*this, other);
}

bool QTableWidgetItemSpeed::operator<(const QTableWidgetItem& other) const
{
    return numericLess(*this, other);
}

namespace {

// yyyyMMddhhmm of a text "dd/MM/yyyy hh:mm" that names a real date and time, else -1. Sorting a
// year of buckets parses dates a million times: QDateTime::fromString() would take seconds.
qint64 dateKey(const QString& text)
{
    if (text.size() != 16 || text[2] != QLatin1Char('/') || text[5] != QLatin1Char('/') || text[10] != QLatin1Char(' ')
        || text[13] != QLatin1Char(':'))
        return -1;
    const auto number = [&text](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const ushort c = text[i].unicode();
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const int day = number(0, 2), month = number(3, 2), year = number(6, 4);
    const int hour = number(11, 2), minute = number(14, 2);
    if (!QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, 0))
        return -1;
    return (((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute;
}

}   // namespace

namespace {
constexpr int kDateItemType = QTableWidgetItem::UserType + 1;
constexpr qint64 kKeyUnknown = -2;
}   // namespace

QTableWidgetItemDate::QTableWidgetItemDate() : QTableWidgetItem(kDateItemType), m_key(kKeyUnknown) { }

void QTableWidgetItemDate::setData(int role, const QVariant& value)
{
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        m_key = kKeyUnknown;
    QTableWidgetItem::setData(role, value);
}

qint64 QTableWidgetItemDate::sortKey() const
{
    if (m_key == kKeyUnknown)
        m_key = dateKey(text());
    return m_key;
}

bool QTableWidgetItemDate::operator<(const QTableWidgetItem& other) const
{
    const qint64 a = sortKey();
    const qint64 b = other.type() == kDateItemType ? static_cast<const QTableWidgetItemDate&>(other).sortKey()
                                                   : dateKey(other.text());
    if (a >= 0 && b >= 0)
        return a < b;
    return QDateTime::fromString(text(), dateFormat) < QDateTime::fromString(other.text(), dateFormat);
}

bool QTableWidgetItemText::operator<(const QTableWidgetItem& other) const
{
    return text().compare(other.text(), Qt::CaseSensitive) < 0;
}

namespace {

// "dd/MM/yyyy hh:mm" of the local time t, and its sort key; QDateTime's own formatting of tens
// of thousands of buckets would hold the window up.
QString dateText(WallClock& clock, qint64 t, qint64* key)
{
    const QDateTime wall = clock.wall(t);
    int y = 0, m = 0, d = 0;
    wall.date().getDate(&y, &m, &d);
    const int hour = wall.time().hour(), minute = wall.time().minute();
    if (y < 0 || y > 9999)
        return QDateTime::fromSecsSinceEpoch(t).toString(dateFormat);
    *key = (((qint64(y) * 100 + m) * 100 + d) * 100 + hour) * 100 + minute;
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
    put(11, hour, 2);
    text[13] = QLatin1Char(':');
    put(14, minute, 2);
    return QString(text, 16);
}

}   // namespace

void fillSpeedTable(QTableWidget* table, const DirectionSamples& samples)
{
    table->setSortingEnabled(false);
    table->setRowCount(0);

    int rows = 0;
    for (const SampleMap& buckets : samples)
        for (const SampleRecord& record : buckets)
            rows += record.valid ? 1 : 0;
    // Sized once: appending row by row costs a model signal per bucket on long campaigns.
    table->setRowCount(rows);

    WallClock clock;
    int row = 0;
    for (auto direction = samples.cbegin(); direction != samples.cend(); ++direction) {
        const QString sense = direction.key() == 0 ? QCoreApplication::translate("MainWindow", "Entrant")
                                                   : QCoreApplication::translate("MainWindow", "Sortant");
        for (const SampleRecord& record : direction.value()) {
            if (!record.valid)
                continue;
            const int vehicles = record.meanSpeed > 0 ? record.vehicleCount : 0;
            auto* date = new QTableWidgetItemDate;
            qint64 key = kKeyUnknown;
            cell(date, dateText(clock, record.time, &key), Qt::AlignHCenter);
            date->m_key = key;
            table->setItem(row, 0, date);
            table->setItem(row, 1, cell(new QTableWidgetItemInt, QString::number(record.measureCount), Qt::AlignRight));
            table->setItem(row, 2, cell(new QTableWidgetItemInt, QString::number(vehicles), Qt::AlignRight));
            table->setItem(row, 3, cell(new QTableWidgetItemInt, speedText(record.meanSpeed), Qt::AlignRight));
            table->setItem(row, 4, cell(new QTableWidgetItemInt, speedText(record.maxSpeed), Qt::AlignRight));
            table->setItem(row, 5, cell(new QTableWidgetItemText, sense, Qt::AlignRight));
            ++row;
        }
    }

    table->setAlternatingRowColors(true);
    // The indicator first: turning sorting on sorts by it, and an earlier column chosen by the
    // user would otherwise reorder buckets of equal start before the date sort.
    table->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    table->setSortingEnabled(true);
    // The view measures the rows on screen only: sorted, they hold both directions' words.
    table->resizeColumnsToContents();
    qDebug() << "Speed table creation achieved";
}
