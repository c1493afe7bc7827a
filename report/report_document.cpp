// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_document.h"

#include <array>
#include <utility>

namespace vp {

std::string report_date_text(int year, int month, int day)
{
    static const std::array<const char*, 12> months = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                                       "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    const std::string name = month >= 1 && month <= 12 ? months[static_cast<std::size_t>(month - 1)] : "";
    return std::to_string(day) + " " + name + " " + std::to_string(year) + " г.";
}

ReportDocument begun_report(const ReportHeading& heading)
{
    ReportDocument d;
    d.title = "Отчёт о лабораторной работе";
    d.work = "«" + heading.work + "»";
    d.signature.push_back("Дата: " + report_date_text(heading.year, heading.month, heading.day));
    d.signature.push_back("Выполнил(а): " + (heading.author.empty() ? std::string(40, '_') : heading.author));
    return d;
}

void add_heading(ReportDocument& document, std::string text)
{
    ReportBlock b;
    b.kind = ReportBlock::Kind::heading;
    b.text = std::move(text);
    document.blocks.push_back(std::move(b));
}

void add_paragraph(ReportDocument& document, std::string text)
{
    if (text.empty())
        return;
    ReportBlock b;
    b.kind = ReportBlock::Kind::paragraph;
    b.text = std::move(text);
    document.blocks.push_back(std::move(b));
}

void add_tables(ReportDocument& document, std::vector<ReportTable> tables)
{
    ReportBlock b;
    b.kind = ReportBlock::Kind::tables;
    b.tables = std::move(tables);
    document.blocks.push_back(std::move(b));
}

void add_pictures(ReportDocument& document, std::vector<ReportPicture> pictures)
{
    ReportBlock b;
    b.kind = ReportBlock::Kind::pictures;
    b.pictures = std::move(pictures);
    document.blocks.push_back(std::move(b));
}

} // namespace vp
