// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QtGlobal>

// One time bucket, or one speed class (bounds in minSpeed/maxSpeed, share in meanSpeed).
struct SampleRecord
{
    qint64 time = 0;
    double minSpeed = 0;
    double maxSpeed = 0;
    double speedSum = 0;
    double meanSpeed = 0;
    qint32 measureCount = 0;
    qint32 vehicleCount = 0;
    bool valid = true;
    bool flag2 = false;
    bool flag3 = false;
};

// Speed classes of an area: class index 0, 1, 2, … in ascending speed order.
using SpeedClassMap = QMap<qint64, SampleRecord>;
