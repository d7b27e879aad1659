// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedarea/csvfile.h"

#include "core/userdialogs.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Internal ids: name nodes even, speed classes odd.
quintptr nameId(int node)
{
    return quintptr(node) << 1;
}
quintptr classId(int node)
{
    return (quintptr(node) << 1) | 1;
}
bool isClassId(quintptr id)
{
    return id & 1;
}
int nodeOf(quintptr id)
{
    return int(id >> 1);
}

// Spreads a weak string hash over all bits: names like "C1", "C2", … must not cluster.
uint mix(uint h)
{
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

QString quoted(QLatin1String text)
{
    return QLatin1Char('"') + QString(text) + QLatin1Char('"');
}

// Drops carriage returns. A UTF-8 byte-order mark says the rest is UTF-8, not the Latin-1 the
// tree keeps: it goes, and the text is brought to Latin-1 ('?' for what Latin-1 lacks). In place;
// answers the new length.
int cleanText(char* text, int size)
{
    const bool utf8 = size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0;
    char* out = text;
    for (int i = utf8 ? 3 : 0; i < size; ++i) {
        const uchar c = uchar(text[i]);
        if (c == '\r')
            continue;
        if (!utf8 || c < 0x80) {
            *out++ = char(c);
            continue;
        }
        // The length of the sequence from its first byte; its code point when it fits Latin-1.
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        int next = i + 1;
        while (next < size && next < i + length && (uchar(text[next]) & 0xC0) == 0x80)
            ++next;
        const bool whole = length > 1 && next == i + length;
        *out++ = whole && (c == 0xC2 || c == 0xC3) ? char(((c & 0x1F) << 6) | (uchar(text[i + 1]) & 0x3F)) : '?';
        i = next - 1;
    }
    return int(out - text);
}

}   // namespace

// ---------------------------------------------------------------------------------------------
// CsvTreeModel

CsvTreeModel::CsvTreeModel(QObject* parent) : QAbstractItemModel(parent) { }

void CsvTreeModel::start(QByteArray text)
{
    m_text = std::move(text);
    m_extra.clear();
    m_names.release();
    m_classes.release();
    m_children.clear();
    m_children.shrink_to_fit();
    m_countries.clear();
    m_countries.shrink_to_fit();
    m_slots.assign(64, -1);
    m_reading = true;
}

void CsvTreeModel::finish()
{
    // Children in file order, each parent's run after the other: rows are positions in the run.
    std::vector<qint32>().swap(m_slots);
    m_reading = false;
    qint64 total = 0;
    for (int i = 0; i < m_names.size(); ++i) {
        NameNode& node = m_names[i];
        node.firstChild = 0;
        node.childCount = 0;
        if (node.parent < 0)
            ++total;
    }
    m_countries.reserve(size_t(total));
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names[i].parent >= 0)
            ++m_names[m_names[i].parent].childCount;
    }
    for (int i = 0; i < m_classes.size(); ++i)
        ++m_names[m_classes[i].area].childCount;
    qint64 offset = 0;
    for (int i = 0; i < m_names.size(); ++i) {
        m_names[i].firstChild = qint32(offset);
        offset += m_names[i].childCount;
        m_names[i].childCount = 0;
    }
    m_children.resize(size_t(offset));
    const auto place = [this](int parent, int child) {
        NameNode& p = m_names[parent];
        const int row = p.childCount++;
        m_children[size_t(p.firstChild + row)] = child;
        return row;
    };
    for (int i = 0; i < m_names.size(); ++i) {
        NameNode& node = m_names[i];
        if (node.parent < 0) {
            node.row = int(m_countries.size());
            m_countries.push_back(i);
        } else {
            node.row = place(node.parent, i);
        }
    }
    for (int i = 0; i < m_classes.size(); ++i)
        place(m_classes[i].area, i);
}

CsvTreeModel::Text CsvTreeModel::extra(const char* data, int length)
{
    Text t;
    t.start = ~m_extra.size();
    t.length = length;
    m_extra.append(data, length);
    return t;
}

