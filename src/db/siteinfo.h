// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What the user tells about the measuring site, kept in the measure file itself in a key/value
// table of our own ("tramola_site"). Nothing else reads that table; it exists only once the user
// has changed one of the values. An empty member is not stored.
struct SiteInfo
{
    std::optional<QString> location;
    std::optional<QString> comment;   // plain text
    // Posted speed limit in the file's units; 0 when the user said there is none.
    std::optional<int> speedLimit;

    bool isEmpty() const { return !location && !comment && !speedLimit; }
};

// The stored values of a measure file; empty when it has no site table or cannot be read. Never
// creates or changes the file.
SiteInfo readSiteInfo(const QString& file);

// Stores the given values, keeping the other stored ones. False when the file cannot be written
// (marked read-only, in a read-only folder, locked, missing): nothing is changed then.
bool writeSiteInfo(const QString& file, const SiteInfo& values);
