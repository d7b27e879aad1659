// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/beforeafter.h"

#include <QFileInfo>
#include <QJsonArray>
#include <system_error>
#include <thread>

namespace {

QString sideText(bool before, const QString& text)
{
    return before ? BeforeAfter::tr("Avant (A) : %1").arg(text) : BeforeAfter::tr("Après (B) : %1").arg(text);
}

// A stored limit of 0 says there is none.
std::optional<int> storedLimit(const Analysis& a)
{
    const std::optional<int> limit = a.site().speedLimit;
    return limit && *limit > 0 ? limit : std::nullopt;
}

QString limitText(std::optional<int> limit, const QString& unit)
{
    return limit ? QStringLiteral("%1 %2").arg(*limit).arg(unit) : BeforeAfter::tr("aucune");
}

QJsonObject sideJson(const Analysis& a)
{
    QJsonObject side{{QStringLiteral("file"), QFileInfo(a.file()).absoluteFilePath()},
                     {QStringLiteral("begin"), a.begin().toString(Qt::ISODate)},
                     {QStringLiteral("end"), a.end().toString(Qt::ISODate)},
                     {QStringLiteral("measuresLoaded"), a.measures()->size()},
                     {QStringLiteral("storeMode"), a.storeMode() < 0 ? QJsonValue() : QJsonValue(a.storeMode())},
                     {QStringLiteral("dividerOff"), a.criteria().dividerOff},
                     {QStringLiteral("vehicleDivider"), a.vehicleDivider()}};
    if (!a.campaigns().isEmpty()) {
        QJsonArray ids;
        for (int id : a.campaigns())
            ids.append(id);
        side.insert(QStringLiteral("campaigns"), ids);
    }
    return side;
}

}   // namespace

ComparedSpeeds BeforeAfter::speeds(const Analysis& analysis, int direction)
{
    ComparedSpeeds s = ComparedSpeeds::fromHistogram(analysis.direction(direction).speeds, analysis.vehicleDivider());
    // A file of one reading per vehicle counts its readings as vehicles, whatever the divider says.
    if (analysis.storeMode() > 0) {
        s.vehicles = 0;
        for (const auto& c : s.readings)
            s.vehicles += double(c.second);
    }
    return s;
}

BeforeAfterOutcome BeforeAfter::run(const AnalysisRequest& a, const AnalysisRequest& b, std::optional<int> limit,
                                    AnalysisProgress* progress)
{
    AnalysisRequest requests[2] = {a, b};
    // Each side's own summary then counts against the same limit as the comparison.
    if (limit)
        requests[0].limit = requests[1].limit = std::max(0, *limit);
    AnalysisOutcome outcomes[2];
    if (QFileInfo(a.file).absoluteFilePath() == QFileInfo(b.file).absoluteFilePath()) {
        // One file: its first opening writes once, and B takes A's readings when they cover it.
        outcomes[0] = AnalysisRunner::run(requests[0], {}, progress);
        if (outcomes[0].ok())
            outcomes[1] = AnalysisRunner::run(requests[1], outcomes[0].analysis, progress);
    } else {
        std::thread other;
        try {
            other = std::thread([&] { outcomes[1] = AnalysisRunner::run(requests[1], {}, progress); });
        } catch (const std::system_error&) {
            outcomes[1] = AnalysisRunner::run(requests[1], {}, progress);
        }
        outcomes[0] = AnalysisRunner::run(requests[0], {}, progress);
        if (other.joinable())
            other.join();
    }

    BeforeAfterOutcome outcome;
    for (int side = 0; side < 2; ++side) {
        for (const QString& warning : outcomes[side].warnings)
            outcome.warnings << sideText(side == 0, warning);
    }
    for (int side = 0; side < 2; ++side) {
        const AnalysisOutcome& o = outcomes[side];
        if (o.canceled || (progress && progress->isCanceled())) {
            outcome.canceled = true;
            outcome.error = AnalysisRunner::tr("Analyse annulée");
            return outcome;
        }
        if (!o.ok()) {
            outcome.error = sideText(side == 0, o.error);
            return outcome;
        }
    }
    BeforeAfterOutcome compared = compare(outcomes[0].analysis, outcomes[1].analysis, limit);
    compared.warnings = outcome.warnings + compared.warnings;
    return compared;
}

BeforeAfterOutcome BeforeAfter::compare(std::shared_ptr<const Analysis> a, std::shared_ptr<const Analysis> b,
                                        std::optional<int> limit)
{
    BeforeAfterOutcome outcome;
    if (a->units() != b->units()) {
        outcome.error = tr("Unités différentes : A en %1, B en %2 ; une comparaison demande deux fichiers de "
                           "mêmes unités.")
                            .arg(a->unitLabel(), b->unitLabel());
        return outcome;
    }
    auto c = std::make_shared<BeforeAfter>();
    if (limit) {
        c->limit = *limit > 0 ? limit : std::nullopt;
    } else {
        c->limit = storedLimit(*a);
        if (storedLimit(*b) != c->limit)
            outcome.warnings << tr("Limites enregistrées différentes (A : %1, B : %2) : la comparaison retient "
                                   "celle de A.")
                                    .arg(limitText(c->limit, a->unitLabel()),
                                         limitText(storedLimit(*b), b->unitLabel()));
    }
    for (int d = 0; d < 2; ++d) {
        const ComparedSpeeds sa = speeds(*a, d), sb = speeds(*b, d);
        if (!sa.readings.empty() && !sb.readings.empty())
            c->directions.insert(d, SpeedComparison::compute(sa, sb, c->limit, a->units()));
    }
    if (c->directions.isEmpty()) {
        outcome.error = tr("Aucun sens de circulation commun à A et B : rien à comparer.");
        return outcome;
    }
    c->before = std::move(a);
    c->after = std::move(b);
    outcome.comparison = std::move(c);
    return outcome;
}

QJsonObject BeforeAfter::toJson() const
{
    const AnalysisCriteria& criteria = before->criteria();
    QJsonObject directionsJson;
    for (auto it = directions.constBegin(); it != directions.constEnd(); ++it)
        directionsJson.insert(QString::number(it.key()), it.value().toJson());
    return QJsonObject{
        {QStringLiteral("a"), sideJson(*before)},
        {QStringLiteral("b"), sideJson(*after)},
        {QStringLiteral("limit"), limit ? QJsonValue(*limit) : QJsonValue()},
        {QStringLiteral("units"),
         QJsonObject{{QStringLiteral("label"), before->unitLabel()}, {QStringLiteral("code"), int(before->units())}}},
        {QStringLiteral("settings"),
         QJsonObject{{QStringLiteral("minSpeed"), criteria.minSpeed},
                     {QStringLiteral("range"), criteria.range},
                     {QStringLiteral("area"), criteria.area}}},
        {QStringLiteral("directions"), directionsJson}};
}
