// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/csv_export.h"

#include "analysis/plain_numbers.h"

namespace vp {

void write_csv(const RunRecord& record, const std::function<void(std::string_view)>& sink)
{
    constexpr std::size_t piece = 64 * 1024;
    std::string text(csv_header);
    text.reserve(piece + 128);
    for (std::size_t i = 0; i < record.size(); ++i) {
        const RunRow r = record.row(i);
        text += shortest_text(r.t);
        text += ',';
        text += shortest_text(r.fi_deg);
        text += ',';
        text += shortest_text(r.wz);
        text += ',';
        text += shortest_text(r.W);
        const EnergyRow e = record.energy(i);
        for (const double v : {e.W_kin, e.W_pot, e.D_lin, e.D_quad}) {
            text += ',';
            text += shortest_text(v);
        }
        text += '\n';
        if (text.size() >= piece) {
            sink(text);
            text.clear();
        }
    }
    if (!text.empty())
        sink(text);
}

} // namespace vp
