// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// The half-hour rules of the two period editors. Both keep the date and the Qt::TimeSpec, and
// give back an invalid date-time unchanged.

// A start goes down to the half hour, seconds 0, so that the first bucket is the one holding
// the first measure: 10:31:20 -> 10:30:00, 10:30:45 -> 10:30:00.
QDateTime snapPeriodStart(const QDateTime& start);

// An end goes up to the next half hour unless it lies exactly on one: 10:00:00 stays,
// 10:00:01 -> 10:30:00. An end after 23:30:00 would need 24:00 and is left unchanged. A half
// hour that the spring-forward gap skips becomes the end of the gap (01:45 -> 03:00).
QDateTime snapPeriodEnd(const QDateTime& end);
