// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One input of the CSV reader's fuzz target; the corpus replay test runs the same function.

#include "core/userdialogs.h"
#include "speedarea/csvfile.h"

#include <QByteArray>
#include <cstdlib>

namespace fuzzcsv {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Walks the whole tree the way a view does and checks that it holds together.
inline void walk(const CsvTreeModel& model, const QModelIndex& parent, int depth)
{
    check(depth <= 4);
    const int rows = model.rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QModelIndex index = model.index(row, column, parent);
            check(index.isValid() && model.parent(index) == parent);
            check(model.level(index) == CsvTreeModel::Level(depth + 1));
            index.data(Qt::DisplayRole);
            index.data(Qt::TextAlignmentRole);
            index.data(Qt::CheckStateRole);
            model.flags(index);
        }
        walk(model, model.index(row, 0, parent), depth + 1);
    }
    check(!model.index(rows, 0, parent).isValid());
}

}   // namespace fuzzcsv

// Reads the bytes as a CSV file, walks the tree, and clicks every state twice: the pool must
// come back empty.
inline void fuzzCsvFile(const QByteArray& bytes)
{
    QuietDialogs dialogs;
    setUserDialogs(&dialogs);
    CsvFile csv;
    csv.parse(bytes);
    const CsvTreeModel& model = *csv.model();
    fuzzcsv::walk(model, QModelIndex(), 0);
    for (int c = 0; c < model.rowCount(); ++c) {
        const QModelIndex country = model.index(c, 0);
        for (int s = 0; s < model.rowCount(country); ++s) {
            const QModelIndex state = model.index(s, 0, country);
            fuzzcsv::check(csv.findItem(state.data().toString(), {country.data().toString()}).isValid());
            SpeedAreaTable pool;
            togglePick(csv.model(), state, &pool);
            fuzzcsv::check(pool.isEmpty() || csv.model()->isPicked(state));
            togglePick(csv.model(), state, &pool);
            fuzzcsv::check(pool.isEmpty() && !csv.model()->isPicked(state));
        }
    }
    setUserDialogs(nullptr);
}