QLatin1String CsvTreeModel::text(Text t) const
{
    return t.start >= 0 ? QLatin1String(m_text.constData() + t.start, t.length)
                        : QLatin1String(m_extra.constData() + ~t.start, t.length);
}

int CsvTreeModel::slotOf(int parent, QLatin1String name) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = mix(qHash(name) ^ mix(uint(parent + 1))) & mask;
    while (m_slots[slot] >= 0) {
        const NameNode& node = m_names[m_slots[slot]];
        if (node.parent == parent && text(node.name) == name)
            break;
        slot = (slot + 1) & mask;
    }
    return int(slot);
}

void CsvTreeModel::grow()
{
    std::vector<qint32> old(m_slots.size() * 2, -1);
    old.swap(m_slots);
    for (qint32 node : old) {
        if (node >= 0)
            m_slots[size_t(slotOf(m_names[node].parent, text(m_names[node].name)))] = node;
    }
}

int CsvTreeModel::findChild(int parent, QLatin1String name) const
{
    if (m_reading)
        return m_slots[size_t(slotOf(parent, name))];
    const qint32* first = parent < 0 ? m_countries.data() : m_children.data() + m_names[parent].firstChild;
    const int count = parent < 0 ? int(m_countries.size()) : m_names[parent].childCount;
    if (parent >= 0 && m_names[parent].level >= Area)
        return -1;
    for (int row = 0; row < count; ++row) {
        if (text(m_names[first[row]].name) == name)
            return first[row];
    }
    return -1;
}

int CsvTreeModel::appendName(int parent, Text name, Level level)
{
    // At most half full, so that a probe ends soon.
    if (size_t(m_names.size() + 1) * 2 > m_slots.size())
        grow();
    const int id = m_names.size();
    NameNode node;
    node.parent = parent;
    node.row = 0;
    node.name = name;
    node.firstChild = 0;
    node.childCount = 0;
    node.level = quint8(level);
    node.picked = false;
    m_names.append(node);
    m_slots[size_t(slotOf(parent, text(name)))] = id;
    return id;
}

void CsvTreeModel::appendClass(int area, int number, Text lowest, Text highest)
{
    m_classes.append(ClassNode{area, number, lowest, highest});
}

QModelIndex CsvTreeModel::nameIndex(int node) const
{
    return node < 0 || m_reading ? QModelIndex() : createIndex(m_names[node].row, 0, nameId(node));
}

QModelIndex CsvTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column > 2)
        return QModelIndex();
    if (m_reading)
        return QModelIndex();
    if (!parent.isValid())
        return size_t(row) < m_countries.size() ? createIndex(row, column, nameId(m_countries[size_t(row)]))
                                                : QModelIndex();
    if (isClassId(parent.internalId()) || parent.model() != this)
        return QModelIndex();
    const NameNode& node = m_names[nodeOf(parent.internalId())];
    if (row >= node.childCount)
        return QModelIndex();
    const int child = m_children[size_t(node.firstChild + row)];
    return createIndex(row, column, node.level == Area ? classId(child) : nameId(child));
}

QModelIndex CsvTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return QModelIndex();
    const int node = nodeOf(child.internalId());
    if (isClassId(child.internalId()))
        return nameIndex(m_classes[node].area);
    return nameIndex(m_names[node].parent);
}

int CsvTreeModel::rowCount(const QModelIndex& parent) const
{
    if (m_reading)
        return 0;
    if (!parent.isValid())
        return int(m_countries.size());
    if (parent.column() != 0 || isClassId(parent.internalId()))
        return 0;
    return m_names[nodeOf(parent.internalId())].childCount;
}

int CsvTreeModel::columnCount(const QModelIndex&) const
{
    return 3;
}

