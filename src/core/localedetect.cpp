// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/localedetect.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Lower-case hexadecimal SHA-1 of the file, or empty when it cannot be read.
QString signature(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

}   // namespace

QString detectLocale(const QString& folder, const QString& baseName)
{
    QString result = QStringLiteral("fr_FR");
    const QString reference = QStringLiteral("%1/%2.qm").arg(folder, baseName);
    qDebug() << "Current translation file" << reference;

    QString referenceSig;
    QFile referenceFile(reference);
    if (!referenceFile.open(QIODevice::ReadOnly)) {
        qDebug() << "Missing file" << reference;
    } else {
        qDebug() << "Computing SHA1" << reference;
        QCryptographicHash hash(QCryptographicHash::Sha1);
        hash.addData(&referenceFile);
        referenceSig = QString::fromLatin1(hash.result().toHex());
        qDebug() << "Reference SIG=" << referenceSig;
        referenceFile.close();
    }

    const QStringList entries =
        QDir(folder).entryList({QStringLiteral("*_*.qm")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        const QString path = QStringLiteral("%1/%2").arg(folder, entry);
        qDebug() << "Comparing file" << path << "with" << baseName;
        const QString current = signature(path);
        qDebug() << "CurrentSIG=" << current;
        if (current != referenceSig)
            continue;
        qDebug() << "File" << path << "matches";
        const QStringList fields = entry.section(QLatin1Char('.'), 0, 0).split(QLatin1Char('_'));
        if (fields.size() < 2)
            continue;
        result = QStringLiteral("%1_%2").arg(fields.at(1), fields.at(1).toUpper());
        break;
    }
    return result;
}

QString translationFolder(const QString& applicationDir)
{
    const QDir dir(applicationDir);
    const QString beside = dir.filePath(QStringLiteral("lang"));
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = QDir::cleanPath(dir.filePath(QStringLiteral("../share/tramola/lang")));
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

QString chooseLanguage(const QString& folder, const QString& baseName, const QString& forced,
                       const QStringList& uiLanguages)
{
    const auto shipped = [&](const QString& code) {
        return !code.isEmpty() && QFileInfo(QStringLiteral("%1/%2_%3.qm").arg(folder, baseName, code)).isFile();
    };
    if (!forced.isEmpty())
        return shipped(forced) ? forced : QString();
    for (const QString& tag : uiLanguages) {
        // "en-GB", "en_GB" and "en" all mean the English file; "C" names no language.
        const QString code = tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (code != QLatin1String("c") && shipped(code))
            return code;
    }
    return QString();
}

QString installLanguage(QCoreApplication& app, const QString& forced, const QStringList& uiLanguages,
                        bool* forcedMissing)
{
    const QString folder = translationFolder(QCoreApplication::applicationDirPath());
    const QString base = QStringLiteral("tramola");
    const QString language = chooseLanguage(folder, base, forced, uiLanguages);
    if (forcedMissing)
        *forcedMissing = !forced.isEmpty() && language.isEmpty();
    auto* translator = new QTranslator(&app);
    QString localeName;
    if (language.isEmpty()) {
        translator->load(base, folder);
        localeName = detectLocale(folder, base);
    } else {
        translator->load(base + QLatin1Char('_') + language, folder);
        localeName = QStringLiteral("%1_%2").arg(language, language.toUpper());
        // The user's own country when the system speaks that language: British dates for en-GB.
        const QLocale::Language chosen = QLocale(language).language();
        for (const QString& ui : uiLanguages) {
            const QLocale system(ui);
            if (system.language() == chosen) {
                localeName = system.name();
                break;
            }
        }
    }
    app.installTranslator(translator);

    // Numbers as the interface's language writes them: "14 278" in French, not "14,278".
    QLocale::setDefault(QLocale(localeName));

    // Qt's own texts (file dialogs, standard buttons), shipped beside ours or taken from Qt.
    auto* qtTranslator = new QTranslator(&app);
    const QString qtName = QStringLiteral("qtbase_") + localeName.section(QLatin1Char('_'), 0, 0);
    if (qtTranslator->load(qtName, folder)
        || qtTranslator->load(qtName, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTranslator);
    else
        delete qtTranslator;
    return localeName;
}

QString localeDateTimeText(const QString& localeName, const QDateTime& dateTime)
{
    const QLocale locale(localeName);
    return locale.toString(dateTime.date(), QLocale::LongFormat) + QLatin1Char(' ')
        + locale.toString(dateTime.time(), QLocale::ShortFormat);
}
