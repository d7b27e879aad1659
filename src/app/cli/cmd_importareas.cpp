// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli import-areas: the tree the import dialog shows, or the merge of picked states into
// the speed area file, as the editor's "Importer" and "Enregistrer" do it.
#include "app/cli/commands.h"

#include "core/userdialogs.h"
#include "core/workspace.h"
#include "speedarea/csvfile.h"
#include "speedarea/speedarea.h"

#include <QDir>
#include <cstdio>
#include <vector>

namespace {

// JSON as QJsonDocument prints it (the same spacing, keys in the order given, which must be
// QJsonObject's sorted order), written out while the tree is walked: the tree of a 64 MB file is
// millions of values, far too many to hold as QJsonValues.
class JsonStream
{
public:
    explicit JsonStream(bool pretty) : m_pretty(pretty) { }
    ~JsonStream() { flush(); }

    void begin(char bracket, const char* key = nullptr)
    {
        element(key);
        m_out += bracket;
        if (m_pretty)
            m_out += '\n';
        m_first.push_back(true);
    }
    void end(char bracket)
    {
        if (!m_first.back() && m_pretty)
            m_out += '\n';
        m_first.pop_back();
        indent();
        m_out += bracket;
        if (m_first.empty())
            m_out += '\n';
        if (m_out.size() > (1 << 16))
            flush();
    }
    void string(const QString& text, const char* key = nullptr)
    {
        element(key);
        m_out += '"';
        const QByteArray utf8 = text.toUtf8();
        int plain = 0;   // start of the bytes not yet copied
        for (int i = 0; i < utf8.size(); ++i) {
            const char c = utf8[i];
            if (uchar(c) >= 0x20 && c != '"' && c != '\\')
                continue;
            m_out.append(utf8.constData() + plain, i - plain);
            plain = i + 1;
            m_out += '\\';
            switch (c) {
            case '"': m_out += '"'; break;
            case '\\': m_out += '\\'; break;
            case '\b': m_out += 'b'; break;
            case '\f': m_out += 'f'; break;
            case '\n': m_out += 'n'; break;
            case '\r': m_out += 'r'; break;
            case '\t': m_out += 't'; break;
            default: m_out += "u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            }
        }
        m_out.append(utf8.constData() + plain, utf8.size() - plain);
        m_out += '"';
    }

private:
    void indent()
    {
        if (m_pretty)
            m_out.append(4 * int(m_first.size()), ' ');
    }
    void element(const char* key)
    {
        if (m_first.empty())
            return;
        if (!m_first.back())
            m_out += m_pretty ? ",\n" : ",";
        m_first.back() = false;
        indent();
        if (key)
            m_out += QByteArray("\"") + key + (m_pretty ? "\": " : "\":");
    }
    void flush()
    {
        std::fwrite(m_out.constData(), 1, size_t(m_out.size()), stdout);
        m_out.clear();
    }

    QByteArray m_out;
    std::vector<bool> m_first;   // per open bracket: nothing written inside yet
    bool m_pretty;
};

// Countries, states and areas: {"name", "states"}, {"areas", "name"}, {"classes", "name"}.
void writeChildren(JsonStream& json, const CsvTreeModel& model, const QModelIndex& parent, const char* key)
{
    json.begin('[', key);
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex item = model.index(row, 0, parent);
        json.begin('{');
        switch (model.level(item)) {
        case CsvTreeModel::Country:
            json.string(item.data().toString(), "name");
            writeChildren(json, model, item, "states");
            break;
        case CsvTreeModel::State:
            writeChildren(json, model, item, "areas");
            json.string(item.data().toString(), "name");
            break;
        default:
            json.begin('[', "classes");
            for (int j = 0; j < model.rowCount(item); ++j) {
                json.begin('[');
                json.string(model.index(j, 1, item).data().toString());
                json.string(model.index(j, 2, item).data().toString());
                json.end(']');
            }
            json.end(']');
            json.string(item.data().toString(), "name");
        }
        json.end('}');
    }
    json.end(']');
}

}   // namespace

