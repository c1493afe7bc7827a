// SPDX-License-Identifier: GPL-3.0-or-later
// A series against the main window: a point is the window's run to the bit,
// the batch command's results file is the window's, the boxes without a
// window place a parameter file as the window does; and the series window
// as a student uses it.
#include "analysis/table_texts.h"
#include "batch/batch_command.h"
#include "form1_test_support.h"
#include "platform/canvas_widget.h"
#include "series/point_run.h"
#include "series/quantity_names.h"
#include "series/series_table.h"
#include "shell/analysis_window.h"
#include "shell/picture_tools.h"
#include "texts/number_text.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLogValueAxis>
#include <QMenu>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <sstream>

namespace vp::testing {
namespace {

QByteArray file_bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The results file's bytes for these lines: Windows-1251, CR LF.
QByteArray cp1251_file(const std::vector<std::string>& lines)
{
    QStringEncoder encode("windows-1251");
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray(encode.encode(QString::fromStdString(line))) + "\r\n";
    return bytes;
}

std::string separator()
{
    return QLocale().decimalPoint().toStdString();
}

// The main window runs with "файл" ticked; its results file.
QByteArray window_results(Lab& lab)
{
    lab.form->controls().Check_p->click();
    lab.form->CmdOK_Click();
    return file_bytes(lab.folder.filePath(QStringLiteral("vibrel_out.txt")));
}

void type_entered(Lab& lab, Quantity q, double value)
{
    lab.form->controls().box(q)->setText(QString::fromStdString(plain_number_text(value)));
}

TEST(SeriesPoint, IsTheWindowsRunToTheBit)
{
    struct Case {
        const char* what;
        std::vector<std::pair<Quantity, double>> base; // typed into the boxes before
        Quantity varied;
        double value;
    };
    const Case cases[] = {
        {"the defaults, a viscosity the box rounds", {{Quantity::Tmax, 3}}, Quantity::eta, 0.0123456789},
        {"a heavy sphere in oil, the angle",
         {{Quantity::massa, 44.17}, {Quantity::ro_0, 961}, {Quantity::eta, 0.99}},
         Quantity::fi0,
         63.25},
        // The step is taken in stable sub-steps there.
        {"honey thick enough for sub-steps", {{Quantity::Tmax, 1}}, Quantity::eta, 3000},
        {"a light body, the time", {{Quantity::wz0, 1.5}}, Quantity::Tmax, 2.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lab lab;
        for (const auto& [q, v] : c.base)
            type_entered(lab, q, v);
        const LabInputs base = lab.form->series_inputs();
        std::vector<BoxMessage> messages;
        LabInputs point = point_inputs(base, c.varied, c.value, messages);
        ASSERT_EQ(first_error(messages), nullptr);
        RunRecord record;
        const LabRun run = run_laboratory(point, record, separator());
        ASSERT_TRUE(run.started) << run.message;
        ASSERT_EQ(run.end, RunEnd::reached_tmax);

        type_entered(lab, c.varied, c.value);
        for (const QuantityRow& row : quantity_table())
            EXPECT_EQ(quantity(lab.form->lab().p, row.quantity), quantity(point.p, row.quantity)) << row.name;
        const QByteArray in_window = window_results(lab);
        ASSERT_GT(in_window.size(), 0);
        EXPECT_EQ(in_window, cp1251_file(results_file_lines(point, record, separator())));
        const RunRecord& kept = lab.form->lab().run_record;
        ASSERT_EQ(kept.size(), record.size());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const RunRow a = kept.row(i), b = record.row(i);
            ASSERT_TRUE(a.t == b.t && a.fi_deg == b.fi_deg && a.wz == b.wz && a.W == b.W) << "step " << i;
        }
    }
}

// The files the heading's click loads in the window, and the boxes without
// a window placing them: the same quantities, texts and messages.
TEST(BoxEntry, PlacesAParameterFileAsTheWindowDoes)
{
    // The sample's layout with another mass, loaded twice: the second load
    // finds the box's text unchanged.
    const auto with_mass = [](const char* massa) {
        return QByteArray("m,") + massa +
               ",\nd2,0.4,\nd1,0.3,\nc,.47,\nL,1.5,\nM,.5881,\nD,.008,\nc,1.2,\nro,1000,\neta,0.001004,\nfi,37,\n"
               "wz,0,\nT,16,\n";
    };
    const struct {
        const char* what;
        QByteArray bytes;
        int loads;
    } files[] = {
        {"the sample", file_bytes(QStringLiteral(VP_SAMPLE_PARAMETERS)), 1},
        {"d2 below the old d1",
         "m,15.499,\nd2,0.2,\nd1,0.1,\nc,.47,\nL,1.5,\nM,.5881,\nD,.008,\nc,1.2,\nro,1000,\neta,0.001004,\nfi,37,\n"
         "wz,-3.5,\nT,16,\n,\n",
         1},
        {"an unchanged text keeps the unrounded value",
         "m,15.49904,\nd2,0.4,\nd1,0.3,\nc,.47,\nL,1.5,\nM,.5881,\nD,.008,\nc,1.2,\nro,0,\neta,0,\nfi,0,\nwz,0,\nT,"
         "16.5678,\n",
         1},
        {"a negative mass under an unchanged text", with_mass("-0.00001"), 2},
        {"a mass too small to show", with_mass("1e-320"), 2},
        {"a short file", "m,3,\nd2,0.5,\n", 1},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        Lab lab;
        write_file(lab.folder.filePath(QStringLiteral("vibrel_in.txt")), f.bytes);
        LabInputs entry;
        std::vector<BoxMessage> messages;
        start_up(entry, messages);
        EXPECT_TRUE(messages.empty());
        const FieldReading reading = read_parameter_fields(std::string_view(f.bytes.constData(), f.bytes.size()));
        std::vector<QString> said;
        for (int load = 0; load < f.loads; ++load) {
            lab.form->Label10_Click();
            messages.clear();
            place_fields(entry, reading, messages);
            for (const BoxMessage& m : messages)
                said.push_back(QString::fromStdString(m.message.text));
            if (reading.values_missing())
                said.push_back(QString::fromStdString(parameter_file_ended_early(reading).text));
        }

        const LabInputs window = lab.form->series_inputs();
        EXPECT_EQ(entry.texts, window.texts);
        for (const QuantityRow& row : quantity_table())
            EXPECT_EQ(quantity(entry.p, row.quantity), quantity(window.p, row.quantity)) << row.name;
        EXPECT_EQ(entry.p.r_shar_2, window.p.r_shar_2);
        EXPECT_EQ(entry.p.r_shar_1, window.p.r_shar_1);
        ASSERT_EQ(said.size(), lab.doubles.boxes.shown.size());
        for (std::size_t i = 0; i < said.size(); ++i)
            EXPECT_EQ(said[i], lab.doubles.boxes.shown[i].text);
    }
}

TEST(BatchCommand, ItsResultsFileAndCsvAreTheWindows)
{
    Lab lab;
    const QString parameters = lab.folder.filePath(QStringLiteral("vibrel_in.txt"));
    write_file(parameters, file_bytes(QStringLiteral(VP_SAMPLE_PARAMETERS)));
    lab.form->Label10_Click();
    const QByteArray in_window = window_results(lab);
    ASSERT_GT(in_window.size(), 1000);
    std::string window_csv;
    write_csv(lab.form->lab().run_record, [&window_csv](std::string_view piece) { window_csv += piece; });

    const QString results = lab.folder.filePath(QStringLiteral("out.txt"));
    const QString csv = lab.folder.filePath(QStringLiteral("run.csv"));
    std::ostringstream out, err;
    const int status =
        run_batch({"--results", results.toStdString(), "--csv", csv.toStdString(), parameters.toStdString()}, out, err,
                  BatchEnvironment{separator(), false, {}});
    EXPECT_EQ(status, batch_ok) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(file_bytes(results), in_window);
    EXPECT_EQ(file_bytes(csv), QByteArray::fromStdString(window_csv));
    EXPECT_EQ(out.str(), characteristics_text(lab.form->lab().p, lab.form->lab().c, separator()));
}

// Waits, handling the window's events, until the series window is idle.
void wait_until_idle(const SeriesWindow& window)
{
    while (window.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QAction* picture_item(const Lab& lab, const QString& text)
{
    for (PictureTools* tools : lab.form->controls().Picture3->findChildren<PictureTools*>()) {
        for (QAction* a : tools->menu()->actions()) {
            if (a->text() == text)
                return a;
        }
    }
    return nullptr;
}

TEST(SeriesWindow, OneWindowFromTheMenusTheAnalysisAndCtrlR)
{
    Lab lab;
    QAction* item = picture_item(lab, QStringLiteral("Серия опытов…"));
    ASSERT_NE(item, nullptr);
    item->trigger();
    SeriesWindow* window = lab.form->series_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Серия опытов"));
    EXPECT_TRUE(window->isVisible());
    window->hide();

    QAction* shortcut = lab.form->findChild<QAction*>(QStringLiteral("actSeries"));
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    shortcut->trigger();
    EXPECT_TRUE(window->isVisible());

    picture_item(lab, QStringLiteral("Анализ колебаний…"))->trigger();
    lab.form->analysis_window()->findChild<QPushButton*>(QStringLiteral("CmdSeries"))->click();
    EXPECT_EQ(lab.form->findChildren<SeriesWindow*>().size(), 1);
    EXPECT_EQ(lab.form->series_window(), window);
}

TEST(SeriesWindow, AStudentsSeriesItsPlotThresholdAndARowLoaded)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("8"));
    lab.form->show_series();
    SeriesWindow& w = *lab.form->series_window();
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("SeriesQuantity"))->currentText(), QStringLiteral("η (Па·с)"));
    w.findChild<QSpinBox*>(QStringLiteral("SeriesCount"))->setValue(5);
    w.calculate();
    wait_until_idle(w);
    ASSERT_EQ(w.points().size(), 5u);
    std::vector<SeriesPoint> points;
    for (const auto& p : w.points()) {
        ASSERT_TRUE(p && p->computed);
        points.push_back(*p);
    }
    EXPECT_EQ(points.front().text, "0.0010000");
    EXPECT_EQ(points.back().value, 10);
    EXPECT_EQ(w.table_text().toStdString(), series_table_text(points, Quantity::eta, separator()));
    EXPECT_TRUE(w.status_text().startsWith(QStringLiteral("Серия рассчитана: точек 5.")));

