// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedarea/speedarea.h"

#include "core/workspace.h"
#include "core/checkedfile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

const quint32 fileMagic = 0xA0B0C0D1;
const qint32 fileRevision = 1;
// Julian day, milliseconds since midnight, Qt::TimeSpec byte: the date-time of data stream version 7.
const qint64 dateTimeBytes = 9;
// The smallest area record: an empty name's length and a class count.
const qint64 minAreaBytes = 4 + 2;
const qint64 classBytes = 3 * 2;
const int maxCount = 0xFFFF;

// Reads the big-endian fields one by one, never past the end of the file: every length and
// count is checked against the bytes left before anything is allocated or looped over.
class BoundedReader
{
public:
    explicit BoundedReader(QIODevice& device) : m_device(device), m_remaining(device.size() - device.pos()) { }

    qint64 remaining() const { return m_remaining; }
    qint64 offset() const { return m_offset; }

    bool raw(char* out, qint64 count)
    {
        if (count < 0 || count > m_remaining || m_device.read(out, count) != count)
            return false;
        m_remaining -= count;
        m_offset += count;
        return true;
    }
    bool skip(qint64 count)
    {
        if (count < 0 || count > m_remaining || m_device.skip(count) != count)
            return false;
        m_remaining -= count;
        m_offset += count;
        return true;
    }
    template <typename T> bool number(T* value)
    {
        uchar bytes[sizeof(T)];
        if (!raw(reinterpret_cast<char*>(bytes), sizeof(T)))
            return false;
        *value = qFromBigEndian<T>(bytes);
        return true;
    }

    enum class Text { Ok, Truncated, Odd };
    // A byte length (0xFFFFFFFF: null text) followed by UTF-16BE.
    Text text(QString* value)
    {
        quint32 length = 0;
        if (!number(&length))
            return Text::Truncated;
        if (length == 0xFFFFFFFFu) {
            *value = QString();
            return Text::Ok;
        }
        if (length % 2 != 0)
            return Text::Odd;
        if (qint64(length) > m_remaining)
            return Text::Truncated;
        QByteArray bytes(int(length), Qt::Uninitialized);
        if (!raw(bytes.data(), length))
            return Text::Truncated;
        QString result(int(length / 2), Qt::Uninitialized);
        const uchar* in = reinterpret_cast<const uchar*>(bytes.constData());
        for (int i = 0; i < result.size(); ++i)
            result[i] = QChar(qFromBigEndian<quint16>(in + 2 * i));
        *value = result;
        return Text::Ok;
    }

private:
    QIODevice& m_device;
    qint64 m_remaining;
    qint64 m_offset = 0;
};

// Logs the refusal and answers the French reason.
QString badFormat(const char* detail, qint64 offset)
{
    qDebug() << "SpeedArea bad file format";
    qDebug() << detail << "at byte" << offset;
    return QCoreApplication::translate("SpeedArea", "fichier endommagé (octet %1)").arg(offset);
}

QString truncated(const BoundedReader& r)
{
    return badFormat("Truncated speed area file", r.offset());
}

// The reading rules after a successful open; false with the reason on the first flaw.
bool readTable(QIODevice& device, SpeedAreaTable* table, QString* error)
{
    BoundedReader r(device);

    quint32 magic = 0;
    if (!r.number(&magic)) {
        *error = truncated(r);
        return false;
    }
    if (magic != fileMagic) {
        qDebug() << "SpeedArea bad file format";
        *error = QCoreApplication::translate("SpeedArea", "ce n'est pas un fichier de zones de vitesse");
        return false;
    }

    qint32 revision = 0;
    if (!r.number(&revision)) {
        *error = truncated(r);
        return false;
    }
    if (revision <= 0) {
        qWarning() << "Speed area definition revision not supported" << revision;
        qCritical() << "SpeedArea bad serialization key";
        *error = QCoreApplication::translate("SpeedArea", "révision %1 non prise en charge").arg(revision);
        return false;
    }

    // The saved date-time and the selected area are not used on reading.
    quint16 areaCount = 0;
    QString selected;
    if (!r.skip(dateTimeBytes) || !r.number(&areaCount)) {
        *error = truncated(r);
        return false;
    }
    switch (r.text(&selected)) {
    case BoundedReader::Text::Ok: break;
    case BoundedReader::Text::Odd: *error = badFormat("Odd text length", r.offset()); return false;
    case BoundedReader::Text::Truncated: *error = truncated(r); return false;
    }
    if (areaCount * minAreaBytes > r.remaining()) {
        *error = badFormat("Area count larger than the file", r.offset());
        return false;
    }

    for (int area = 0; area < areaCount; ++area) {
        QString name;
        switch (r.text(&name)) {
        case BoundedReader::Text::Ok: break;
        case BoundedReader::Text::Odd: *error = badFormat("Odd text length", r.offset()); return false;
        case BoundedReader::Text::Truncated: *error = truncated(r); return false;
        }
        quint16 classCount = 0;
        if (!r.number(&classCount)) {
            *error = truncated(r);
            return false;
        }
        if (classCount * classBytes > r.remaining()) {
            *error = badFormat("Class count larger than the file", r.offset());
            return false;
        }
        SpeedAreaGroups groups;
        for (int index = 0; index < classCount; ++index) {
            qint16 group = 0, minSpeed = 0, maxSpeed = 0;
            if (!r.number(&group) || !r.number(&minSpeed) || !r.number(&maxSpeed)) {
                *error = truncated(r);
                return false;
            }
            SampleRecord record;
            record.minSpeed = minSpeed;
            record.maxSpeed = maxSpeed;
            groups[group].insert(index, record);
        }
        table->insert(name, groups);
    }
    // Whatever follows the last area is left unread: a later revision may add fields there.
    return true;
}