QVariant CsvTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int node = nodeOf(index.internalId());
    if (isClassId(index.internalId())) {
        const ClassNode& c = m_classes[node];
        if (role == Qt::DisplayRole) {
            switch (index.column()) {
            case 0: return QString::number(c.number);
            case 1: return QString(text(c.lowest));
            default: return QString(text(c.highest));
            }
        }
        if (role == Qt::TextAlignmentRole && index.column() > 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    }
    const NameNode& n = m_names[node];
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? QString(text(n.name)) : QStringLiteral(" ");
    // The dialog is narrow: a long name is shortened on screen and told whole here.
    if (role == Qt::ToolTipRole && index.column() == 0)
        return QString(text(n.name));
    if (role == Qt::CheckStateRole && index.column() == 0 && n.level == State)
        return n.picked ? Qt::Checked : Qt::Unchecked;
    return QVariant();
}

Qt::ItemFlags CsvTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 && level(index) == State)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant CsvTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case 0: return tr("Emplacement");
    case 1: return tr("Min");
    case 2: return tr("Max");
    }
    return QVariant();
}

CsvTreeModel::Level CsvTreeModel::level(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return None;
    if (isClassId(index.internalId()))
        return SpeedClass;
    return Level(m_names[nodeOf(index.internalId())].level);
}

QModelIndex CsvTreeModel::child(const QModelIndex& parent, const QString& name) const
{
    int parentNode = -1;
    if (parent.isValid()) {
        if (parent.model() != this || isClassId(parent.internalId()))
            return QModelIndex();
        parentNode = nodeOf(parent.internalId());
    }
    const QByteArray latin1 = name.toLatin1();
    // A name outside Latin-1 cannot come from the file.
    if (QString::fromLatin1(latin1) != name)
        return QModelIndex();
    return nameIndex(findChild(parentNode, QLatin1String(latin1)));
}

void CsvTreeModel::setPicked(const QModelIndex& state, bool picked)
{
    if (level(state) != State)
        return;
    m_names[nodeOf(state.internalId())].picked = picked;
    const QModelIndex cell = state.sibling(state.row(), 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

bool CsvTreeModel::isPicked(const QModelIndex& state) const
{
    return level(state) == State && m_names[nodeOf(state.internalId())].picked;
}

// ---------------------------------------------------------------------------------------------
// CsvFile

CsvFile::CsvFile(QObject* parent) : QObject(parent), m_model(new CsvTreeModel(this)) { }

bool CsvFile::load()
{
    const QString path = userDialogs().openFileName(tr("Ouvrir un fichier CSV"), QStringLiteral("./configuration"),
                                                    QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return false;
    return loadFile(path);
}

bool CsvFile::loadFile(const QString& szFileName)
{
    qDebug() << "Loading" << szFileName;
    m_fileName = szFileName;
    // Only a regular file: a pipe or a device could keep the reading waiting.
    QFile file(szFileName);
    if (!QFileInfo(szFileName).isFile() || !file.open(QIODevice::ReadOnly)) {
        qDebug() << "File open error" << file.errorString();
        parse(QByteArray());
        return false;
    }
    // The size may change while reading: never more than the limit and one byte.
    QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize) {
        qDebug() << "CSV file too large" << szFileName;
        parse(QByteArray());
        return false;
    }
    parse(std::move(bytes));
    return true;
}

void CsvFile::parse(QByteArray bytes)
{
    m_model->beginResetModel();
    m_messages.clear();
    m_droppedMessages = 0;
    m_boxes = 0;
    m_hiddenBoxes = 0;

    // Text up to the first zero byte, without carriage returns, cleaned in place.
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    bytes.truncate(cleanText(bytes.data(), bytes.size()));
    m_model->start(std::move(bytes));

    m_fields.clear();
    m_fieldStart = 0;
    m_oddQuotes = false;
    const QByteArray& text = m_model->m_text;
    const int n = text.size();
    const char* c = text.constData();
    for (int i = 0; i < n; ++i) {
        if (c[i] == ';' || c[i] == '\n') {
            parseField(m_fieldStart, i, c[i]);
        } else {
            if (c[i] == '"')
                m_oddQuotes = !m_oddQuotes;
            if (i == n - 1)
                parseField(m_fieldStart, n, '\0');
        }
    }
    // The field's first quote took everything after it: the user must know where it is.
    if (m_oddQuotes) {
        const int line = 1 + int(std::count(c, std::find(c + m_fieldStart, c + n, '"'), '\n'));
        const QString text = tr("Un guillemet ouvert à la ligne %1 n'est jamais refermé : la suite du fichier est "
                                "ignorée<br/><br/>")
                                 .arg(line);
        warn(QString(text).remove(QStringLiteral("<br/>")));
        userDialogs().message(UserDialogs::Icon::Warning, tr("Importation"), text);
    }
    m_fields.release();
    m_model->m_extra.squeeze();
    m_model->finish();
    m_model->endResetModel();

    if (m_hiddenBoxes > 0) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Importation"),
                              tr("%n autre(s) enregistrement(s) comporte(nt) un nombre de champs incorrect<br/><br/>",
                                 nullptr, m_hiddenBoxes));
    }
    if (m_droppedMessages > 0)
        m_messages << tr("… et %n autre(s) message(s)", nullptr, m_droppedMessages);
}

