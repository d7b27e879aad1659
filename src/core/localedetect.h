#pragma once

#include <QDateTime>
#include <QString>

// Which language file "<folder>/<baseName>.qm" is a copy of, by SHA-1 of the contents, as a
// locale name: tramola_de.qm gives "de_DE". "fr_FR" when nothing matches.
QString detectLocale(const QString& folder, const QString& baseName);

// A date-time as the program shows it: the locale's long date, one space, its short time.
QString localeDateTimeText(const QString& localeName, const QDateTime& dateTime);
