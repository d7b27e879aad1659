#pragma once

#include <QString>

// Which language file "<folder>/<baseName>.qm" is a copy of, by SHA-1 of the contents, as a
// locale name: tramola_de.qm gives "de_DE". "fr_FR" when nothing matches.
QString detectLocale(const QString& folder, const QString& baseName);