// 16 bits, truncated toward zero; out-of-range bounds are held at the nearest end.
qint16 toInt16(double value)
{
    if (std::isnan(value))
        return 0;
    return qint16(std::trunc(std::max(-32768.0, std::min(32767.0, value))));
}

SpeedClassMap classes(std::initializer_list<std::pair<int, int>> bounds)
{
    SpeedClassMap list;
    qint64 index = 0;
    for (const auto& b : bounds) {
        SampleRecord record;
        record.minSpeed = b.first;
        record.maxSpeed = b.second;
        list.insert(index++, record);
    }
    return list;
}

void addDefault(SpeedAreaTable* table, const char* name, std::initializer_list<std::pair<int, int>> bounds)
{
    SpeedAreaGroups groups;
    groups.insert(0, classes(bounds));
    table->insert(QCoreApplication::translate("SpeedArea", name), groups);
}

// The first whole number of a name: its digits without leading zeros, empty when there is none.
QString firstNumber(const QString& name)
{
    int start = 0;
    while (start < name.size() && !(name[start] >= QLatin1Char('0') && name[start] <= QLatin1Char('9')))
        ++start;
    if (start == name.size())
        return QString();
    int end = start;
    while (end < name.size() && name[end] >= QLatin1Char('0') && name[end] <= QLatin1Char('9'))
        ++end;
    while (start < end - 1 && name[start] == QLatin1Char('0'))
        ++start;
    return name.mid(start, end - start);
}

}   // namespace

SpeedArea::SpeedArea()
{
    loadDefaults(QString());
}

SpeedArea::~SpeedArea() = default;

void SpeedArea::setUnits(int units)
{
    if (units == m_units)
        return;
    qDebug() << "Units changed, loading new default values for" << units;
    m_units = units;
    m_areas.clear();
    m_areaIndex = 0;
    loadDefaults(QString());
    areasReloaded();
}

void SpeedArea::setFile(const QString& szFileName)
{
    m_fileName = szFileName;
    m_damaged = false;
    if (!QFile::exists(szFileName)) {
        qWarning() << "File" << szFileName << "missing ?";
        return;
    }
    if (!loadFile(szFileName)) {
        qWarning() << "Loading file" << szFileName << "[Failed]. using default values";
        m_damaged = true;
        loadDefaults(QString());
        areasReloaded();
    }
}

QString SpeedArea::damagedText() const
{
    if (!m_damaged)
        return QString();
    return QCoreApplication::translate("SpeedArea",
                                       "Le fichier de zones %1 est illisible : %2. Les zones par défaut le "
                                       "remplacent ; le prochain enregistrement le conservera sous %3.")
        .arg(QDir::toNativeSeparators(m_fileName), m_readError, QDir::toNativeSeparators(damagedCopyName(m_fileName)));
}

QString SpeedArea::damagedCopyName(const QString& path)
{
    QString name = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = path + QStringLiteral(".damaged-%1").arg(n);
    return name;
}

