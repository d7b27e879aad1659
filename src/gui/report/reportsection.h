// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysis.h"
#include "gui/report/reportcontent.h"
#include "gui/report/reportpage.h"

#include <functional>

// One kind of page of the report. Sections come in the order of the section dialog's check
// boxes; each is drawn by the tab that shows the same figures (see reportSections()).
class ReportSection
{
public:
    virtual ~ReportSection() = default;
    // Its check box's state when the section dialog opens.
    virtual bool checkedByDefault() const { return true; }
    // Counted before anything is drawn, for the footers' "{pages}".
    virtual int pageCount(const ReportContent& content) const = 0;
    // Every page starts with page.beginPage(); false as soon as that fails.
    virtual bool draw(ReportPage& page) const = 0;

protected:
    // A new page: the header, body, the campaign block and the footer.
    static bool drawPage(ReportPage& page, const std::function<void()>& body)
    {
        if (!page.beginPage())
            return false;
        page.drawHeader();
        body();
        page.drawCampaignBlock();
        page.drawFooter();
        return true;
    }
    // A page for each direction of the file, body drawing that direction's.
    static int directionPages(const ReportContent& content) { return content.analysis->directions().size(); }
    static bool drawDirectionPages(ReportPage& page, const std::function<void(int direction)>& body)
    {
        for (int direction : page.content().analysis->directions())
            if (!drawPage(page, [&] { body(direction); }))
                return false;
        return true;
    }
};
