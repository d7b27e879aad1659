#pragma once

#include <QString>

// Which language file "<folder>/<baseName>.qm" is a copy of, by SHA-1 of the contents, as a
// locale name: tramola_de.qm gives "de_DE". "fr_FR" when nothing matches.
QString detectLocale(const QString& folder, const QString& baseName);

// The folder of the language files: "lang" beside the executable, or, in an installed tree where
// the executable sits in bin/, share/tramola/lang beside bin/. "<applicationDir>/lang" when
// neither exists.
QString translationFolder(const QString& applicationDir);