bool SpeedArea::loadAreas(bool bForce, const QString& szName)
{
    if (szName.isEmpty())
        m_areas.clear();
    else
        m_areas.remove(szName);
    m_areaIndex = 0;

    if (!bForce && QFile::exists(m_fileName)) {
        m_damaged = !loadFile(m_fileName);
        if (!m_damaged)
            return true;
        qWarning() << "Loading file" << m_fileName << "[Failed]. using default values";
    }
    loadDefaults(szName);
    areasReloaded();
    return true;
}

bool SpeedArea::loadFile(const QString& szFileName)
{
    QFile file(szFileName);
    // A FIFO in the file's place would block the read for ever.
    if (QFileInfo::exists(szFileName) && !isRegularFile(szFileName)) {
        qDebug() << "File open error"
                 << "not a regular file";
        return refuse(QCoreApplication::translate("SpeedArea", "ce n'est pas un fichier ordinaire"));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "File open error" << file.errorString();
        return refuse(fileErrorReason(file.errorString()));
    }
    return read(file);
}

bool SpeedArea::read(QIODevice& device)
{
    SpeedAreaTable table;
    QString error;
    if (!readTable(device, &table, &error))
        return refuse(error);
    m_areas = table;
    m_areaIndex = 0;
    m_readError.clear();
    areasReloaded();
    return true;
}

bool SpeedArea::refuse(const QString& reason)
{
    m_areas.clear();
    m_areaIndex = 0;
    m_readError = reason;
    areasReloaded();
    return false;
}

bool SpeedArea::countsFit() const
{
    if (m_areas.size() > maxCount)
        return false;
    for (const SpeedAreaGroups& groups : m_areas) {
        if (groups.value(0).size() > maxCount)
            return false;
    }
    return true;
}

bool SpeedArea::write(QIODevice& device) const
{
    if (!countsFit())
        return false;
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_4_1);
    out.setByteOrder(QDataStream::BigEndian);
    out << fileMagic << fileRevision << QDateTime::currentDateTime() << qint16(m_areas.size()) << currentArea();
    for (auto area = m_areas.cbegin(); area != m_areas.cend(); ++area) {
        const SpeedClassMap list = area.value().value(0);
        out << area.key() << qint16(list.size());
        for (const SampleRecord& record : list)
            out << qint16(0) << toInt16(record.minSpeed) << toInt16(record.maxSpeed);
    }
    return out.status() == QDataStream::Ok;
}

bool SpeedArea::saveFile(const QString& szFileName)
{
    const auto failed = [&](const QString& reason) {
        qWarning() << "Recording speed area parameters" << szFileName << "[Failed]" << reason;
        m_saveError = reason;
        return false;
    };
    if (!countsFit())
        return failed(QCoreApplication::translate("SpeedArea", "plus de 65 535 zones, ou de classes dans une zone"));

    const QString folder = QFileInfo(szFileName).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        qDebug() << "Creating missing folder" << folder;
        if (!QDir().mkdir(folder))
            return failed(QCoreApplication::translate("SpeedArea", "dossier %1 impossible à créer")
                              .arg(QDir::toNativeSeparators(folder)));
    }

    // The user's areas may still be in a file we cannot read: it is kept, never overwritten.
    if (isRegularFile(szFileName)) {
        QFile old(szFileName);
        SpeedAreaTable table;
        QString error;
        if (!old.open(QIODevice::ReadOnly) || !readTable(old, &table, &error)) {
            const QString aside = damagedCopyName(szFileName);
            if (!QFile::copy(szFileName, aside))
                return failed(QCoreApplication::translate("SpeedArea",
                                                          "le fichier illisible n'a pas pu être conservé "
                                                          "sous %1")
                                  .arg(QDir::toNativeSeparators(aside)));
            qWarning() << "Unreadable speed area file kept as" << aside;
        }
    }

    CheckedFile file(szFileName);
    if (file.open())
        write(*file.device());
    if (!file.commit())
        return failed(file.errorString());
    m_saveError.clear();
    if (szFileName == m_fileName)
        m_damaged = false;
    return true;
}

QStringList SpeedArea::areaNames() const
{
    return m_areas.keys();
}

SpeedClassMap SpeedArea::intervals(const QString& szName) const
{
    if (szName.isEmpty()) {
        qWarning() << "Incorrect speed area name [" << szName << "]";
        return SpeedClassMap();
    }
    const auto area = m_areas.constFind(szName);
    if (area == m_areas.cend() || area.value().isEmpty()) {
        qWarning() << "Empty speed area name [" << szName << "]";
        return SpeedClassMap();
    }
    return area.value().value(0);
}

