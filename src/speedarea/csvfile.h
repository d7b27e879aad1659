// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "speedarea/speedarea.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QLatin1String>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

class CsvFile;

namespace csvdetail {

// A growing array that never moves its elements: no copy of the whole array while it grows.
template <typename T> class Chunked
{
public:
    static constexpr int blockBits = 12;
    int size() const { return m_size; }
    T& operator[](int i) { return m_blocks[size_t(i >> blockBits)][i & mask]; }
    const T& operator[](int i) const { return m_blocks[size_t(i >> blockBits)][i & mask]; }
    void append(const T& value)
    {
        if ((m_size & mask) == 0 && size_t(m_size >> blockBits) == m_blocks.size())
            m_blocks.emplace_back(new T[size_t(1) << blockBits]);
        (*this)[m_size++] = value;
    }
    // Keeps the first block for the next use.
    void clear()
    {
        if (m_blocks.size() > 1)
            m_blocks.resize(1);
        m_size = 0;
    }
    void release()
    {
        m_blocks.clear();
        m_size = 0;
    }

private:
    static constexpr int mask = (1 << blockBits) - 1;
    std::vector<std::unique_ptr<T[]>> m_blocks;
    int m_size = 0;
};

// A text of the file: in the file's cleaned text, or (start < 0) at ~start in the copies of
// fields that lost doubled quotes.
struct Text
{
    qint32 start = 0;
    qint32 length = 0;
};

}   // namespace csvdetail

// The tree of a speed area CSV file: countries, their states, the states' areas and the areas'
// speed classes, in three columns "Emplacement", "Min", "Max". Names and speeds stay in the
// file's Latin-1 text, which the model keeps, so the tree costs a small multiple of the file.
class CsvTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Level { None = 0, Country = 1, State = 2, Area = 3, SpeedClass = 4 };

    explicit CsvTreeModel(QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Column 0: the name, or the class number of a speed class. Columns 1 and 2: a blank, or the
    // class bounds as written, right-aligned. States carry a check mark: picked or not.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // None for an invalid index.
    Level level(const QModelIndex& index) const;
    // The rows of the whole tree: countries, states, areas and classes.
    qint64 itemCount() const { return qint64(m_names.size()) + m_classes.size(); }
    // The child of parent (invalid parent: the countries) named exactly name; invalid when none.
    QModelIndex child(const QModelIndex& parent, const QString& name) const;
    // The check mark of a state; the view cannot change it, only a pick does.
    void setPicked(const QModelIndex& state, bool picked);
    bool isPicked(const QModelIndex& state) const;

private:
    friend class CsvFile;
    using Text = csvdetail::Text;

    // A country, state or area.
    struct NameNode
    {
        qint32 parent;   // -1: a country
        qint32 row;
        Text name;
        qint32 firstChild;   // in m_children: name nodes, or speed classes under an area
        qint32 childCount;
        quint8 level;
        bool picked;
    };
    struct ClassNode
    {
        qint32 area;
        qint32 number;
        Text lowest, highest;
    };

    // While reading: nodes are appended, children are found through a hash table; finish()
    // then lays the children out and drops the table.
    void start(QByteArray text);
    void finish();
    Text extra(const char* data, int length);
    QLatin1String text(Text t) const;
    // -1 when none.
    int findChild(int parent, QLatin1String name) const;
    int appendName(int parent, Text name, Level level);
    void appendClass(int area, int number, Text lowest, Text highest);
    QModelIndex nameIndex(int node) const;
    int slotOf(int parent, QLatin1String name) const;
    void grow();

    QByteArray m_text;
    QByteArray m_extra;
    csvdetail::Chunked<NameNode> m_names;
    csvdetail::Chunked<ClassNode> m_classes;
    std::vector<qint32> m_children;
    std::vector<qint32> m_countries;
    std::vector<qint32> m_slots;   // open addressing, -1 empty; only while reading
    bool m_reading = false;
};

// Reads a semicolon-separated file of speed areas into a CsvTreeModel.
// Record: country; (unused); state; area; then lowest;highest per speed class. Quoted fields may
// hold ";", line feeds and doubled quotes. Any bytes are read without harm: the text ends at the
// first zero byte, carriage returns are dropped, a file larger than maxFileSize is not read.
class CsvFile : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 maxFileSize = 64 * 1024 * 1024;
    // Boxes shown for one file; further malformed records are only counted, then told in one box.
    static constexpr int maxBoxes = 5;
    // Lines kept in messages(); further ones are only counted, then told in one last line.
    static constexpr int maxMessages = 1000;

    explicit CsvFile(QObject* parent = nullptr);

    // Asks for the file ("./configuration", "CSV (*.csv)") and reads it. False when no file was
    // chosen or it cannot be read.
    bool load();
    // False when it is not a regular file, cannot be opened or is too large; the tree is then
    // empty.
    bool loadFile(const QString& szFileName);
    // Builds the tree from the bytes of a file.
    void parse(QByteArray bytes);

    CsvTreeModel* model() const { return m_model; }
    QString fileName() const { return m_fileName; }
    // The boxes (without their markup) and the warnings of the last reading, in order.
    QStringList messages() const { return m_messages; }

    // The unquoted fields of one record.
    class Fields
    {
    public:
        Fields(const CsvTreeModel& model, const csvdetail::Chunked<csvdetail::Text>& fields)
            : m_model(model), m_fields(fields)
        {
        }
        int size() const { return m_fields.size(); }
        QLatin1String operator[](int i) const { return m_model.text(m_fields[i]); }
        csvdetail::Text ref(int i) const { return m_fields[i]; }

    private:
        const CsvTreeModel& m_model;
        const csvdetail::Chunked<csvdetail::Text>& m_fields;
    };

    // False when the record was dropped (fewer than 5 fields, or an odd number) or nothing
    // could be added.
    bool processRecord(const Fields& fields);
    // The item named name whose parents carry the names of path, top first: no path for a
    // country, the country for a state, country and state for an area. Invalid when none.
    QModelIndex findItem(const QString& name, const QStringList& path = QStringList()) const;
    // The first state of that name, in country order; invalid when none.
    QModelIndex findState(const QString& name) const;

private:
    void parseField(int start, int end, char separator);
    // Nodes of the tree being read; the country, state and area are fields 1, 3 and 4.
    int addCountry(const Fields& fields);
    // -1 when the country does not exist.
    int addState(const Fields& fields);
    // Adds the classes of the record (pairs from the fifth field on) under the area, created
    // when missing. -1 when the country or state does not exist.
    int addAreaItem(const Fields& fields);
    void warn(const QString& message);
    void box(const QString& text);

    CsvTreeModel* m_model;
    QString m_fileName;
    csvdetail::Chunked<csvdetail::Text> m_fields;
    int m_fieldStart = 0;
    bool m_oddQuotes = false;
    QStringList m_messages;
    int m_droppedMessages = 0;
    int m_boxes = 0;
    int m_hiddenBoxes = 0;
};

// A speed as the file writes it: a decimal number with a point, 0 for anything else (also for
// numbers too large for a double, infinities and NaN).
double csvNumber(QLatin1String text);
inline double csvNumber(const QString& text)
{
    const QByteArray b = text.toLatin1();
    return csvNumber(QLatin1String(b));
}

// A click on item in the import tree. A state toggles its areas in the pool, each named
// "area (state)" with its classes: an area already in the pool is taken out, another is added
// when it has at least one class. The state's check mark then tells whether any of its areas is
// picked. Countries, areas and classes change nothing.
void togglePick(CsvTreeModel* model, const QModelIndex& item, SpeedAreaTable* pool);
