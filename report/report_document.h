// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vp {

// What a report says, in order, as texts and the pictures it names; the
// window sets it on A4 pages (shell/report_pdf.h) and draws the pictures by
// the code that draws them on the screen.

// The pictures a report can hold.
enum class ReportFigure {
    plane,         // the Y-X plane with the body at the end of the run, as the animation shows it
    time_graphs,   // the angle, the angular velocity and the energy against time, one above the other
    amplitudes,    // the amplitudes with their two fits, as "Анализ колебаний" plots them
    energy_ledger, // where the energy went, as "Анализ колебаний" plots it
    series_plot,   // the series' plot as its window shows it
};

// A picture in the report: a share of the text's width, its height over its
// width, and the words under it.
struct ReportPicture {
    ReportFigure figure = ReportFigure::plane;
    double width_share = 1;
    double aspect = 0.5;
    std::string caption;
};

struct ReportTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    // Per column: numbers stand to the right, words to the left.
    std::vector<bool> numeric;
    // Rows whose first cell is a remark across the whole table.
    std::vector<bool> remark;
};

struct ReportBlock {
    enum class Kind {
        heading,   // a numbered section's heading
        paragraph, // words
        tables,    // one table, or two side by side
        pictures,  // one picture, or a few side by side
    };
    Kind kind = Kind::paragraph;
    std::string text;
    std::vector<ReportTable> tables;
    std::vector<ReportPicture> pictures;
};

struct ReportDocument {
    std::string title;                  // "Отчёт о лабораторной работе"
    std::string work;                   // the laboratory's name
    std::vector<std::string> signature; // "Дата: ...", "Выполнил(а): ..."
    std::vector<ReportBlock> blocks;
};

// What heads a report: the day it was made and who made it (empty: a
// line to sign by hand).
struct ReportHeading {
    std::string work;
    int year = 0, month = 0, day = 0;
    std::string author;
};

// "14 марта 2026 г."
std::string report_date_text(int year, int month, int day);

// A document begun with its title, the work, the date and the author.
ReportDocument begun_report(const ReportHeading& heading);

// Blocks added at the end of a document.
void add_heading(ReportDocument& document, std::string text);
void add_paragraph(ReportDocument& document, std::string text);
void add_tables(ReportDocument& document, std::vector<ReportTable> tables);
void add_pictures(ReportDocument& document, std::vector<ReportPicture> pictures);

} // namespace vp