int runImportAreas(const QStringList& args)
{
    const QString usageLine = QStringLiteral("(import-areas CSV [--pretty] | import-areas CSV --pick ETAT [--pick ETAT "
                                             "…] [--units kmh|mph|knots] [--file CHEMIN] [--replace-damaged] "
                                             "[--pretty])");
    QString csvPath, unitsName = QStringLiteral("kmh"), path;
    QStringList picks;
    bool pretty = false;
    bool pickOptions = false;
    bool replaceDamaged = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--pretty")) {
            pretty = true;
        } else if (arg == QLatin1String("--replace-damaged")) {
            replaceDamaged = pickOptions = true;
        } else if (arg == QLatin1String("--pick") || arg == QLatin1String("--units")
                   || arg == QLatin1String("--file")) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("L'option %1 attend une valeur.").arg(arg));
            const QString value = args.at(++i);
            if (arg == QLatin1String("--pick")) {
                picks << value;
            } else {
                (arg == QLatin1String("--units") ? unitsName : path) = value;
                pickOptions = true;
            }
        } else if (csvPath.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            csvPath = arg;
        } else {
            return fail(QStringLiteral("Argument inattendu : %1 %2").arg(arg, usageLine));
        }
    }
    if (csvPath.isEmpty())
        return fail(QStringLiteral("Fichier CSV manquant %1").arg(usageLine));
    if (pickOptions && picks.isEmpty())
        return fail(QStringLiteral("--units, --file et --replace-damaged ne servent qu'avec --pick %1").arg(usageLine));
    const QString units = unitsName.toLower();
    const int code = unitsCode(units);
    if (code < 0)
        return fail(QStringLiteral("Unités inconnues : %1 (kmh, mph ou knots)").arg(unitsName));

    // The boxes of the reading are in the JSON's "messages"; the terminal stays quiet.
    QuietDialogs quiet;
    setUserDialogs(&quiet);
    CsvFile csv;
    const bool read = csv.loadFile(csvPath);
    setUserDialogs(nullptr);
    if (!read)
        return fail(QStringLiteral("Fichier CSV illisible : %1").arg(csvPath));

    if (picks.isEmpty()) {
        JsonStream json(pretty);
        json.begin('{');
        writeChildren(json, *csv.model(), QModelIndex(), "countries");
        json.string(csvPath, "file");
        json.begin('[', "messages");
        for (const QString& m : csv.messages())
            json.string(m);
        json.end(']');
        json.end('}');
        return 0;
    }

    // Each --pick is a click on the first state of that name.
    SpeedAreaTable pool;
    for (const QString& name : picks) {
        const QModelIndex state = csv.findState(name);
        if (!state.isValid())
            return fail(QStringLiteral("État introuvable dans %1 : %2").arg(csvPath, name));
        togglePick(csv.model(), state, &pool);
    }

    if (path.isEmpty())
        path = Workspace::speedAreaFile(code);
    // What the window hands the editor, then the merge.
    SpeedArea model;
    // The user's areas may be in a file we cannot read: writing defaults over it needs a word.
    if (!readAreaFile(model, code, path, false).isEmpty() && !replaceDamaged)
        return fail(QStringLiteral("Le fichier de zones %1 est illisible : %2. Rien n'est écrit ; --replace-damaged "
                                   "le conserve sous %3 et le remplace par les zones par défaut et l'importation.")
                        .arg(QDir::toNativeSeparators(path), model.readError(),
                             QDir::toNativeSeparators(SpeedArea::damagedCopyName(path))));
    model.importAreas(pool);
    if (!model.saveFile(path))
        return fail(QStringLiteral("Les zones n'ont pas pu être enregistrées dans %1 : %2.")
                        .arg(QDir::toNativeSeparators(path), model.saveError()));

    QStringList areasArgs{QStringLiteral("--units"), units, QStringLiteral("--file"), path};
    if (pretty)
        areasArgs << QStringLiteral("--pretty");
    return runAreas(areasArgs);
}
