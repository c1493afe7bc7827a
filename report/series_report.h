// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/report_document.h"
#include "series/series.h"

#include <string_view>
#include <vector>

namespace vp {

// The series' table as its window shows it: a row per point, the cells as
// the window's, a point not computed with its reason; the columns empty
// for every point left out.
ReportTable series_table(const std::vector<SeriesPoint>& points, Quantity varied, std::string_view decimal_separator);

// The report of a series: the quantities it started from (the varied one
// by its values), their characteristics, its table and its plot, whose
// caption is the plot's title.
ReportDocument series_report(const SeriesRequest& request, const std::vector<SeriesPoint>& points,
                             std::string_view plot_title, const ReportHeading& heading,
                             std::string_view decimal_separator);

} // namespace vp