    // Measured as points, theory as a line, on log axes: the values are in ratio.
    QChart* chart = w.findChild<QChartView*>(QStringLiteral("SeriesPlot"))->chart();
    ASSERT_EQ(chart->series().size(), 2);
    const auto* measured = qobject_cast<QScatterSeries*>(chart->series().at(1));
    ASSERT_NE(measured, nullptr);
    EXPECT_EQ(measured->count(), 5);
    EXPECT_EQ(chart->axes(Qt::Horizontal).size(), 1);
    EXPECT_NE(qobject_cast<QLogValueAxis*>(chart->axes(Qt::Horizontal).at(0)), nullptr);

    // The spreadsheets' CSV, chosen in the dialog.
    lab.doubles.dialogs.answer = lab.folder.filePath(QStringLiteral("серия.csv"));
    lab.doubles.dialogs.chosen_filter = QStringLiteral("CSV для Excel (*.csv)");
    w.save_data();
    EXPECT_EQ(lab.doubles.dialogs.filters_offered.back(), QStringLiteral("CSV (*.csv);;CSV для Excel (*.csv)"));
    EXPECT_EQ(file_bytes(lab.doubles.dialogs.answer),
              QByteArray::fromStdString(series_csv(points, Quantity::eta, excel_csv(separator()))));

