// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

class Analysis;
class BeforeAfter;
class QAbstractItemModel;

// What the operation report ("Rapport d'exploitation") shows: one analysis, and what the user
// says of the site. Every page is drawn from these alone, never from what a window shows.
struct ReportContent
{
    std::shared_ptr<const Analysis> analysis;
    QString location;   // plain text
    QString commentHtml;   // the comment field's document
    std::function<QString(const QDateTime&)> dateTimeText;
    // The bucket table in the order its pages list it; null: the analysis's, newest first.
    const QAbstractItemModel* table = nullptr;
    // A before/after comparison of which A is the analysis; null: no comparison section.
    std::shared_ptr<const BeforeAfter> comparison;
};
