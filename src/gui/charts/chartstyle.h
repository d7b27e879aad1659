// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of every chart alike: orange titles, green axis titles.

#include <QColor>
#include <QFont>
#include <QString>
#include <qwt_text.h>

namespace chartstyle {

inline const QColor titleColour(234, 103, 6);
inline const QColor axisTitleColour(26, 140, 48);

inline QwtText styled(const QString& text, const QFont& font, const QColor& colour)
{
    QwtText t(text);
    t.setFont(font);
    t.setColor(colour);
    return t;
}

inline QwtText plotTitle(const QString& text)
{
    return styled(text, QFont(QStringLiteral("Arial"), 10), titleColour);
}

inline QwtText axisTitle(const QString& text)
{
    return styled(text, QFont(QStringLiteral("arial"), 8, QFont::Bold), axisTitleColour);
}

}   // namespace chartstyle
