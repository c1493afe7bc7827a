// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/csv_export.h"
#include "analysis/run_record.h"

#include "tests/support/c_library_locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace vp {
namespace {

TEST(RunRecord, KeepsEveryStepOfTheLatestRunOnly)
{
    RunRecord r;
    EXPECT_FALSE(r.started());
    Characteristics c;
    c.Ts = 2;
    r.start(c);
    // More steps than one block holds.
    const std::size_t steps = 70000;
    for (std::size_t i = 0; i < steps; ++i)
        r.append({0.5 * static_cast<double>(i + 1), static_cast<double>(i), -static_cast<double>(i), 0.25f});
    r.finish();
    ASSERT_EQ(r.size(), steps);
    EXPECT_TRUE(r.finished());
    EXPECT_EQ(r.characteristics().Ts, 2);
    const RunRow last = r.row(steps - 1);
    EXPECT_EQ(last.t, 0.5 * steps);
    EXPECT_EQ(last.fi_deg, steps - 1.0);
    EXPECT_EQ(r.value(65536, RunColumn::wz), -65536.0);

    // Linear between steps; nothing outside the run.
    EXPECT_EQ(r.value_at(1.25, RunColumn::fi_deg), 1.5);
    EXPECT_EQ(r.value_at(0.5, RunColumn::W), 0.25);
    EXPECT_FALSE(r.value_at(0.49, RunColumn::fi_deg));
    EXPECT_FALSE(r.value_at(0.5 * steps + 0.01, RunColumn::fi_deg));

    const std::uint64_t first_run = r.run_number();
    r.start({});
    EXPECT_TRUE(r.empty());
    EXPECT_FALSE(r.finished());
    EXPECT_NE(r.run_number(), first_run);
    EXPECT_FALSE(r.value_at(1, RunColumn::fi_deg));
}

TEST(RunRecord, ValueBetweenTwoStepsIsWeightedByTheDistanceToEach)
{
    // Off the midpoint: a swapped weight would give 17.5.
    RunRecord r;
    r.start({});
    r.append({2, 10, 0, 0});
    r.append({4, 20, 0, 0});
    EXPECT_EQ(r.value_at(2.5, RunColumn::fi_deg), 12.5);
    EXPECT_EQ(r.value_at(3.5, RunColumn::fi_deg), 17.5);
    EXPECT_EQ(r.value_at(2, RunColumn::fi_deg), 10);
    EXPECT_EQ(r.value_at(4, RunColumn::fi_deg), 20);
}

TEST(RunRecord, RowOfAStepIsWhatTheGraphsDraw)
{
    RunState s;
    s.t_f = 0.5;
    s.fi_new = 3.1415926536 / 6;
    s.wz_new = -0.75;
    s.W_poln = 12.5f;
    const RunRow row = row_of(s);
    EXPECT_DOUBLE_EQ(row.fi_deg, 30);
    EXPECT_EQ(std::make_tuple(row.t, row.wz, row.W), std::make_tuple(0.5, -0.75, 12.5f));
}

std::string whole_csv(const RunRecord& r, const CsvDialect& dialect = {})
{
    std::string all;
    write_csv(
        r, [&all](std::string_view piece) { all += piece; }, dialect);
    return all;
}

TEST(CsvExport, WritesNumbersThatReadBackExactlyInEitherDialect)
{
    Characteristics c;
    c.MI = 2;
    c.Mm_L = 0.5;
    RunRecord r;
    r.start(c);
    r.append({0.1, 0, 0.25, 298.79f});
    r.append({0.021708130929, 180, -3, -1.5f});
    r.append({1e20, 360, 0, 0.1f});
    const struct {
        CsvDialect dialect;
        const char* text;
    } cases[] = {
        {{},
         "t_s,fi_deg,wz_rad_s,W_J,W_kin_J,W_pot_J,D_lin_J,D_quad_J\n"
         "0.1,0,0.25,298.79,0.0625,-4.907,0,0\n"
         "0.021708130929,180,-3,-1.5,9,4.907,0,0\n"
         "1e+20,360,0,0.1,0,-4.907,0,0\n"},
        // For a spreadsheet of a Russian desktop.
        {excel_csv(","), "\xEF\xBB\xBFt_s;fi_deg;wz_rad_s;W_J;W_kin_J;W_pot_J;D_lin_J;D_quad_J\n"
                         "0,1;0;0,25;298,79;0,0625;-4,907;0;0\n"
                         "0,021708130929;180;-3;-1,5;9;4,907;0;0\n"
                         "1e+20;360;0;0,1;0;-4,907;0;0\n"},
        {excel_csv("."), "\xEF\xBB\xBFt_s;fi_deg;wz_rad_s;W_J;W_kin_J;W_pot_J;D_lin_J;D_quad_J\n"
                         "0.1;0;0.25;298.79;0.0625;-4.907;0;0\n"
                         "0.021708130929;180;-3;-1.5;9;4.907;0;0\n"
                         "1e+20;360;0;0.1;0;-4.907;0;0\n"},
    };
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        for (const auto& c : cases)
            EXPECT_EQ(whole_csv(r, c.dialect), c.text) << locale;
    }
    RunRecord empty;
    EXPECT_EQ(whole_csv(empty), csv_header);
}

TEST(CsvExport, HandsALongRunOverInPieces)
{
    RunRecord r;
    r.start({});
    for (int i = 1; i <= 20000; ++i)
        r.append({i * 0.01, -i * 0.5, i * 0.25, 1.0f});
    std::vector<std::size_t> pieces;
    std::string joined;
    write_csv(r, [&](std::string_view piece) {
        pieces.push_back(piece.size());
        joined += piece;
    });
    EXPECT_GT(pieces.size(), 1u);
    EXPECT_LE(*std::max_element(pieces.begin(), pieces.end()), 70u * 1024);
    // Every row once, in order, none cut at a piece's end.
    EXPECT_EQ(std::count(joined.begin(), joined.end(), '\n'), 20001);
    EXPECT_EQ(joined.substr(0, joined.find('\n', csv_header.size()) + 1),
              std::string(csv_header) + "0.01,-0.5,0.25,1,0,-0,0,0\n");
    EXPECT_EQ(joined.substr(joined.rfind('\n', joined.size() - 2) + 1), "200,-10000,5000,1,0,-0,0,0\n");
    EXPECT_NE(joined.find("\n100,-5000,2500,1,0,-0,0,0\n"), std::string::npos) << "no row is lost";
}

} // namespace
} // namespace vp
