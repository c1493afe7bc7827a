// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/run_report.h"

#include "analysis/explanation_texts.h"
#include "analysis/table_texts.h"
#include "input/quantity_table.h"
#include "series/quantity_names.h"
#include "texts/characteristic_table.h"
#include "texts/padding.h"

#include <algorithm>
#include <utility>

namespace vp {
namespace {

template <std::size_t N>
std::vector<std::string> strings(const std::array<std::string_view, N>& views)
{
    return {views.begin(), views.end()};
}

template <std::size_t N>
std::vector<std::string> strings(std::array<std::string, N> texts)
{
    return {std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end())};
}

ReportTable swing_table(const SwingAnalysis& a, std::string_view s)
{
    ReportTable t;
    t.headings = strings(swing_headings());
    t.numeric.assign(swing_columns, true);
    const auto remark = [&t](std::string text) {
        t.rows.push_back({std::move(text)});
        t.remark.push_back(true);
    };
    std::size_t n = 0;
    auto change = a.changes().begin();
    for (const TurningPoint& p : a.turning_points()) {
        for (; change != a.changes().end() && change->first_point == n; ++change)
            remark(physics_change_text(change->t, s));
        ++n;
        t.rows.push_back(strings(swing_row(n, p, s)));
        t.remark.push_back(false);
    }
    for (; change != a.changes().end(); ++change)
        remark(physics_change_text(change->t, s));
    return t;
}

ReportTable summary_table(const SwingAnalysis& a, std::string_view s)
{
    ReportTable t;
    t.headings = strings(summary_headings());
    t.numeric.assign(summary_columns, true);
    t.numeric[0] = false;
    for (const Comparison& c : a.comparisons()) {
        t.rows.push_back(strings(summary_row(c, s)));
        t.remark.push_back(false);
    }
    return t;
}

std::string drag_text(const char* what, const DragEstimate& d, const char* unit, std::string_view s)
{
    if (!d.resolved)
        return std::string(what) + " не разрешается";
    return std::string(what) + " = " + short_number(d.value, s) + " ± " + short_number(d.error, s) + " " + unit;
}

} // namespace

std::array<std::string, quantity_count> shown_box_texts(const Parameters& p)
{
    std::array<std::string, quantity_count> texts;
    for (const QuantityRow& row : quantity_table())
        texts[static_cast<std::size_t>(row.quantity)] = display_text(row.quantity, quantity(p, row.quantity));
    return texts;
}

ReportTable parameters_table(const std::array<std::string, quantity_count>& box_texts)
{
    ReportTable t;
    t.headings = {"Величина", "", "Значение", "Ед."};
    t.numeric = {false, false, true, false};
    for (const QuantityRow& row : quantity_table()) {
        t.rows.push_back({std::string(row.tooltip.substr(0, row.tooltip.find('.'))), quantity_symbol(row.quantity),
                          std::string(without_padding(box_texts[static_cast<std::size_t>(row.quantity)])),
                          std::string(row.unit)});
        t.remark.push_back(false);
    }
    return t;
}

ReportTable characteristics_table(const Parameters& p, const Characteristics& c, std::string_view separator)
{
    ReportTable t;
    t.headings = {"Характеристика"};
    t.numeric = {false};
    const CharacteristicCaptions captions = characteristic_captions(p, c, separator);
    for (const CharacteristicRow& row : characteristic_table()) {
        t.rows.push_back({spoken_caption(row.characteristic, captions[static_cast<std::size_t>(row.characteristic)])});
        t.remark.push_back(false);
    }
    return t;
}

