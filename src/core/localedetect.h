// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QCoreApplication;

// Which language file "<folder>/<baseName>.qm" is a copy of, by SHA-1 of the contents, as a
// locale name: tramola_de.qm gives "de_DE". "fr_FR" when nothing matches.
QString detectLocale(const QString& folder, const QString& baseName);

// The folder of the language files: "lang" beside the executable, or, in an installed tree where
// the executable sits in bin/, share/tramola/lang beside bin/. "<applicationDir>/lang" when
// neither exists.
QString translationFolder(const QString& applicationDir);

// The language of the interface: forced (from --lang) when "<folder>/<baseName>_<forced>.qm"
// exists, otherwise the first of the system's preferred languages (QLocale::uiLanguages(), such
// as "en-GB") that has such a file. Empty when none does, or when forced has no file: the
// installed copy "<baseName>.qm" (French unless the build chose otherwise) then serves.
QString chooseLanguage(const QString& folder, const QString& baseName, const QString& forced,
                       const QStringList& uiLanguages);
// Loads the interface's language into app, as the window and the report share it: chooseLanguage()
// from translationFolder(), else the installed copy; Qt's own texts in the same language; numbers
// in that locale by default. Answers the locale name ("en_EN", "fr_FR"). *forcedMissing tells
// that forced named a language without a file.
QString installLanguage(QCoreApplication& app, const QString& forced, const QStringList& uiLanguages,
                        bool* forcedMissing = nullptr);
// A date-time as the program shows it: the locale's long date, one space, its short time.
QString localeDateTimeText(const QString& localeName, const QDateTime& dateTime);