    // The plot as an image, PNG or PDF by the name given.
    lab.doubles.dialogs.chosen_filter.clear();
    for (const auto& [name, magic] : {std::pair{"plot.png", "\x89PNG"}, std::pair{"plot.pdf", "%PDF"}}) {
        lab.doubles.dialogs.answer = lab.folder.filePath(QString::fromLatin1(name));
        w.save_image();
        EXPECT_TRUE(file_bytes(lab.doubles.dialogs.answer).startsWith(magic)) << name;
    }
    EXPECT_TRUE(lab.doubles.boxes.shown.empty());

    // The third row into the main window, run there: the same motion.
    w.load_row(2);
    EXPECT_EQ(lab.text("Text5"), QString::fromStdString(points[2].text));
    EXPECT_EQ(lab.form->lab().p.eta, points[2].value);
    lab.form->CmdOK_Click();
    EXPECT_EQ(lab.form->lab().run_record.size(), points[2].steps);
    SwingAnalysis analysis;
    analysis.update(lab.form->lab().run_record);
    EXPECT_EQ(analysis.turning_points().size(), points[2].turning_points);
    EXPECT_EQ(analysis.mean_log_decrement(), points[2].comparisons[2].measured);

    // During a run of the main window a row is not loaded.
    lab.doubles.pause.requested.clear();
    lab.doubles.pause.during = [&w](int step) {
        if (step == 1)
            w.load_row(0);
    };
    lab.form->CmdOK_Click();
    EXPECT_EQ(w.status_text(), QStringLiteral("В главном окне идёт расчёт: параметры строки не загружены."));
    EXPECT_EQ(lab.form->lab().p.eta, points[2].value);

    w.find_threshold();
    wait_until_idle(w);
    ASSERT_TRUE(w.threshold() && w.threshold()->found) << w.threshold_text().toStdString();
    EXPECT_TRUE(w.threshold_text().startsWith(QStringLiteral("Граница апериодичности: η (Па·с) = ")))
        << w.threshold_text().toStdString();
    EXPECT_TRUE(w.threshold_text().contains(QStringLiteral("Рядом η_кр = ")));
}

TEST(SeriesWindow, StopLeavesTheFinishedRows)
{
    Lab lab;
    lab.form->show_series();
    SeriesWindow& w = *lab.form->series_window();
    w.findChild<QSpinBox*>(QStringLiteral("SeriesCount"))->setValue(1000);
    w.calculate();
    EXPECT_TRUE(w.busy());
    w.stop();
    wait_until_idle(w);
    const auto done = std::count_if(w.points().begin(), w.points().end(), [](const auto& p) { return p.has_value(); });
    EXPECT_LT(done, 1000);
    EXPECT_TRUE(w.status_text().startsWith(QStringLiteral("Серия остановлена: готово точек %1 из 1000.").arg(done)))
        << w.status_text().toStdString();
    EXPECT_TRUE(w.table_text().endsWith(QStringLiteral("\tне рассчитано: серия остановлена\n")));
}

} // namespace
} // namespace vp::testing