void CsvFile::parseField(int start, int end, char separator)
{
    // A quote still open takes the separator into the field.
    if (m_oddQuotes)
        return;

    const char* base = m_model->m_text.constData();
    const char* data = base + start;
    int length = end - start;
    if (length >= 2 && data[0] == '"' && data[length - 1] == '"') {
        ++data;
        length -= 2;
    }
    csvdetail::Text field{qint32(data - base), qint32(length)};
    if (QLatin1String(data, length).contains(QLatin1String("\"\""))) {
        QByteArray single;
        single.reserve(length);
        for (int i = 0; i < length; ++i) {
            single.append(data[i]);
            if (data[i] == '"' && i + 1 < length && data[i + 1] == '"')
                ++i;
        }
        field = m_model->extra(single.constData(), single.size());
    }
    m_fields.append(field);

    if (separator != ';') {
        processRecord(Fields(*m_model, m_fields));
        m_fields.clear();
    }
    m_fieldStart = end + 1;
    m_oddQuotes = false;
}

void CsvFile::warn(const QString& message)
{
    qWarning().noquote() << message;
    if (m_messages.size() < maxMessages)
        m_messages << message;
    else
        ++m_droppedMessages;
}

void CsvFile::box(const QString& text)
{
    QString plain = text;
    warn(plain.remove(QStringLiteral("<br/>")));
    if (m_boxes < maxBoxes) {
        ++m_boxes;
        userDialogs().message(UserDialogs::Icon::Warning, tr("Importation"), text);
    } else {
        ++m_hiddenBoxes;
    }
}

bool CsvFile::processRecord(const Fields& fields)
{
    if (fields.size() < 5) {
        qDebug() << "Incorrect field number - ignored";
        return false;
    }
    if (fields.size() % 2 != 0) {
        box(tr("L'enregistrement %1 / %2 / %3 comporte un nombre de champs incorrect<br/><br/>")
                .arg(QString(fields[0]), QString(fields[2]), QString(fields[3])));
        return false;
    }
    addCountry(fields);
    addState(fields);
    if (addAreaItem(fields) < 0) {
        warn(QStringLiteral("Model update error ? %1 %2 %3")
                 .arg(quoted(fields[0]), quoted(fields[2]), quoted(fields[3])));
        return false;
    }
    return true;
}

int CsvFile::addCountry(const Fields& fields)
{
    const int found = m_model->findChild(-1, fields[0]);
    return found >= 0 ? found : m_model->appendName(-1, fields.ref(0), CsvTreeModel::Country);
}

