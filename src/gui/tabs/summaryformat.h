// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// One line of the summary: a label and the figure of each group (ingoing, outgoing, both). A
// heading line names a section and has no figures.
struct SummaryLine
{
    QString label;
    std::array<QString, 3> values;
    bool heading = false;
};

// The summary's figures as text, the same for the tab, the report page and synthese.csv, so that
// the three cannot disagree.
class SummaryFormat
{
    Q_DECLARE_TR_FUNCTIONS(SummaryFormat)

public:
    enum class Style {
        Display,   // "—" for an empty figure, shares as "12,5 %", numbers as the interface writes them
        Csv   // an empty field for an empty figure, bare numbers without group separator,
              // self-contained labels
    };

    // Volumes and speeds (the left column of the tab and page).
    static QVector<SummaryLine> leftLines(const TrafficSummary& s, const QString& unit, Style style);
    // Compliance and the days of the week (the right column).
    static QVector<SummaryLine> rightLines(const TrafficSummary& s, const QString& unit, Style style);
    // Data quality, of both directions together: the figure is values[0].
    static QVector<SummaryLine> qualityLines(const TrafficSummary& s, const QString& unit, Style style);
    // "Entrant", "Sortant", "Deux sens".
    static QString groupTitle(int group);
    // The counts are readings, not vehicles: a "Standard" file with the divider off.
    static bool countsReadings(const TrafficSummary& s);
    // "Avancé (1 relevé par véhicule détecté)".
    static QString storeModeText(const TrafficSummary& s);
    // "Lundi, 3 jours": a mean's label with the number of complete days it runs over ("aucun
    // jour": no mean).
    static QString dayCount(const QString& label, int days);
    // The days in the locale's short format, at most max of them followed by "…" (all with max < 0).
    static QString dayList(const QVector<QDate>& days, int max);
    // "dd/MM/yyyy de 08:12 à 17:40", as dayList().
    static QString partialDayList(const QVector<PartialDay>& days, int max);

    static QString empty(Style style) { return style == Style::Csv ? QString() : QStringLiteral("—"); }
};
