// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/samplerecord.h"

#include <QMap>
#include <QString>
#include <QStringList>

class QIODevice;

// Speed classes of one area by group number. Only group 0 is ever shown or saved; other groups
// read from a file are kept but stay invisible.
using SpeedAreaGroups = QMap<int, SpeedClassMap>;
// All areas of one unit system, ordered by name (UTF-16 code units): the order of the name list,
// of the editor's combo box and of the file.
using SpeedAreaTable = QMap<QString, SpeedAreaGroups>;

// The speed areas of one unit system: the in-memory table, its file ("spdareakmh.cfg" or
// "spdareamph.cfg") and the built-in defaults. No widget here: the editor dialog holds one of
// these (or derives from it) and refills its combo box and table from it.
//
// Units: 0 km/h, 1 mph, 2 knots. Knots take the km/h defaults although their file is the mph one.
class SpeedArea
{
public:
    // Empty path, units 0, the km/h defaults loaded.
    SpeedArea();
    virtual ~SpeedArea();

    // Same units as before: nothing. Otherwise the table becomes the full default set of the
    // new units (mph for 1, km/h for anything else).
    void setUnits(int units);
    int units() const { return m_units; }

    // Stores the path and reads the file. A missing file leaves the table as it is; one that
    // cannot be read whole leaves the full default set of the current units, and damagedText()
    // says so until the file is read or saved again.
    void setFile(const QString& szFileName);
    QString file() const { return m_fileName; }
    // The French line telling that file() exists but could not be read whole, that the defaults
    // stand in for it and where the next save keeps it; empty when it was read or is missing.
    QString damagedText() const;

    // Removes the named area (all areas when the name is empty) and brings it back: from the
    // file unless bForce is set or the file is missing or damaged, else from the defaults of the
    // current units (an area without a default of that name stays away). Resets the area index.
    // Always true.
    bool loadAreas(bool bForce, const QString& szName);

    // Replaces the whole table with the file's areas. False when the file is missing,
    // unreadable or damaged; the table is then empty and readError() tells why.
    bool loadFile(const QString& szFileName);
    // Writes every area (group 0 only) beside the old file and then replaces it, so that a
    // failure leaves the old file whole. Creates the file's folder when it alone is missing.
    // A file there that cannot be read whole (damaged, or not a speed area file) is first kept
    // as damagedCopyName(). Bounds are truncated toward zero and held to 16 bits. False on any
    // failure, and for more than 65,535 areas or classes of one area (the counts are 16 bits
    // wide); saveError() then tells why.
    bool saveFile(const QString& szFileName);
    // Why the last saveFile failed, in French; empty after a successful save.
    QString saveError() const { return m_saveError; }
    // Where saveFile() keeps an unreadable file at path: the first free name of "PATH.damaged",
    // "PATH.damaged-2", …
    static QString damagedCopyName(const QString& path);
    // The same two on a device: read() replaces the table as loadFile() does; write() answers
    // false (with part of the bytes written) on a failed write or a count over 16 bits.
    bool read(QIODevice& device);
    bool write(QIODevice& device) const;
    // Why the last loadFile failed, in French; empty after a successful read.
    QString readError() const { return m_readError; }

    // All area names in table order.
    QStringList areaNames() const;
    // Group 0 of the area; empty (with a warning) for an empty or unknown name or an area
    // without any group, empty (silently) for an area without group 0.
    SpeedClassMap intervals(const QString& szName) const;
    // Inserts or replaces the area of that name.
    void setArea(const QString& szName, const SpeedAreaGroups& groups);
    // Convenience for the editor: inserts or replaces the area with classes as group 0.
    void setArea(const QString& szName, const SpeedClassMap& classes);
    // False when there was no such area.
    bool removeArea(const QString& szName);
    // The import's merge: each area of the pool replaces the area of the same name or joins the
    // table. The area index follows the area it pointed at.
    void importAreas(const SpeedAreaTable& pool);
    bool contains(const QString& szName) const { return m_areas.contains(szName); }
    const SpeedAreaTable& areas() const { return m_areas; }

    // The range of speeds the editor accepts in its table.
    void setSpeedRange(double lowest, double highest);
    double lowestSpeed() const { return m_lowestSpeed; }
    double highestSpeed() const { return m_highestSpeed; }

    // Makes the area of exactly that name the current one; an unknown name changes nothing.
    void selectArea(const QString& szName);
    // Index in areaNames() of the area last shown; 0 after every reload of the table.
    int areaIndex() const { return m_areaIndex; }
    void setAreaIndex(int index) { m_areaIndex = index; }
    // The name at areaIndex(), empty when there is none. Saved as the file's selected area.
    QString currentArea() const;

    // Copied from the main window; lifts the editor's limit on the number of classes.
    void setDebugMode(bool on) { m_debug = on; }
    bool debugMode() const { return m_debug; }

    // The built-in areas of a unit system (mph for 1, km/h otherwise), names translated.
    static SpeedAreaTable defaultAreas(int units);

protected:
    // Called after the whole table was replaced (file read, defaults, units change): a dialog
    // built on top refills its combo box and table here.
    virtual void areasReloaded() { }

private:
    // The area count and every class count fit the file's 16 bits.
    bool countsFit() const;
    // Empties the table, keeps the reason, answers false.
    bool refuse(const QString& reason);
    // Loads the named default area of the current units (all of them when the name is empty).
    void loadDefaults(const QString& szName);

    SpeedAreaTable m_areas;
    QString m_fileName;
    int m_units = 0;
    double m_lowestSpeed = 0;
    double m_highestSpeed = 200;
    int m_areaIndex = 0;
    bool m_debug = false;
    QString m_readError;
    bool m_damaged = false;
    QString m_saveError;
};

// The window's order of area names: by the first whole number in each name, ascending.
// A name without a number compares equal to every other name, so it keeps its place and the
// names between two such names are ordered among themselves; equal numbers keep their order.
QStringList sortAreaNames(const QStringList& names);

// The area a new analysis starts with, in the window and the command line alike: the one last
// chosen for these units (settings) while names still holds it, else the first of names.
QString defaultAreaName(const QStringList& sortedNames, int units);
