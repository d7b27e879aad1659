// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli import-areas: the tree the import dialog shows, or the merge of picked states into
// the speed area file, as the editor's "Importer" and "Enregistrer" do it.
#include "app/cli/commands.h"

#include "core/userdialogs.h"
#include "core/workspace.h"
#include "speedarea/csvfile.h"
#include "speedarea/speedarea.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonArray children(const CsvTreeModel& model, const QModelIndex& parent, const char* childKey)
{
    QJsonArray list;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex item = model.index(row, 0, parent);
        QJsonObject object{{QStringLiteral("name"), item.data().toString()}};
        if (model.level(item) == CsvTreeModel::Area) {
            QJsonArray classes;
            for (int j = 0; j < model.rowCount(item); ++j)
                classes.append(
                    QJsonArray{model.index(j, 1, item).data().toString(), model.index(j, 2, item).data().toString()});
            object.insert(QStringLiteral("classes"), classes);
        } else {
            object.insert(QLatin1String(childKey),
                          children(model, item, model.level(item) == CsvTreeModel::Country ? "areas" : "classes"));
        }
        list.append(object);
    }
    return list;
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
    bool unitsOrFile = false;
    bool replaceDamaged = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--pretty")) {
            pretty = true;
        } else if (arg == QLatin1String("--replace-damaged")) {
            replaceDamaged = unitsOrFile = true;
        } else if (arg == QLatin1String("--pick") || arg == QLatin1String("--units")
                   || arg == QLatin1String("--file")) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("L'option %1 attend une valeur.").arg(arg));
            const QString value = args.at(++i);
            if (arg == QLatin1String("--pick")) {
                picks << value;
            } else {
                (arg == QLatin1String("--units") ? unitsName : path) = value;
                unitsOrFile = true;
            }
        } else if (csvPath.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            csvPath = arg;
        } else {
            return fail(QStringLiteral("Argument inattendu : %1 %2").arg(arg, usageLine));
        }
    }
    if (csvPath.isEmpty())
        return fail(QStringLiteral("Fichier CSV manquant %1").arg(usageLine));
    if (unitsOrFile && picks.isEmpty())
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
        QJsonArray messages;
        for (const QString& m : csv.messages())
            messages.append(m);
        printJson(QJsonObject{{QStringLiteral("file"), csvPath},
                              {QStringLiteral("countries"), children(*csv.model(), QModelIndex(), "states")},
                              {QStringLiteral("messages"), messages}},
                  pretty);
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
