// SPDX-License-Identifier: GPL-3.0-or-later
// The series' table as the clipboard and the two CSV dialects give it:
// whole texts, the same bytes whatever the C library's locale; and the
// quantities as the command line and the window name them.
#include "series/series_table.h"

#include "series/quantity_names.h"
#include "tests/support/c_library_locale.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

Comparison compared(const char* symbol, const char* unit, double measured, std::optional<double> theory,
                    std::optional<double> difference, Reading reading = Reading::number)
{
    Comparison c;
    c.symbol = symbol;
    c.unit = unit;
    c.measured = measured;
    c.theory = theory;
    c.difference_percent = difference;
    c.reading = reading;
    return c;
}

std::vector<SeriesPoint> points_of_each_kind()
{
    SeriesPoint swinging;
    swinging.value = 0.0016238;
    swinging.text = "0.0016238";
    swinging.computed = true;
    swinging.steps = 738;
    swinging.turning_points = 14;
    swinging.crossings = 13;
    swinging.e_fold_time = 12.5;
    swinging.comparisons = {
        compared("Ts", "c", 2.1754, 2.171, 0.2026),
        compared("To", "c", 2.1754, 2.171, 0.2026),
        compared("Θ", "", 0.0125, 0.000417, 2897.6),
        compared("Q", "", 251.3, 7533.9, -96.664),
        compared("δ", "рад/c", 0.00571, 0.000192, std::nullopt),
    };
    SeriesPoint refused;
    refused.value = -0.5;
    refused.text = "-.5";
    refused.reason = "не может быть отрицательным! Не вводите заново, а исправьте!";
    SeriesPoint quoted = refused;
    quoted.value = 1e-05;
    quoted.reason = "Расчёт займёт 5 шагов, это 1 мин; \"долго\"";
    // A vacuum: the decrement within the run's noise, the quality factor a bound.
    SeriesPoint vacuum;
    vacuum.text = " 0";
    vacuum.computed = true;
    vacuum.turning_points = 8;
    vacuum.crossings = 7;
    vacuum.comparisons = {
        compared("Ts", "c", 2.5, 2.5, 0),
        compared("To", "c", 2.5, 2.5, 0),
        compared("Θ", "", 1e-9, 0, std::nullopt, Reading::within_noise),
        compared("Q", "", 3e9, std::nullopt, std::nullopt, Reading::above),
        compared("δ", "рад/c", 1e-10, 0, std::nullopt, Reading::within_noise),
    };
    return {swinging, refused, quoted, vacuum};
}

TEST(SeriesTable, CsvInBothDialectsAndTheClipboardText)
{
    const std::string head = "eta,T_s,Ts_s,T_diff_pct,Teta,Teta_theory,Teta_diff_pct,Q,Q_theory,Q_diff_pct,delta_1_s,"
                             "delta_theory_1_s,delta_diff_pct,turning_points,crossings,e_fold_s,aperiodic,reason\n";
    const std::string plain =
        head +
        "0.0016238,2.1754,2.171,0.2026,0.0125,0.000417,2897.6,251.3,7533.9,-96.664,0.00571,0.000192,,14,13,12.5,0,\n"
        "-0.5,,,,,,,,,,,,,,,,,\"не может быть отрицательным! Не вводите заново, а исправьте!\"\n"
        "1e-05,,,,,,,,,,,,,,,,,\"Расчёт займёт 5 шагов, это 1 мин; \"\"долго\"\"\"\n"
        "0,2.5,2.5,0,≈ 0 (в пределах погрешности расчёта),0,,> 3e+09,,,≈ 0 (в пределах погрешности "
        "расчёта),0,,8,7,,0,\n";
    const std::string excel =
        "\xEF\xBB\xBF"
        "eta;T_s;Ts_s;T_diff_pct;Teta;Teta_theory;Teta_diff_pct;Q;Q_theory;Q_diff_pct;delta_1_s;delta_theory_1_s;"
        "delta_diff_pct;turning_points;crossings;e_fold_s;aperiodic;reason\n"
        "0,0016238;2,1754;2,171;0,2026;0,0125;0,000417;2897,6;251,3;7533,9;-96,664;0,00571;0,000192;;14;13;12,5;0;\n"
        "-0,5;;;;;;;;;;;;;;;;;не может быть отрицательным! Не вводите заново, а исправьте!\n"
        "1e-05;;;;;;;;;;;;;;;;;\"Расчёт займёт 5 шагов, это 1 мин; \"\"долго\"\"\"\n"
        "0;2,5;2,5;0;≈ 0 (в пределах погрешности расчёта);0;;> 3e+09;;;≈ 0 (в пределах погрешности "
        "расчёта);0;;8;7;;0;\n";
    const std::string clipboard =
        "η (Па·с)\tT, c\tTs, c (теория)\tT − Ts, %\tΘ\tΘ (теория)\tΔΘ, %\tQ\tQ (теория)\tΔQ, %\tδ, рад/c\t"
        "δ, рад/c (теория)\tΔδ, %\tточек поворота\tпрохождений равновесия\tспад в e раз, c\tдвижение\t"
        "почему не рассчитано\n"
        "0,0016238\t2,1754\t2,171\t0,2026\t0,0125\t0,000417\t2897,6\t251,3\t7533,9\t-96,664\t0,00571\t0,000192\t\t14\t"
        "13\t12,5\tколебания\t\n"
        "-0,5\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tне может быть отрицательным! Не вводите заново, а исправьте!\n"
        "1e-05\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tРасчёт займёт 5 шагов, это 1 мин; \"долго\"\n"
        "0\t2,5\t2,5\t0\t≈ 0 (в пределах погрешности расчёта)\t0\t\t> 3e+09\t\t\t≈ 0 (в пределах погрешности "
        "расчёта)\t0\t\t8\t7\t\tколебания\t\n";
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        const std::vector<SeriesPoint> points = points_of_each_kind();
        // A reason is quoted where it holds the dialect's separator or a quote.
        EXPECT_EQ(series_csv(points, Quantity::eta, {}), plain) << locale;
        EXPECT_EQ(series_csv(points, Quantity::eta, excel_csv(",")), excel) << locale;
        EXPECT_EQ(series_table_text(points, Quantity::eta, ","), clipboard) << locale;
    }
}

// The labels are the panel's captions with the Greek letter put over its
// blanks and the unit of the row: a caption's blanks or "=" left in, or a
// letter lost, would show here.
TEST(QuantityNames, EachQuantityByItsNameAndItsLabel)
{
    const char* const labels[] = {"m (кг)", "d2 (м)",     "d1 (м)",   "с_сф",   "L (м)",       "М (кг)", "D (м)",
                                  "с_ст",   "ρo (кг/м3)", "η (Па·с)", "φo (°)", "ωzo (рад/с)", "Т (с)"};
    const char* const names[] = {"massa",  "diametr_2", "diametr_1", "c_shar", "dlina", "massa_st", "diametr_s",
                                 "c_ster", "ro_0",      "eta",       "fi0",    "wz0",   "Tmax"};
    for (int i = 0; i < quantity_count; ++i) {
        const auto q = static_cast<Quantity>(i);
        EXPECT_EQ(quantity_label(q), labels[i]) << i;
        EXPECT_EQ(quantity_name(q), names[i]) << i;
        EXPECT_EQ(quantity_named(names[i]), q) << i;
    }
    EXPECT_FALSE(quantity_named("viscosity"));
    EXPECT_FALSE(quantity_named("Eta"));
}

} // namespace
} // namespace vp
