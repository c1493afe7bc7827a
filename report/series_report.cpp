// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/series_report.h"

#include "input/quantity_table.h"
#include "report/run_report.h"
#include "series/quantity_names.h"
#include "series/series_table.h"
#include "texts/padding.h"

#include <algorithm>
#include <string>

namespace vp {
ReportTable series_table(const std::vector<SeriesPoint>& points, Quantity varied, std::string_view s)
{
    // The columns that say something for some point: on paper an empty
    // column only widens the table.
    std::vector<SeriesColumnInfo> columns;
    for (const SeriesColumnInfo& info : series_columns())
        if (info.column == SeriesColumn::value || std::any_of(points.begin(), points.end(), [&](const SeriesPoint& p) {
                return !shown_cell_text(p, info, s).empty();
            }))
            columns.push_back(info);
    ReportTable t;
    for (const SeriesColumnInfo& info : columns) {
        t.headings.push_back(column_heading(info, varied));
        t.numeric.push_back(info.column != SeriesColumn::regime && info.column != SeriesColumn::reason);
    }
    for (const SeriesPoint& p : points) {
        std::vector<std::string> row;
        for (const SeriesColumnInfo& info : columns)
            row.push_back(shown_cell_text(p, info, s));
        t.rows.push_back(std::move(row));
        t.remark.push_back(false);
    }
    return t;
}

ReportDocument series_report(const SeriesRequest& request, const std::vector<SeriesPoint>& points,
                             std::string_view plot_title, const ReportHeading& heading, std::string_view s)
{
    ReportDocument d = begun_report(heading);
    // Every value stands in the table; here the first few and the last, so
    // that a long series' paragraph stays within a page.
    constexpr std::size_t listed = 24;
    const std::vector<double>& all = request.values;
    std::string values;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all.size() > listed && i == listed - 1) {
            values += "; …";
            i = all.size() - 1;
        }
        values += (values.empty() ? "" : "; ") + std::string(without_padding(display_text(request.varied, all[i])));
    }

    add_heading(d, "1. Серия опытов");
    add_paragraph(d, "Изменяется величина «" + quantity_label(request.varied) + "», " + "значения (" +
                         std::to_string(request.values.size()) + "): " + values + ".");
    std::array<std::string, quantity_count> texts = request.base.texts;
    texts[static_cast<std::size_t>(request.varied)] = "изменяется";
    add_tables(d, {parameters_table(texts), characteristics_table(request.base.p, request.base.c, s)});
    add_paragraph(d, "Характеристики — при исходном значении изменяемой величины.");

    add_heading(d, "2. Таблица серии");
    add_tables(d, {series_table(points, request.varied, s)});

    add_heading(d, "3. График");
    add_pictures(
        d, {{ReportFigure::series_plot, 0.8, 0.62,
             std::string(plot_title) + ": измерено и теория в зависимости от " + quantity_label(request.varied)}});
    return d;
}

} // namespace vp