ReportDocument run_report(const RunRecord& run, const SwingAnalysis& analysis, const RunExplanation& explanation,
                          const ReportHeading& heading, std::string_view s)
{
    ReportDocument d = begun_report(heading);
    const RunPart& first = run.parts().front();

    // The sections numbered as they come: an aperiodic run has no comparison.
    int sections = 0;
    const auto section = [&d, &sections](const char* title) {
        add_heading(d, std::to_string(++sections) + ". " + title);
    };
    section("Параметры задачи и характеристики системы");
    add_tables(d, {parameters_table(shown_box_texts(first.p)), characteristics_table(first.p, first.c, s)});
    if (run.parts().size() > 1)
        add_paragraph(d, "Во время расчёта параметры менялись; таблицы — для его начала, сравнение с теорией — "
                         "для последней части.");

    section("Движение");
    add_pictures(d, {{ReportFigure::plane, 0.48, 1.0, "Тело в конце расчёта (плоскость Y–X)"},
                     {ReportFigure::time_graphs, 0.48, 1.14, "Угол, угловая скорость и полная энергия от времени"}});

    section("Точки поворота и качания");
    add_paragraph(d, analysis_status_text(analysis, run.started(), run.finished(), run.size(), s));
    if (!analysis.turning_points().empty() || !analysis.changes().empty())
        add_tables(d, {swing_table(analysis, s)});

    if (!analysis.aperiodic()) {
        section("Сравнение с теорией");
        add_tables(d, {summary_table(analysis, s)});
    }

    section("Затухание: два сопротивления по отдельности и энергия");
    if (const std::optional<TwoDragResult> drags = analysis.two_drag_fit())
        add_paragraph(d, "Линейное и квадратичное сопротивление по убыванию амплитуд от качания к качанию: " +
                             drag_text("δ", drags->delta, "рад/c", s) + "; " +
                             drag_text("κ", drags->kappa, "1/рад", s) + ".");
    else
        add_paragraph(d, "Для подгонки двух сопротивлений нужно не меньше трёх полуколебаний.");
    if (explanation.energy)
        add_paragraph(d, energy_text(*explanation.energy, s));
    add_pictures(d, {{ReportFigure::amplitudes, 0.49, 0.72, "Амплитуды, прямая exp(−δt) и кривая двух сопротивлений"},
                     {ReportFigure::energy_ledger, 0.49, 0.72, "Куда ушла энергия"}});

    section("Режим обтекания");
    add_paragraph(d, regime_text(explanation.drag, s));
    return d;
}

std::vector<std::size_t> report_steps(const RunRecord& run, std::size_t most, std::size_t first)
{
    const std::size_t n = run.size();
    std::vector<std::size_t> steps;
    if (first >= n)
        return steps;
    const std::size_t count = n - first;
    if (count <= most) {
        steps.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            steps[i] = first + i;
        return steps;
    }
    const std::size_t stretches = std::max<std::size_t>(1, most / 6);
    steps.push_back(first);
    for (std::size_t k = 0; k < stretches; ++k) {
        const std::size_t from = first + count * k / stretches, to = first + count * (k + 1) / stretches;
        // The least and the greatest of the angle, the angular velocity and
        // the energy in the stretch, and where they are.
        std::array<std::size_t, 6> chosen{from, from, from, from, from, from};
        const RunRow start = run.row(from);
        std::array<double, 6> value{start.fi_deg, start.fi_deg, start.wz, start.wz, start.W, start.W};
        for (std::size_t i = from + 1; i < to; ++i) {
            const RunRow r = run.row(i);
            const std::array<double, 3> v{r.fi_deg, r.wz, r.W};
            for (std::size_t q = 0; q < 3; ++q) {
                if (v[q] < value[2 * q]) {
                    value[2 * q] = v[q];
                    chosen[2 * q] = i;
                }
                if (v[q] > value[2 * q + 1]) {
                    value[2 * q + 1] = v[q];
                    chosen[2 * q + 1] = i;
                }
            }
        }
        std::sort(chosen.begin(), chosen.end());
        for (const std::size_t i : chosen)
            if (i != steps.back())
                steps.push_back(i);
    }
    if (steps.back() != n - 1)
        steps.push_back(n - 1);
    return steps;
}

} // namespace vp
