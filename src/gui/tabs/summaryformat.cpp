// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/summaryformat.h"

#include <functional>

namespace {

using Style = SummaryFormat::Style;

QString number(const std::optional<double>& v, int decimals, Style style)
{
    return v ? QString::number(*v, 'f', decimals) : SummaryFormat::empty(style);
}

QString number(const std::optional<int>& v, Style style)
{
    return v ? QString::number(*v) : SummaryFormat::empty(style);
}

QString share(const std::optional<double>& v, Style style)
{
    if (!v)
        return SummaryFormat::empty(style);
    const QString text = QString::number(100 * *v, 'f', 1);
    return style == Style::Csv ? text : text + QStringLiteral(" %");
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

QString SummaryFormat::dayList(const QVector<QDate>& days, int max)
{
    QStringList texts;
    for (const QDate& d : days) {
        if (max >= 0 && texts.size() == max) {
            texts << QStringLiteral("…");
            break;
        }
        texts << d.toString(QStringLiteral("dd/MM/yyyy"));
    }
    return texts.join(QStringLiteral(", "));
}

QVector<SummaryLine> SummaryFormat::leftLines(const TrafficSummary& s, const QString& unit, Style style)
{
    Lines l(s, style);
    l.heading(tr("Volumes (véhicules)"));
    l.add(tr("Véhicules"), [](const DirectionSummary& g) { return QString::number(g.vehicles); });
    l.add(tr("Relevés"), [](const DirectionSummary& g) { return QString::number(g.readings); });
    l.add(tr("Trafic moyen journalier, %1 jours").arg(s.wholeDays),
          [&](const DirectionSummary& g) { return number(g.dailyTraffic, 1, style); });
    l.add(tr("  lundi à vendredi, %1 jours").arg(s.wholeWeekdays),
          [&](const DirectionSummary& g) { return number(g.weekdayTraffic, 1, style); });
    l.add(tr("  samedi et dimanche, %1 jours").arg(s.wholeWeekendDays),
          [&](const DirectionSummary& g) { return number(g.weekendTraffic, 1, style); });
    const auto peakStart = [&](const std::optional<PeakHour>& p) {
        return p ? TrafficSummary::clockText(p->startMinute) : empty(style);
    };
    const auto peakVehicles = [&](const std::optional<PeakHour>& p) {
        return p ? QString::number(p->vehicles, 'f', 1) : empty(style);
    };
    l.addPair(
        tr("Heure de pointe du matin"), tr("véhicules dans l'heure"), tr("Heure de pointe du matin : véhicules"),
        [&](const DirectionSummary& g) { return peakStart(g.morningPeak); },
        [&](const DirectionSummary& g) { return peakVehicles(g.morningPeak); });
    l.addPair(
        tr("Heure de pointe du soir"), tr("véhicules dans l'heure"), tr("Heure de pointe du soir : véhicules"),
        [&](const DirectionSummary& g) { return peakStart(g.afternoonPeak); },
        [&](const DirectionSummary& g) { return peakVehicles(g.afternoonPeak); });

    l.heading(tr("Vitesses (%1)").arg(unit));
    l.add(tr("Vitesse moyenne"), [&](const DirectionSummary& g) { return number(g.meanSpeed, 1, style); });
    l.add(tr("Écart type"), [&](const DirectionSummary& g) { return number(g.speedDeviation, 1, style); });
    l.add(tr("V15"), [&](const DirectionSummary& g) { return number(g.v15, style); });
    l.add(tr("V50"), [&](const DirectionSummary& g) { return number(g.v50, style); });
    l.add(tr("V85"), [&](const DirectionSummary& g) { return number(g.v85, style); });
    l.add(tr("V95"), [&](const DirectionSummary& g) { return number(g.v95, style); });
    l.addPair(
        tr("Allure de 10 %1").arg(unit), tr("part des véhicules"), tr("Allure : part des véhicules (%)"),
        [&](const DirectionSummary& g) {
            if (!g.paceFrom)
                return empty(style);
            return style == Style::Csv ? QString::number(*g.paceFrom)
                                       : QStringLiteral("%1–%2").arg(*g.paceFrom).arg(*g.paceFrom + 9);
        },
        [&](const DirectionSummary& g) { return share(g.paceShare, style); });
    return l.lines();
}

QVector<SummaryLine> SummaryFormat::rightLines(const TrafficSummary& s, const QString& unit, Style style)
{
    Lines l(s, style);
    if (s.limit)
        l.heading(tr("Conformité à la limite de %1 %2 (véhicules)").arg(*s.limit).arg(unit));
    else
        l.heading(tr("Conformité (aucune vitesse limite)"));
    const auto exceedance = [&](int plus, std::optional<Exceedance> DirectionSummary::*member) {
        QString label;
        if (s.limit)
            label = tr("Au-dessus de %1 %2").arg(*s.limit + plus).arg(unit);
        else
            label = plus == 0 ? tr("Au-dessus de la limite") : tr("Au-dessus de la limite + %1").arg(plus);
        l.addPair(
            label, tr("part des véhicules"), label + tr(" : part des véhicules (%)"),
            [&](const DirectionSummary& g) {
                const auto& e = g.*member;
                return e ? QString::number(e->vehicles) : empty(style);
            },
            [&](const DirectionSummary& g) {
                const auto& e = g.*member;
                return e ? share(e->share, style) : empty(style);
            });
    };
    exceedance(0, &DirectionSummary::overLimit);
    exceedance(10, &DirectionSummary::overLimit10);
    exceedance(20, &DirectionSummary::overLimit20);
    l.add(tr("Vitesse moyenne au-dessus (%1)").arg(unit),
          [&](const DirectionSummary& g) { return number(g.meanSpeedOverLimit, 1, style); });

    l.heading(tr("Trafic moyen par jour de la semaine (véhicules)"));
    const QString names[7] = {tr("Lundi"),    tr("Mardi"),  tr("Mercredi"), tr("Jeudi"),
                              tr("Vendredi"), tr("Samedi"), tr("Dimanche")};
    for (std::size_t day = 0; day < 7; ++day)
        l.add(names[day], [&](const DirectionSummary& g) { return number(g.dayOfWeekTraffic[day], 1, style); });
    return l.lines();
}

QVector<SummaryLine> SummaryFormat::qualityLines(const TrafficSummary& s, const QString& unit, Style style)
{
    const auto line = [](const QString& label, const QString& value) { return SummaryLine{label, {value}, false}; };
    QVector<SummaryLine> lines;
    lines << SummaryLine{tr("Qualité des données"), {}, true};
    lines << line(tr("Jours de la période"), QString::number(s.daysInPeriod));
    lines << line(tr("Jours enregistrés"), QString::number(s.daysRecorded));
    lines << line(tr("Jours manquants"),
                  s.missingDays.isEmpty() ? (style == Style::Csv ? QString() : tr("aucun"))
                                          : dayList(s.missingDays, style == Style::Csv ? -1 : 10));
    lines << line(tr("Relevés à %1 %2 ou moins (écartés)").arg(s.minSpeed).arg(unit),
                  s.slowReadings ? QString::number(*s.slowReadings) : empty(style));
    lines << line(tr("Relevés au-dessus de %1 %2 (douteux)").arg(s.implausibleAbove).arg(unit),
                  QString::number(s.implausibleReadings));
    lines << line(tr("Relevés en double (même seconde, vitesse et sens)"), QString::number(s.repeatedReadings));
    lines << line(tr("Relevés mal datés (avant 2000 ou après l'écriture du fichier, écartés)"),
                  QString::number(s.misdatedReadings));
    return lines;
}
