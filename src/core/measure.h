// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

// One radar reading: speed in the database's units; direction 0 ingoing, anything else outgoing.
struct Measure
{
    qint32 speed = 0;
    qint32 direction = 0;
};

// Readings ordered by time (Unix seconds). Equal times are all kept, in arrival order.
// Stored contiguously: 16 bytes a reading, no node per reading. Appending in time order, the
// measure query's order, is O(1); an earlier time is inserted in place.
class MeasureMap
{
public:
    struct Entry
    {
        qint64 time;
        Measure measure;
    };
    // Growing by appendSlots() leaves the new readings unwritten: the reader that fills them is
    // their first writer, which spares a pass over hundreds of megabytes.
    template <class T> struct Allocator : std::allocator<T>
    {
        template <class U> struct rebind
        {
            using other = Allocator<U>;
        };
        Allocator() = default;
        template <class U> Allocator(const Allocator<U>&) noexcept { }
        template <class U> void construct(U*) noexcept { }
        template <class U, class... Args> void construct(U* p, Args&&... args)
        {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };
    using Storage = std::vector<Entry, Allocator<Entry>>;
    using const_iterator = Storage::const_iterator;

    void insert(qint64 time, const Measure& m)
    {
        if (m_entries.empty() || m_entries.back().time <= time) {
            m_entries.push_back({time, m});
            return;
        }
        m_entries.insert(insertPosition(time), Entry{time, m});
    }
    // Appends readings that all come at or after the last one held (a later slice of a period).
    void appendOrdered(const MeasureMap& later)
    {
        Q_ASSERT(later.isEmpty() || isEmpty() || m_entries.back().time <= later.m_entries.front().time);
        m_entries.insert(m_entries.end(), later.m_entries.begin(), later.m_entries.end());
    }
    // Room for n readings after those held, for readers filling several time slices at once. The
    // caller writes them in time order and cuts the unused end with truncate() before any other use.
    Entry* appendSlots(std::size_t n)
    {
        const std::size_t held = m_entries.size();
        m_entries.reserve(held + n);
        m_entries.resize(held + n);
        return m_entries.data() + held;
    }
    void truncate(std::size_t n)
    {
        if (n < m_entries.size())
            m_entries.resize(n);
    }
    void reserve(std::size_t n) { m_entries.reserve(n); }
    void clear()
    {
        // Gives the memory back: a second load must not keep the first one's buffer.
        Storage().swap(m_entries);
    }
    void swap(MeasureMap& other) noexcept { m_entries.swap(other.m_entries); }

    int size() const { return int(m_entries.size()); }
    std::size_t count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.empty(); }
    std::size_t capacity() const { return m_entries.capacity(); }

    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    const Entry& first() const { return m_entries.front(); }
    const Entry& last() const { return m_entries.back(); }

    // First reading at or after time.
    const_iterator lowerBound(qint64 time) const
    {
        return std::lower_bound(m_entries.begin(), m_entries.end(), time,
                                [](const Entry& e, qint64 t) { return e.time < t; });
    }
    // First reading after time.
    const_iterator upperBound(qint64 time) const
    {
        return std::upper_bound(m_entries.begin(), m_entries.end(), time,
                                [](qint64 t, const Entry& e) { return t < e.time; });
    }

private:
    Storage::iterator insertPosition(qint64 time)
    {
        return std::upper_bound(m_entries.begin(), m_entries.end(), time,
                                [](qint64 t, const Entry& e) { return t < e.time; });
    }

    Storage m_entries;
};
