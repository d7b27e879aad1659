// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/report/reportcontent.h"

#include <QString>
#include <QVector>
#include <vector>

class QWidget;
class ReportSection;

// The operation report ("Rapport d'exploitation"): a cover page, then the pages of the chosen
// sections, every one drawn from the content's analysis.

// Mean speed, maximum speed, vehicles, pie charts, percentiles, measure table, summary, then the
// before/after comparison (content.comparison): the sections of the window's tabs in their
// order, and of the section dialog's check boxes.
const std::vector<const ReportSection*>& reportSections();
// The defaults of the section dialog: all but the table.
QVector<bool> defaultReportSections();

enum class ReportStatus { Written, BadSuffix, WriteFailed, Cancelled };

// Writes the report into file: PDF for the suffix "pdf", PostScript for "ps" (case matters);
// any other suffix writes nothing. sections holds one flag per section (missing flags are
// unchecked). The file is replaced only once every page was written: a failure or a cancel
// leaves an earlier file of that name as it was. The progress goes through the user dialogs.
// pages receives the cover and the pages of the checked sections; error a French sentence on
// WriteFailed.
ReportStatus writeReport(const QString& file, const ReportContent& content, const QVector<bool>& sections,
                         int* pages = nullptr, QString* error = nullptr);

// The window's "Document PDF": the section dialog, the save dialog (proposed in the export
// folder), the settings, the report, then the viewer.
void exportReport(const ReportContent& content, QWidget* parent);
