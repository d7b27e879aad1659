// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/summaryformat.h"

#include <QLocale>

#include <functional>

namespace {

using Style = SummaryFormat::Style;

// The interface language's numbers; a CSV field has no group separator for a spreadsheet to misread.
QLocale locale(Style style)
{
    QLocale l;
    if (style == Style::Csv)
        l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

QString number(const std::optional<double>& v, int decimals, Style style)
{
    return v ? locale(style).toString(*v, 'f', decimals) : SummaryFormat::empty(style);
}

QString number(const std::optional<int>& v, Style style)
{
    return v ? locale(style).toString(*v) : SummaryFormat::empty(style);
}

QString count(qint64 v, Style style)
{
    return locale(style).toString(v);
}

QString share(const std::optional<double>& v, Style style)
{
    if (!v)
        return SummaryFormat::empty(style);
    const QString text = locale(style).toString(100 * *v, 'f', 1);
    return style == Style::Csv ? text : text + QStringLiteral(" %");
}

class Lines
{
public:
    Lines(const TrafficSummary& s, Style style) : m_s(s), m_style(style) { }

    void heading(const QString& label) { m_lines.append(SummaryLine{label, {}, true}); }
    void add(const QString& label, const std::function<QString(const DirectionSummary&)>& value)
    {
        SummaryLine line{label, {}, false};
        for (std::size_t g = 0; g < 3; ++g)
            line.values[g] = value(m_s.groups[g]);
        m_lines.append(line);
    }
    // Two lines; the second one's label is indented on screen and whole in a CSV file.
    void addPair(const QString& label, const QString& secondLabel, const QString& csvSecondLabel,
                 const std::function<QString(const DirectionSummary&)>& first,
                 const std::function<QString(const DirectionSummary&)>& second)
    {
        add(label, first);
        add(m_style == Style::Csv ? csvSecondLabel : QStringLiteral("  ") + secondLabel, second);
    }
    QVector<SummaryLine> lines() const { return m_lines; }

private:
    const TrafficSummary& m_s;
    Style m_style;
    QVector<SummaryLine> m_lines;
};

}   // namespace

QString SummaryFormat::groupTitle(int group)
{
    return group == 0 ? tr("Entrant") : group == 1 ? tr("Sortant") : tr("Deux sens");
}

bool SummaryFormat::countsReadings(const TrafficSummary& s)
{
    return s.storeMode <= 0 && s.vehicleDivider <= 1;
}

QString SummaryFormat::storeModeText(const TrafficSummary& s)
{
    const QString mode = s.storeMode > 0 ? tr("Avancé") : tr("Standard");
    return s.storeModeReason.isEmpty() ? mode : tr("%1 (%2)").arg(mode, s.storeModeReason);
}

QString SummaryFormat::dayCount(const QString& label, int days)
{
    if (days == 0)
        return tr("%1, aucun jour").arg(label);
    if (days == 1)
        return tr("%1, 1 jour").arg(label);
    return tr("%1, %2 jours").arg(label).arg(days);
}

QString SummaryFormat::dayList(const QVector<QDate>& days, int max)
{
    QStringList texts;
    for (const QDate& d : days) {
        if (max >= 0 && texts.size() == max) {
            texts << QStringLiteral("…");
            break;
        }
        texts << QLocale().toString(d, QLocale::ShortFormat);
    }
    return texts.join(QStringLiteral(", "));
}

QString SummaryFormat::partialDayList(const QVector<PartialDay>& days, int max)
{
    QStringList texts;
    const QLocale l;
    for (const PartialDay& d : days) {
        if (max >= 0 && texts.size() == max) {
            texts << QStringLiteral("…");
            break;
        }
        texts << tr("%1 de %2 à %3")
                     .arg(l.toString(d.date, QLocale::ShortFormat), l.toString(d.first, QLocale::ShortFormat),
                          l.toString(d.last, QLocale::ShortFormat));
    }
    return texts.join(QStringLiteral(", "));
}

QVector<SummaryLine> SummaryFormat::leftLines(const TrafficSummary& s, const QString& unit, Style style)
{
    const bool readings = countsReadings(s);
    Lines l(s, style);
    l.heading(readings ? tr("Volumes (relevés, jours complets)") : tr("Volumes (véhicules, jours complets)"));
    // With the divider off the vehicles are the readings: one line says so.
    if (!readings)
        l.add(tr("Véhicules"), [&](const DirectionSummary& g) { return count(g.vehicles, style); });
    l.add(tr("Relevés"), [&](const DirectionSummary& g) { return count(g.readings, style); });
    const auto days = [&](const QString& label, int n) { return dayCount(label, n); };
    l.add(days(tr("Trafic moyen journalier"), s.wholeDays),
          [&](const DirectionSummary& g) { return number(g.dailyTraffic, 1, style); });
    // Indented under the daily traffic on screen, whole in a CSV file.
    const QString daily =
        style == Style::Csv ? tr("Trafic moyen journalier") + QStringLiteral(", ") : QStringLiteral("  ");
    l.add(daily + days(tr("lundi à vendredi"), s.wholeWeekdays),
          [&](const DirectionSummary& g) { return number(g.weekdayTraffic, 1, style); });
    l.add(daily + days(tr("samedi et dimanche"), s.wholeWeekendDays),
          [&](const DirectionSummary& g) { return number(g.weekendTraffic, 1, style); });
    const auto peakStart = [&](const std::optional<PeakHour>& p) {
        return p ? TrafficSummary::clockText(p->startMinute) : empty(style);
    };
    const auto peakVehicles = [&](const std::optional<PeakHour>& p) {
        return p ? locale(style).toString(p->vehicles, 'f', 1) : empty(style);
    };
    const QString inHour = readings ? tr("relevés dans l'heure") : tr("véhicules dans l'heure");
    l.addPair(
        tr("Heure de pointe du matin"), inHour, tr("Heure de pointe du matin : %1").arg(inHour),
        [&](const DirectionSummary& g) { return peakStart(g.morningPeak); },
        [&](const DirectionSummary& g) { return peakVehicles(g.morningPeak); });
    l.addPair(
        tr("Heure de pointe du soir"), inHour, tr("Heure de pointe du soir : %1").arg(inHour),
        [&](const DirectionSummary& g) { return peakStart(g.afternoonPeak); },
        [&](const DirectionSummary& g) { return peakVehicles(g.afternoonPeak); });

    l.heading(tr("Vitesses (%1)").arg(unit));
    l.add(tr("Vitesse moyenne"), [&](const DirectionSummary& g) { return number(g.meanSpeed, 1, style); });
    l.add(tr("Écart type"), [&](const DirectionSummary& g) { return number(g.speedDeviation, 1, style); });
    l.add(tr("V15"), [&](const DirectionSummary& g) { return number(g.v15, style); });
    l.add(tr("V50"), [&](const DirectionSummary& g) { return number(g.v50, style); });
    l.add(tr("V85"), [&](const DirectionSummary& g) { return number(g.v85, style); });
    l.add(tr("V95"), [&](const DirectionSummary& g) { return number(g.v95, style); });
    const QString pace = tr("Allure de 10 %1").arg(unit);
    const QString shareOf = readings ? tr("part des relevés") : tr("part des véhicules");
    if (style == Style::Csv) {
        // A "50-59" field would be read as a date: one column per bound.
        l.add(tr("%1 : de").arg(pace), [&](const DirectionSummary& g) { return number(g.paceFrom, style); });
        l.add(tr("%1 : à").arg(pace), [&](const DirectionSummary& g) {
            return number(g.paceFrom ? std::optional<int>(*g.paceFrom + 9) : std::nullopt, style);
        });
        l.add(tr("%1 : %2 (%)").arg(pace, shareOf),
              [&](const DirectionSummary& g) { return share(g.paceShare, style); });
        return l.lines();
    }
    l.addPair(
        pace, shareOf, QString(),
        [&](const DirectionSummary& g) {
            return g.paceFrom ? QStringLiteral("%1–%2").arg(*g.paceFrom).arg(*g.paceFrom + 9) : empty(style);
        },
        [&](const DirectionSummary& g) { return share(g.paceShare, style); });
    return l.lines();
}

QVector<SummaryLine> SummaryFormat::rightLines(const TrafficSummary& s, const QString& unit, Style style)
{
    const bool readings = countsReadings(s);
    const QString shareOf = readings ? tr("part des relevés") : tr("part des véhicules");
    Lines l(s, style);
    if (s.limit)
        l.heading((readings ? tr("Conformité à la limite de %1 %2 (relevés)")
                            : tr("Conformité à la limite de %1 %2 (véhicules)"))
                      .arg(*s.limit)
                      .arg(unit));
    else
        l.heading(tr("Conformité : %1").arg(s.limitNote().toLower()));
    if (style == Style::Csv)
        l.add(tr("Vitesse limite (%1)").arg(unit),
              [&](const DirectionSummary&) { return s.limit ? count(*s.limit, style) : s.limitNote(); });
    const auto exceedance = [&](int plus, std::optional<Exceedance> DirectionSummary::*member) {
        QString label;
        if (s.limit)
            label = tr("Au-dessus de %1 %2").arg(*s.limit + plus).arg(unit);
        else
            label = plus == 0 ? tr("Au-dessus de la limite") : tr("Au-dessus de la limite + %1").arg(plus);
        l.addPair(
            label, shareOf, tr("%1 : %2 (%)").arg(label, shareOf),
            [&](const DirectionSummary& g) {
                const auto& e = g.*member;
                return e ? count(e->vehicles, style) : empty(style);
            },
            [&](const DirectionSummary& g) {
                const auto& e = g.*member;
                return e ? share(e->share, style) : empty(style);
            });
    };
    exceedance(0, &DirectionSummary::overLimit);
    exceedance(10, &DirectionSummary::overLimit10);
    exceedance(20, &DirectionSummary::overLimit20);
    l.add(tr("Moyenne des excès (%1)").arg(unit),
          [&](const DirectionSummary& g) { return number(g.meanSpeedOverLimit, 1, style); });

    l.heading(readings ? tr("Trafic moyen par jour (relevés)") : tr("Trafic moyen par jour (véhicules)"));
    const QString names[7] = {tr("Lundi"),    tr("Mardi"),  tr("Mercredi"), tr("Jeudi"),
                              tr("Vendredi"), tr("Samedi"), tr("Dimanche")};
    for (std::size_t day = 0; day < 7; ++day) {
        l.add(dayCount(names[day], s.wholeByDayOfWeek[day]),
              [&](const DirectionSummary& g) { return number(g.dayOfWeekTraffic[day], 1, style); });
    }
    return l.lines();
}

QVector<SummaryLine> SummaryFormat::qualityLines(const TrafficSummary& s, const QString& unit, Style style)
{
    const auto line = [](const QString& label, const QString& value) { return SummaryLine{label, {value}, false}; };
    const bool csv = style == Style::Csv;
    QVector<SummaryLine> lines;
    lines << SummaryLine{tr("Qualité des données"), {}, true};
    lines << line(tr("Mode d'enregistrement"), storeModeText(s));
    if (s.readingsPerVehicle)
        lines << line(tr("Relevés par véhicule (moyenne des rafales)"), number(s.readingsPerVehicle, 1, style));
    lines << line(tr("Jours de la période"), count(s.daysInPeriod, style));
    lines << line(tr("Jours enregistrés"), count(s.daysRecorded, style));
    lines << line(tr("Jours complets"), count(s.wholeDays, style));
    lines << line(tr("Jours partiels (hors moyennes journalières)"),
                  s.partialDays.isEmpty() ? (csv ? QString() : tr("aucun"))
                                          : partialDayList(s.partialDays, csv ? -1 : 4));
    lines << line(tr("Jours manquants"),
                  s.missingDays.isEmpty() ? (csv ? QString() : tr("aucun")) : dayList(s.missingDays, csv ? -1 : 10));
    lines << line(tr("Relevés à %1 %2 ou moins (écartés)").arg(s.minSpeed).arg(unit),
                  s.slowReadings ? count(*s.slowReadings, style) : empty(style));
    lines << line(tr("Relevés au-dessus de %1 %2 (douteux)").arg(s.implausibleAbove).arg(unit),
                  count(s.implausibleReadings, style));
    lines << line(tr("Relevés en double (même seconde, vitesse et sens)"), count(s.repeatedReadings, style));
    lines << line(tr("Relevés mal datés (avant 2000 ou après l'écriture du fichier, écartés)"),
                  count(s.misdatedReadings, style));
    return lines;
}