int CsvFile::addState(const Fields& fields)
{
    const int country = m_model->findChild(-1, fields[0]);
    if (country < 0) {
        warn(QStringLiteral("Country %1 not found, cannot add state %2").arg(quoted(fields[0]), quoted(fields[2])));
        return -1;
    }
    const int found = m_model->findChild(country, fields[2]);
    return found >= 0 ? found : m_model->appendName(country, fields.ref(2), CsvTreeModel::State);
}

int CsvFile::addAreaItem(const Fields& fields)
{
    const QLatin1String country = fields[0], state = fields[2], area = fields[3];
    const int countryNode = m_model->findChild(-1, country);
    const int stateNode = countryNode < 0 ? -1 : m_model->findChild(countryNode, state);
    if (stateNode < 0) {
        warn(QStringLiteral("Country/state %1 %2 not found. Check file consistency")
                 .arg(quoted(country), quoted(state)));
        warn(QStringLiteral("Country/state %1 %2 not found, cannot add area %3")
                 .arg(quoted(country), quoted(state), quoted(area)));
        return -1;
    }
    int areaNode = m_model->findChild(stateNode, area);
    if (areaNode < 0)
        areaNode = m_model->appendName(stateNode, fields.ref(3), CsvTreeModel::Area);

    int number = 1;
    for (int i = 4; i + 1 < fields.size(); i += 2, ++number) {
        // Compared as whole numbers, shown as written.
        const double lowest = std::round(csvNumber(fields[i]));
        const double highest = std::round(csvNumber(fields[i + 1]));
        if (lowest < highest) {
            m_model->appendClass(areaNode, number, fields.ref(i), fields.ref(i + 1));
        } else {
            warn(QStringLiteral("Country %1 State %2 Area %3 speed incorrect %4 >= %5 ignored")
                     .arg(quoted(country), quoted(state), quoted(area))
                     .arg(lowest)
                     .arg(highest));
        }
    }
    return areaNode;
}

QModelIndex CsvFile::findItem(const QString& name, const QStringList& path) const
{
    QModelIndex parent;
    for (const QString& step : path) {
        parent = m_model->child(parent, step);
        if (!parent.isValid())
            return QModelIndex();
    }
    return m_model->child(parent, name);
}

QModelIndex CsvFile::findState(const QString& name) const
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex state = m_model->child(m_model->index(row, 0), name);
        if (state.isValid())
            return state;
    }
    return QModelIndex();
}

// ---------------------------------------------------------------------------------------------

double csvNumber(QLatin1String text)
{
    bool ok = false;
    const double value = QByteArray::fromRawData(text.data(), text.size()).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

void togglePick(CsvTreeModel* model, const QModelIndex& item, SpeedAreaTable* pool)
{
    if (model->level(item) != CsvTreeModel::State)
        return;
    const QModelIndex state = item.sibling(item.row(), 0);
    const QString stateName = state.data().toString();
    qDebug() << "* Root *" << stateName << "child row count" << model->rowCount(state);
    bool picked = false;
    for (int r = 0; r < model->rowCount(state); ++r) {
        const QModelIndex area = model->index(r, 0, state);
        const QString name = QStringLiteral("%1 (%2)").arg(area.data().toString(), stateName);
        if (pool->remove(name) > 0)
            continue;
        SpeedClassMap classes;
        for (int j = 0; j < model->rowCount(area); ++j) {
            SampleRecord record;
            record.minSpeed = csvNumber(model->index(j, 1, area).data().toString());
            record.maxSpeed = csvNumber(model->index(j, 2, area).data().toString());
            qDebug() << "Adding rgDistribution[" << j << "] child=" << record.minSpeed << "max=" << record.maxSpeed;
            classes.insert(j, record);
        }
        if (!classes.isEmpty()) {
            qDebug() << "Adding new element to rgPool" << stateName << classes.size();
            pool->insert(name, SpeedAreaGroups{{0, classes}});
        }
    }
    for (int r = 0; r < model->rowCount(state) && !picked; ++r)
        picked = pool->contains(QStringLiteral("%1 (%2)").arg(model->index(r, 0, state).data().toString(), stateName));
    model->setPicked(state, picked);
}
