// SPDX-License-Identifier: GPL-3.0-or-later
// The series' table as the clipboard and the two CSV dialects give it, and
// the kept run in the spreadsheets' dialect: whole texts, the same bytes
// whatever the C library's locale.
#include "series/series_table.h"

#include "tests/support/c_library_locale.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

std::vector<SeriesPoint> two_points()
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
        {"Ts", "c", 2.1754, 2.171, 0.2026},
        {"To", "c", 2.1754, 2.171, 0.2026},
        {"Θ", "", 0.0125, 0.000417, 2897.6},
        {"Q", "", 251.3, 7533.9, -96.664},
        {"δ", "рад/c", 0.00571, 0.000192, std::nullopt},
    };
    SeriesPoint refused;
    refused.value = -0.5;
    refused.text = "-.5";
    refused.reason = "не может быть отрицательным! Не вводите заново, а исправьте!";
    SeriesPoint quoted = refused;
    quoted.value = 1e-05;
    quoted.reason = "Расчёт займёт 5 шагов, это 1 мин; \"долго\"";
    return {swinging, refused, quoted};
}

TEST(SeriesTable, CsvInBothDialectsAndTheClipboardText)
{
    const std::string head = "eta,T_s,Ts_s,T_diff_pct,Teta,Teta_theory,Teta_diff_pct,Q,Q_theory,Q_diff_pct,delta_1_s,"
                             "delta_theory_1_s,delta_diff_pct,turning_points,crossings,e_fold_s,aperiodic,reason\n";
    const std::string plain =
        head +
        "0.0016238,2.1754,2.171,0.2026,0.0125,0.000417,2897.6,251.3,7533.9,-96.664,0.00571,0.000192,,14,13,12.5,0,\n"
        "-0.5,,,,,,,,,,,,,,,,,\"не может быть отрицательным! Не вводите заново, а исправьте!\"\n"
        "1e-05,,,,,,,,,,,,,,,,,\"Расчёт займёт 5 шагов, это 1 мин; \"\"долго\"\"\"\n";
    const std::string excel =
        "\xEF\xBB\xBF"
        "eta;T_s;Ts_s;T_diff_pct;Teta;Teta_theory;Teta_diff_pct;Q;Q_theory;Q_diff_pct;delta_1_s;delta_theory_1_s;"
        "delta_diff_pct;turning_points;crossings;e_fold_s;aperiodic;reason\n"
        "0,0016238;2,1754;2,171;0,2026;0,0125;0,000417;2897,6;251,3;7533,9;-96,664;0,00571;0,000192;;14;13;12,5;0;\n"
        "-0,5;;;;;;;;;;;;;;;;;не может быть отрицательным! Не вводите заново, а исправьте!\n"
        "1e-05;;;;;;;;;;;;;;;;;\"Расчёт займёт 5 шагов, это 1 мин; \"\"долго\"\"\"\n";
    const std::string clipboard =
        "η (Па·с)\tT, c\tTs, c (теория)\tT − Ts, %\tΘ\tΘ (теория)\tΔΘ, %\tQ\tQ (теория)\tΔQ, %\tδ, рад/c\t"
        "δ, рад/c (теория)\tΔδ, %\tточек поворота\tпрохождений равновесия\tспад в e раз, c\tдвижение\t"
        "почему не рассчитано\n"
        "0,0016238\t2,1754\t2,171\t0,2026\t0,0125\t0,000417\t2897,6\t251,3\t7533,9\t-96,664\t0,00571\t0,000192\t\t14\t"
        "13\t12,5\tколебания\t\n"
        "-0,5\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tне может быть отрицательным! Не вводите заново, а исправьте!\n"
        "1e-05\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tРасчёт займёт 5 шагов, это 1 мин; \"долго\"\n";
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        const std::vector<SeriesPoint> points = two_points();
        // A reason is quoted where it holds the dialect's separator or a quote.
        EXPECT_EQ(series_csv(points, Quantity::eta, {}), plain) << locale;
        EXPECT_EQ(series_csv(points, Quantity::eta, excel_csv(",")), excel) << locale;
        EXPECT_EQ(series_table_text(points, Quantity::eta, ","), clipboard) << locale;
    }
}

TEST(RunCsv, TheSpreadsheetsDialect)
{
    RunRecord r;
    r.start({});
    r.append({0.021708130, 33.0745, -2.85027, 298.79f});
    r.append({1e-05, -0.5, 0, -1e20f});
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        EXPECT_EQ(csv_text(r), "t_s,fi_deg,wz_rad_s,W_J\n0.02170813,33.0745,-2.85027,298.79\n1e-05,-0.5,0,-1e+20\n");
        EXPECT_EQ(csv_text(r, excel_csv(",")),
                  "\xEF\xBB\xBFt_s;fi_deg;wz_rad_s;W_J\n0,02170813;33,0745;-2,85027;298,79\n"
                  "1e-05;-0,5;0;-1e+20\n");
        EXPECT_EQ(csv_text(r, excel_csv(".")),
                  "\xEF\xBB\xBFt_s;fi_deg;wz_rad_s;W_J\n0.02170813;33.0745;-2.85027;298.79\n"
                  "1e-05;-0.5;0;-1e+20\n");
    }
}

} // namespace
} // namespace vp