void SpeedArea::setArea(const QString& szName, const SpeedAreaGroups& groups)
{
    m_areas.insert(szName, groups);
}

void SpeedArea::setArea(const QString& szName, const SpeedClassMap& classes)
{
    SpeedAreaGroups groups;
    groups.insert(0, classes);
    m_areas.insert(szName, groups);
}

bool SpeedArea::removeArea(const QString& szName)
{
    return m_areas.remove(szName) > 0;
}

void SpeedArea::importAreas(const SpeedAreaTable& pool)
{
    qDebug() << "Prise en compte des nouveaux parametres";
    const QString current = currentArea();
    for (auto area = pool.cbegin(); area != pool.cend(); ++area) {
        qDebug() << "Adding new area" << area.key() << "with" << area.value().size() << "element(s)";
        m_areas.remove(area.key());
        m_areas.insert(area.key(), area.value());
    }
    selectArea(current);
}

void SpeedArea::setSpeedRange(double lowest, double highest)
{
    m_lowestSpeed = lowest;
    m_highestSpeed = highest;
}

void SpeedArea::selectArea(const QString& szName)
{
    const int index = areaNames().indexOf(szName);
    if (index >= 0)
        m_areaIndex = index;
}

QString SpeedArea::currentArea() const
{
    return areaNames().value(m_areaIndex);
}

SpeedAreaTable SpeedArea::defaultAreas(int units)
{
    SpeedAreaTable table;
    if (units == 1) {
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Urban 25 mph"),
                   {{0, 25}, {26, 30}, {31, 35}, {36, 40}, {41, 45}, {46, 65}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Urban 30 mph"),
                   {{0, 30}, {31, 35}, {36, 40}, {41, 45}, {46, 65}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Freeway urban"),
                   {{0, 40}, {41, 45}, {46, 50}, {51, 55}, {56, 60}, {61, 65}, {66, 70}, {71, 75}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Freeway rural"),
                   {{0, 50}, {51, 55}, {56, 60}, {61, 65}, {66, 70}, {71, 75}});
    } else {
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Zone 30 km/h"),
                   {{0, 30}, {31, 40}, {41, 50}, {51, 60}, {61, 70}, {71, 80}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Zone 50 km/h"), {{0, 50}, {51, 70}, {71, 90}, {91, 110}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Zone 70 km/h"), {{0, 70}, {71, 100}, {101, 120}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Zone 90 km/h"), {{0, 90}, {91, 95}, {96, 110}, {111, 120}});
        addDefault(&table, QT_TRANSLATE_NOOP("SpeedArea", "Zone 110 km/h"), {{0, 110}, {111, 120}, {121, 130}});
    }
    return table;
}

void SpeedArea::loadDefaults(const QString& szName)
{
    const SpeedAreaTable defaults = defaultAreas(m_units);
    if (szName.isEmpty()) {
        for (auto area = defaults.cbegin(); area != defaults.cend(); ++area)
            m_areas.insert(area.key(), area.value());
    } else if (defaults.contains(szName)) {
        m_areas.insert(szName, defaults.value(szName));
    }
    qDebug() << (m_units == 1 ? "SpeedArea default mph values loaded" : "SpeedArea default km/h values loaded");
}

QStringList sortAreaNames(const QStringList& names)
{
    // A name without a number is "equal" to all others, which is no ordering at all; taken
    // literally by an insertion sort it never moves and nothing crosses it. Sorting each run
    // between such names gives that result with a proper comparison.
    const auto less = [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    };
    QStringList sorted;
    QVector<QPair<QString, QString>> run;   // number, name
    const auto flush = [&]() {
        std::stable_sort(run.begin(), run.end(),
                         [&less](const QPair<QString, QString>& a, const QPair<QString, QString>& b) {
                             return less(a.first, b.first);
                         });
        for (const auto& entry : run)
            sorted << entry.second;
        run.clear();
    };
    for (const QString& name : names) {
        const QString number = firstNumber(name);
        if (number.isEmpty()) {
            flush();
            sorted << name;
        } else {
            run.append(qMakePair(number, name));
        }
    }
    flush();
    return sorted;
}

QString defaultAreaName(const QStringList& sortedNames, int units)
{
    const QString chosen = getSpeedAreaChoice(units);
    return sortedNames.contains(chosen) ? chosen : sortedNames.value(0);
}
