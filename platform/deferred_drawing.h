// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/persistent_surface.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vp {

// A surface whose redraws are put off until they are needed. A clear()
// begins a redraw: it and the verbs after it are written down, not drawn,
// and settle() draws them. A redraw begun while another is pending replaces
// it, since its clear would have erased all the other drew: redraws in quick
// succession cost one, the last. A redraw of the same verbs with the same
// arguments as the one the surface holds, on a surface unchanged since, is
// not drawn again.
//
// Whoever reads the surface or shows it settles first. The surface then
// holds exactly what drawing every verb at once would have left: the same
// pixels, pen, line width, line style and scale. Verbs while no redraw is
// pending are drawn at once.
//
// A redraw may copy from another deferred drawing. That one is settled
// before the copy is drawn, and before it begins a redraw of its own it
// settles this one: the copy sees what it would have seen at once.
class DeferredDrawing final : public Surface {
public:
    explicit DeferredDrawing(PersistentSurface& target);
    ~DeferredDrawing() override;
    DeferredDrawing(const DeferredDrawing&) = delete;
    DeferredDrawing& operator=(const DeferredDrawing&) = delete;

    bool pending() const { return pending_; }
    // Called when a redraw is begun with none pending, to have it settled in
    // time.
    void set_on_pending(std::function<void()> on_pending) { on_pending_ = std::move(on_pending); }
    // Draws the pending redraw, if any: the surface can be read.
    void settle();
    // The same, and the redraws that copy from this one are drawn too: the
    // surface can be drawn on directly.
    void settle_for_drawing();
    // The surface is about to lose its drawing (a new size): the pending
    // redraw need not be drawn, only its pen, widths and scale be kept.
    void discard();

    void set_scale(double left, double top, double right, double bottom) override;
    void clear() override;
    void set_line_width(int pixels) override;
    void set_line_style(LineStyle style) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void line_to(double x, double y, Rgb colour) override;
    void dot(double x, double y) override;
    void circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill) override;
    void print(std::string_view text) override;
    void print_inside(std::string_view text) override;
    void move_to(double x, double y) override;
    LogicalPoint pen() const override;
    Rgb foreground() const override { return target_.foreground(); }
    void copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key) override;
    void clear_and_copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key) override;

private:
    enum class Verb : std::uint8_t { scale, width, style, line, line_to, dot, circle, print, print_inside, move, copy };
    struct Op {
        Verb verb = Verb::scale;
        double a = 0, b = 0, c = 0, d = 0;
        int n = 0;
        Rgb colour;
        std::optional<Rgb> fill;
        std::string text;
        const Surface* source = nullptr;
        PixelRect from, to;
    };
    // The parts of the state a verb takes from earlier calls.
    enum Part : unsigned { pen_part = 1, width_part = 2, style_part = 4, scale_part = 8 };
    // Besides the verbs, what decides what a redraw draws: the surface and
    // the surfaces it copies from.
    struct Circumstances {
        std::uint64_t generation = 0;
        std::vector<std::uint64_t> source_generations;
        bool operator==(const Circumstances& other) const
        {
            return generation == other.generation && source_generations == other.source_generations;
        }
    };

    static bool same(const Op& a, const Op& b);
    Op& record(Verb verb, unsigned reads);
    void take(unsigned parts);
    void forget_sources();
    void settle_readers();
    const Surface& settled(const Surface& source);
    Circumstances circumstances() const;
    bool holds_already(const Circumstances& now) const;
    void draw();

    PersistentSurface& target_;
    bool pending_ = false;
    std::function<void()> on_pending_;
    // The pending redraw: its verbs, the state it began from and the state
    // after them, and which parts of the start the verbs took.
    std::vector<Op> ops_;
    DrawingState start_;
    DrawingState state_;
    unsigned set_parts_ = 0;
    unsigned start_parts_ = 0;
    // The redraw the surface holds, as it was drawn.
    std::vector<Op> drawn_ops_;
    DrawingState drawn_start_;
    unsigned drawn_start_parts_ = 0;
    std::optional<Circumstances> drawn_;
    // The deferred drawings the pending redraw copies from, and those whose
    // pending redraws copy from this one.
    std::vector<DeferredDrawing*> sources_;
    std::vector<DeferredDrawing*> readers_;
};

} // namespace vp
