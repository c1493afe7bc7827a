// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_command.h"

#include "analysis/run_explanation.h"
#include "analysis/swing_analysis.h"
#include "analysis/table_texts.h"
#include "batch/batch_options.h"
#include "input/parameter_file.h"
#include "model/run_check.h"
#include "platform/text_files.h"
#include "series/answer_key.h"
#include "series/point_run.h"
#include "series/quantity_names.h"
#include "series/series.h"
#include "series/series_table.h"
#include "series/threshold.h"
#include "series/variants.h"
#include "texts/number_text.h"
#include "texts/run_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>

namespace vp {
namespace {

QString path_of(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

// "viscous-pendulum-batch: " and the message, one line.
void complain(std::ostream& err, const std::string& text)
{
    err << batch_program << ": " << text << '\n';
}

std::string file_said(const std::string& name)
{
    return "файл «" + name + "»";
}

// Shows "what: n из total" on one line of the terminal, once the work has
// taken a second; clears it at the end.
class Progress {
public:
    Progress(std::ostream& err, const BatchEnvironment& env) : err_(err), env_(env), started_(now()) {}
    ~Progress()
    {
        if (shown_)
            err_ << "\r\033[K" << std::flush;
    }
    void show(const std::string& text)
    {
        if (!env_.progress || now() - started_ < 1)
            return;
        err_ << "\r\033[K" << text << std::flush;
        shown_ = true;
    }

private:
    double now() const { return env_.clock ? env_.clock() : 0; }
    std::ostream& err_;
    const BatchEnvironment& env_;
    double started_;
    bool shown_ = false;
};

// What a text is handed to the file in: pieces, in order.
using Pieces = std::function<void(const std::function<void(std::string_view)>& sink)>;

class Batch {
public:
    Batch(const BatchOptions& o, std::ostream& out, std::ostream& err, const BatchEnvironment& env)
        : o_(o), out_(out), err_(err), env_(env), dialect_(o.excel ? excel_csv(env.decimal_separator) : CsvDialect{})
    {
    }

    int run()
    {
        if (!load())
            return batch_failed;
        if (o_.variants)
            return variants();
        parametr(lab_.p, lab_.run.n_tochek, lab_.c);
        if (const RunRefusal refusal = run_refusal(lab_.p, lab_.c); refusal != RunRefusal::none) {
            complain(err_, file_said(o_.parameter_file) + ": " +
                               refusal_message(refusal, lab_.p, lab_.c, 0.01 * lab_.run.zamedlenie));
            return batch_failed;
        }
        if (!o_.series_to_standard_output())
            out_ << characteristics_text(lab_.p, lab_.c, env_.decimal_separator);
        int status = batch_ok;
        if (o_.results || (o_.csv && !o_.vary) || o_.analysis)
            status = std::max(status, single_run());
        if (o_.vary)
            status = std::max(status, series());
        if (o_.threshold)
            status = std::max(status, threshold());
        return status;
    }

private:
    // The parameter file, read and placed into the boxes of a window just
    // started as a click on "Параметры задачи" reads and places it. A file
    // that is no parameter file, or one that ends before its thirteenth
    // value, is not computed.
    bool load()
    {
        std::vector<BoxMessage> messages;
        start_up(lab_, messages);
        RegularFileReader file;
        const auto unreadable = [&] {
            complain(err_, file_said(o_.parameter_file) + " не прочитан: " + file.reason().toStdString());
            return false;
        };
        const auto unfit = [&](std::string_view why) {
            complain(err_, file_said(o_.parameter_file) + " не годится: " + std::string(why));
            return false;
        };
        if (!file.open(path_of(o_.parameter_file)))
            return unreadable();
        if (file.size() > static_cast<long long>(max_parameter_file_bytes))
            return unfit(too_large_file_reason);
        const FieldReading reading =
            read_parameter_fields([&file](char* buffer, std::size_t size) { return file.read(buffer, size); });
        if (!file.reason().isEmpty())
            return unreadable();
        if (const std::optional<std::string_view> why = not_a_parameter_file_reason(reading))
            return unfit(*why);
        if (reading.values_missing())
            return unfit("в нём " + std::to_string(reading.fields_read) + " полей из " +
                         std::to_string(parameter_file_fields) + ", значений " + std::to_string(reading.values.size()) +
                         " из " + std::to_string(quantity_count));
        place_fields(lab_, reading, messages);
        // The boxes' errors and warnings, as the window shows them while it
        // loads the file: the values they put in place of the file's stay.
        for (const BoxMessage& m : messages) {
            err_ << batch_program << ": " << o_.parameter_file << ": " << m.message.title() << ", "
                 << quantity_label(m.quantity) << ": " << m.message.text << '\n';
        }
        return true;
    }

    int single_run()
    {
        LabInputs lab = lab_;
        RunRecord record;
        const LabRun run = run_laboratory(lab, record, env_.decimal_separator);
        int status = batch_ok;
        if (!run.message.empty()) {
            complain(err_, file_said(o_.parameter_file) + ": " + run.message);
            status = batch_failed;
        }
        if (o_.results && !write_results(lab, record))
            status = batch_failed;
        if (o_.csv && !o_.vary && !write_file(*o_.csv, [&](const auto& sink) { write_csv(record, sink, dialect_); }))
            status = batch_failed;
        if (o_.analysis) {
            SwingAnalysis analysis;
            analysis.update(record);
            out_ << '\n' << swing_table_text(analysis, explain_run(record), true, env_.decimal_separator);
        }
        return status;
    }

    bool write_results(const LabInputs& lab, const RunRecord& record)
    {
        Cp1251Writer file;
        bool written = file.open(path_of(*o_.results));
        for (const std::string& line : results_file_lines(lab, record, env_.decimal_separator)) {
            if (!written)
                break;
            written = file.write_line(line);
        }
        if (!written)
            complain(err_, file_said(*o_.results) + " не записан: " + file.error().toStdString());
        return written;
    }

    // The file whole, or, failing, none: any file of that name stays as it
    // was.
    bool write_file(const std::string& name, const Pieces& pieces)
    {
        WholeFileWriter file;
        bool written = file.open(path_of(name));
        pieces([&](std::string_view piece) { written = written && file.write(piece.data(), piece.size()); });
        if (written && file.commit())
            return true;
        complain(err_, file_said(name) + " не записан: " + file.error().toStdString());
        return false;
    }

    unsigned threads() const { return o_.threads == 0 ? Workers::all_cores() : o_.threads; }

    // The points of a run of the series engine, waited for with a line of
    // progress (`unit`: "точек"); `start` makes the run with the two
    // callbacks it is given.
    template <typename Start>
    std::vector<SeriesPoint> points_of(std::size_t count, const std::string& what, const std::string& unit,
                                       const Start& start)
    {
        std::vector<SeriesPoint> points(count);
        std::mutex m;
        std::condition_variable changed;
        std::size_t done = 0;
        bool finished = false;
        Progress progress(err_, env_);
        {
            const std::unique_ptr<SeriesRun> run = start(
                [&](std::size_t i, const SeriesPoint& p) {
                    const std::lock_guard<std::mutex> lock(m);
                    points[i] = p;
                    ++done;
                    changed.notify_one();
                },
                [&] {
                    const std::lock_guard<std::mutex> lock(m);
                    finished = true;
                    changed.notify_one();
                });
            std::unique_lock<std::mutex> lock(m);
            while (!finished) {
                changed.wait_for(lock, std::chrono::milliseconds(100));
                progress.show(what + ": " + std::to_string(done) + " из " + std::to_string(count) + " " + unit);
            }
        }
        return points;
    }

    int series()
    {
        SeriesRequest request{lab_, o_.vary->quantity, o_.vary->values.values, env_.decimal_separator};
        const std::size_t count = request.values.size();
        const std::vector<SeriesPoint> points =
            points_of(count, "серия", "точек", [&](SeriesRun::PointDone done, std::function<void()> finished) {
                return std::make_unique<SeriesRun>(std::move(request), threads(), std::move(done), std::move(finished));
            });
        const std::string table = series_csv(points, o_.vary->quantity, dialect_);
        if (!o_.csv) {
            out_ << table;
            return batch_ok;
        }
        return write_file(*o_.csv, [&table](const auto& sink) { sink(table); }) ? batch_ok : batch_failed;
    }

    // The variants' files and their answers in the folder of --out. The
    // files of an earlier run there are replaced.
    int variants()
    {
        const VariantSet set = draw_variants(lab_, o_.ranges, *o_.seed, *o_.variants);
        if (!set.error.empty()) {
            complain(err_, set.error);
            return batch_failed;
        }
        const std::string folder = o_.out.value_or("");
        const auto in_folder = [&folder](std::string_view name) {
            return folder.empty() || folder.back() == '/' ? folder + std::string(name)
                                                          : folder + "/" + std::string(name);
        };
        if (!folder.empty()) {
            if (QFileInfo::exists(path_of(folder)) && !QFileInfo(path_of(folder)).isDir()) {
                complain(err_, "«" + folder + "» — не папка: варианты в неё не записать");
                return batch_failed;
            }
            if (!QDir().mkpath(path_of(folder))) {
                complain(err_, "папка «" + folder + "» не создана");
                return batch_failed;
            }
        }
        // The answers first, the files after: a run interrupted on the way
        // leaves no new variants beside an old answer key.
        std::vector<LabInputs> inputs;
        for (const Variant& v : set.variants)
            inputs.push_back(v.lab);
        const std::size_t count = inputs.size();
        const std::vector<SeriesPoint> points =
            points_of(count, "ответы", "вариантов", [&](SeriesRun::PointDone done, std::function<void()> finished) {
                return std::make_unique<SeriesRun>(std::move(inputs), env_.decimal_separator, threads(),
                                                   std::move(done), std::move(finished));
            });
        const std::string answers = answer_key_csv(set.variants, points, set.drawn, dialect_);
        for (const Variant& v : set.variants) {
            if (!write_file(in_folder(v.name), [&v](const auto& sink) { sink(v.file); }))
                return batch_failed;
        }
        warn_of_other_variants(folder, set.variants);
        const std::string answers_path = in_folder(answer_key_file_name);
        if (!write_file(answers_path, [&answers](const auto& sink) { sink(answers); }))
            return batch_failed;
        int status = batch_ok;
        for (std::size_t i = 0; i < count; ++i) {
            if (!points[i].computed) {
                complain(err_, set.variants[i].name + ": " + points[i].reason);
                status = batch_failed;
            }
        }
        out_ << count << ' ' << plural_form(static_cast<long long>(count), "вариант", "варианта", "вариантов") << ": "
             << in_folder(set.variants.front().name) << " … " << in_folder(set.variants.back().name) << ", ответы — "
             << answers_path << '\n';
        return status;
    }

    // Variant files an earlier, larger run left in the folder have no row in
    // the new answers: they are named, not deleted.
    void warn_of_other_variants(const std::string& folder, const std::vector<Variant>& variants)
    {
        QStringList names;
        for (const Variant& v : variants)
            names << QString::fromStdString(v.name);
        const QStringList found = QDir(folder.empty() ? QStringLiteral(".") : path_of(folder))
                                      .entryList({QStringLiteral("variant-*.txt")}, QDir::Files, QDir::Name);
        QStringList others;
        for (const QString& name : found)
            if (!names.contains(name))
                others << name;
        if (!others.isEmpty())
            complain(err_, "предупреждение: в папке остались файлы прежних вариантов, которых нет в ответах: " +
                               others.join(QStringLiteral(", ")).toStdString());
    }

    int threshold()
    {
        const Quantity q = *o_.threshold;
        Progress progress(err_, env_);
        RunRecord record;
        const std::optional<Threshold> t =
            find_threshold({lab_, q, env_.decimal_separator}, record, nullptr, [&progress](int runs) {
                progress.show("граница апериодичности: расчётов " + std::to_string(runs));
            });
        if (!t || !t->found) {
            complain(err_, "граница апериодичности по " + std::string(quantity_name(q)) +
                               " не найдена: " + (t ? t->reason : std::string()));
            return batch_failed;
        }
        const auto shown = [this](double v) {
            return with_decimal_separator(format_number(v, "0.0000E+00"), env_.decimal_separator);
        };
        out_ << "граница апериодичности\t" << quantity_name(q) << '\t' << shown(t->value) << '\n'
             << "колебания при\t" << shown(t->oscillating) << '\n'
             << "апериодическое при\t" << shown(t->aperiodic) << '\n'
             << "расчётов\t" << t->runs << '\n';
        if (q == Quantity::eta && std::isfinite(lab_.c.eta_kr) && lab_.c.eta_kr > 0) {
            out_ << "η_кр, Па·с\t" << shown(lab_.c.eta_kr) << '\n'
                 << "отличие от η_кр, %\t"
                 << with_decimal_separator(format_number((t->value - lab_.c.eta_kr) / lab_.c.eta_kr * 100, "0.00"),
                                           env_.decimal_separator)
                 << '\n';
        }
        return batch_ok;
    }

    const BatchOptions& o_;
    std::ostream& out_;
    std::ostream& err_;
    const BatchEnvironment& env_;
    const CsvDialect dialect_;
    LabInputs lab_;
};

} // namespace

int run_batch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
              const BatchEnvironment& environment)
{
    const ParsedBatchOptions parsed = parse_batch_options(arguments);
    if (!parsed.error.empty()) {
        complain(err, parsed.error);
        err << "Подробнее: " << batch_program << " --help\n";
        return batch_usage;
    }
    if (parsed.options.help) {
        out << batch_help();
        return batch_ok;
    }
    if (parsed.options.version) {
        out << batch_program << ' ' << VP_VERSION << '\n';
        return batch_ok;
    }
    return Batch(parsed.options, out, err, environment).run();
}

} // namespace vp
