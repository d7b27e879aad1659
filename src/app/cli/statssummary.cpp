// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/statssummary.h"

#include <QJsonArray>
#include <QStringList>

namespace {

QString number(const QJsonValue& v, int decimals)
{
    return v.isNull() || v.isUndefined() ? QStringLiteral("—") : QString::number(v.toDouble(), 'f', decimals);
}

QString share(const QJsonValue& v)
{
    return v.isNull() || v.isUndefined() ? QStringLiteral("—")
                                         : QString::number(100 * v.toDouble(), 'f', 1) + QStringLiteral(" %");
}

QString peak(const QJsonValue& v)
{
    if (!v.isObject())
        return QStringLiteral("—");
    const QJsonObject p = v.toObject();
    return QStringLiteral("%1 (%2 véh./h)")
        .arg(p.value(QStringLiteral("start")).toString(), number(p.value(QStringLiteral("vehicles")), 1));
}

QString exceedance(const QJsonObject& g, const char* key)
{
    const QJsonValue v = g.value(QLatin1String(key));
    if (!v.isObject())
        return QStringLiteral("—");
    const QJsonObject e = v.toObject();
    return QStringLiteral("%1 (%2)").arg(number(e.value(QStringLiteral("vehicles")), 0),
                                         share(e.value(QStringLiteral("share"))));
}

}   // namespace

QString summaryLines(const QJsonObject& summary, const QString& units)
{
    const QJsonValue limit = summary.value(QStringLiteral("limit"));
    const QString source = summary.value(QStringLiteral("limitSource")).toString() == QLatin1String("site")
        ? QStringLiteral("celle du site")
        : QStringLiteral("donnée pour cette analyse");
    QString out = limit.isNull()
        ? QStringLiteral("Synthèse (limite non renseignée : conformité non calculée) :\n")
        : QStringLiteral("Synthèse (vitesse limite %1 %2, %3) :\n").arg(limit.toInt()).arg(units, source);
    const QJsonObject days = summary.value(QStringLiteral("days")).toObject();
    // A mean over complete days says over how many.
    const auto daily = [&days](const QJsonValue& v, const char* count) {
        const int n = days.value(QLatin1String(count)).toInt();
        return n == 0 ? QStringLiteral("—") : QStringLiteral("%1 sur %2 j").arg(number(v, 1)).arg(n);
    };
    const QJsonObject groups = summary.value(QStringLiteral("directions")).toObject();
    QStringList keys;
    for (const QString& key : {QStringLiteral("0"), QStringLiteral("1")})
        if (groups.value(key).toObject().value(QStringLiteral("readings")).toDouble() > 0)
            keys << key;
    if (keys.size() == 2)
        keys << QStringLiteral("both");
    for (const QString& key : keys) {
        const QJsonObject g = groups.value(key).toObject();
        const QString name = key == QLatin1String("0") ? QStringLiteral("Entrant")
            : key == QLatin1String("1")                ? QStringLiteral("Sortant")
                                                       : QStringLiteral("Deux sens");
        const QString traffic = days.value(QStringLiteral("whole")).toInt() == 0
            ? QStringLiteral("— (aucun jour complet)")
            : QStringLiteral("%1 (lundi-vendredi %2, week-end %3)")
                  .arg(daily(g.value(QStringLiteral("dailyTraffic")), "whole"),
                       daily(g.value(QStringLiteral("weekdayTraffic")), "wholeWeekdays"),
                       daily(g.value(QStringLiteral("weekendTraffic")), "wholeWeekendDays"));
        out += QStringLiteral("  %1 : %2 véhicules ; trafic moyen journalier %3 ; pointe du matin %4, du soir %5\n")
                   .arg(name, number(g.value(QStringLiteral("vehicles")), 0), traffic,
                        peak(g.value(QStringLiteral("morningPeak"))), peak(g.value(QStringLiteral("afternoonPeak"))));
        const QJsonValue pace = g.value(QStringLiteral("pace"));
        const QString paceText = pace.isObject() ? QStringLiteral("%1-%2 (%3)")
                                                       .arg(pace.toObject().value(QStringLiteral("from")).toInt())
                                                       .arg(pace.toObject().value(QStringLiteral("to")).toInt())
                                                       .arg(share(pace.toObject().value(QStringLiteral("share"))))
                                                 : QStringLiteral("—");
        out += QStringLiteral("    vitesse moyenne %1 (écart type %2), V15 %3, V50 %4, V85 %5, V95 %6, allure %7\n")
                   .arg(number(g.value(QStringLiteral("meanSpeed")), 1),
                        number(g.value(QStringLiteral("speedDeviation")), 1), number(g.value(QStringLiteral("v15")), 0),
                        number(g.value(QStringLiteral("v50")), 0), number(g.value(QStringLiteral("v85")), 0),
                        number(g.value(QStringLiteral("v95")), 0), paceText);
        if (!limit.isNull())
            out += QStringLiteral("    au-dessus de %1 : %2 ; de %3 : %4 ; de %5 : %6 ; vitesse moyenne au-dessus %7\n")
                       .arg(QString::number(limit.toInt()), exceedance(g, "overLimit"),
                            QString::number(limit.toInt() + 10), exceedance(g, "overLimit10"),
                            QString::number(limit.toInt() + 20), exceedance(g, "overLimit20"),
                            number(g.value(QStringLiteral("meanSpeedOverLimit")), 1));
    }
    QStringList missing, partial;
    for (const QJsonValue& d : days.value(QStringLiteral("missing")).toArray())
        missing << d.toString();
    for (const QJsonValue& d : days.value(QStringLiteral("partial")).toArray())
        partial << QStringLiteral("%1 (%2-%3)")
                       .arg(d[QStringLiteral("date")].toString(), d[QStringLiteral("first")].toString(),
                            d[QStringLiteral("last")].toString());
    out +=
        QStringLiteral("  Jours : %1 dans la période, %2 enregistrés, %3 complets ; manquants : %4 ; partiels : %5\n")
            .arg(QString::number(days.value(QStringLiteral("inPeriod")).toInt()),
                 QString::number(days.value(QStringLiteral("recorded")).toInt()),
                 QString::number(days.value(QStringLiteral("whole")).toInt()),
                 missing.isEmpty() ? QStringLiteral("aucun") : missing.join(QStringLiteral(", ")),
                 partial.isEmpty() ? QStringLiteral("aucun") : partial.join(QStringLiteral(", ")));
    const QJsonObject quality = summary.value(QStringLiteral("quality")).toObject();
    const bool bursts = quality.value(QStringLiteral("storeMode")).toInt() == 0;
    out +=
        QStringLiteral(
            "  Relevés écartés (%1 %2 ou moins) : %3 ; au-dessus de %4 %2 : %5 ; %6 ; mal datés (écartés) : %7\n")
            .arg(QString::number(quality.value(QStringLiteral("minSpeed")).toInt()), units,
                 number(quality.value(QStringLiteral("slowReadings")), 0),
                 QString::number(quality.value(QStringLiteral("implausibleAbove")).toInt()),
                 number(quality.value(QStringLiteral("implausibleReadings")), 0),
                 bursts
                     ? QStringLiteral("relevés par véhicule : %1 ; répétés au-delà d'une rafale : %2")
                           .arg(number(quality.value(QStringLiteral("readingsPerVehicle")), 1),
                                number(quality.value(QStringLiteral("repeatedReadings")), 0))
                     : QStringLiteral("répétés : %1").arg(number(quality.value(QStringLiteral("repeatedReadings")), 0)),
                 number(quality.value(QStringLiteral("misdatedReadings")), 0));
    return out;
}
