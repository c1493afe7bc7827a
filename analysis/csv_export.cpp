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
