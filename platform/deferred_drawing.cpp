// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/deferred_drawing.h"

#include <algorithm>
#include <cstring>

namespace vp {
namespace {

// The same double to the bit: a redraw is drawn again unless its arguments
// are exactly those drawn before.
bool same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool same(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool same(const LogicalRect& a, const LogicalRect& b)
{
    return same(a.left, b.left) && same(a.top, b.top) && same(a.right, b.right) && same(a.bottom, b.bottom);
}

} // namespace

DeferredDrawing::DeferredDrawing(PersistentSurface& target) : target_(target)
{
}

DeferredDrawing::~DeferredDrawing()
{
    // What copies from this drawing is drawn while this can still be read.
    settle_readers();
    forget_sources();
}

bool DeferredDrawing::same(const Op& a, const Op& b)
{
    return a.verb == b.verb && vp::same(a.a, b.a) && vp::same(a.b, b.b) && vp::same(a.c, b.c) && vp::same(a.d, b.d) &&
           a.n == b.n && a.colour == b.colour && a.fill == b.fill && a.text == b.text && a.source == b.source &&
           vp::same(a.from, b.from) && vp::same(a.to, b.to);
}

DeferredDrawing::Op& DeferredDrawing::record(Verb verb, unsigned reads)
{
    take(reads);
    Op& op = ops_.emplace_back();
    op.verb = verb;
    return op;
}

// The parts a verb reads that no verb of the redraw has set come from the
// state the redraw began with.
void DeferredDrawing::take(unsigned parts)
{
    start_parts_ |= parts & ~set_parts_;
}

void DeferredDrawing::settle_readers()
{
    const std::vector<DeferredDrawing*> readers = std::move(readers_);
    readers_.clear();
    for (DeferredDrawing* reader : readers)
        reader->settle();
}

void DeferredDrawing::forget_sources()
{
    for (DeferredDrawing* source : sources_) {
        auto& readers = source->readers_;
        readers.erase(std::remove(readers.begin(), readers.end(), this), readers.end());
    }
    sources_.clear();
}

const Surface& DeferredDrawing::settled(const Surface& source)
{
    auto* deferred = const_cast<DeferredDrawing*>(dynamic_cast<const DeferredDrawing*>(&source));
    if (deferred == nullptr)
        return source;
    // Settling draws what the source already is; it stays the same drawing.
    deferred->settle();
    return deferred->target_;
}

void DeferredDrawing::settle()
{
    if (!pending_)
        return;
    pending_ = false;
    for (DeferredDrawing* source : sources_)
        source->settle();
    Circumstances now = circumstances();
    if (holds_already(now)) {
        target_.set_drawing_state(state_);
    } else {
        draw();
        now.generation = target_.generation();
        drawn_ = std::move(now);
        drawn_ops_.swap(ops_);
        drawn_start_ = start_;
        drawn_start_parts_ = start_parts_;
    }
    ops_.clear();
    forget_sources();
}

void DeferredDrawing::settle_for_drawing()
{
    settle();
    settle_readers();
}

void DeferredDrawing::discard()
{
    if (!pending_)
        return;
    settle_readers();
    if (!pending_)
        return;
    pending_ = false;
    target_.set_drawing_state(state_);
    ops_.clear();
    forget_sources();
    drawn_.reset();
}

DeferredDrawing::Circumstances DeferredDrawing::circumstances() const
{
    Circumstances c{target_.generation(), {}};
    for (const DeferredDrawing* source : sources_)
        c.source_generations.push_back(source->target_.generation());
    return c;
}

bool DeferredDrawing::holds_already(const Circumstances& now) const
{
    if (!drawn_ || !(now == *drawn_))
        return false;
    if (start_parts_ != drawn_start_parts_ || ops_.size() != drawn_ops_.size())
        return false;
    const DrawingState& a = start_;
    const DrawingState& b = drawn_start_;
    if (((start_parts_ & pen_part) && !(vp::same(a.pen.x, b.pen.x) && vp::same(a.pen.y, b.pen.y))) ||
        ((start_parts_ & width_part) && a.line_width != b.line_width) ||
        ((start_parts_ & style_part) && a.line_style != b.line_style) ||
        ((start_parts_ & scale_part) && !vp::same(a.scale, b.scale)))
        return false;
    return std::equal(ops_.begin(), ops_.end(), drawn_ops_.begin(),
                      [](const Op& x, const Op& y) { return same(x, y); });
}

void DeferredDrawing::draw()
{
    target_.set_drawing_state(start_);
    // A copy that follows the clear with nothing drawn between hides the
    // clearing: drawn as one, it may redo only what was drawn over since the
    // same copy last time.
    const auto first_drawn = std::find_if(ops_.begin(), ops_.end(), [](const Op& op) {
        return op.verb != Verb::scale && op.verb != Verb::width && op.verb != Verb::style && op.verb != Verb::move;
    });
    const bool copy_first = first_drawn != ops_.end() && first_drawn->verb == Verb::copy;
    if (!copy_first)
        target_.clear();
    for (auto it = ops_.begin(); it != ops_.end(); ++it) {
        const Op& op = *it;
        switch (op.verb) {
        case Verb::scale: target_.set_scale(op.a, op.b, op.c, op.d); break;
        case Verb::width: target_.set_line_width(op.n); break;
        case Verb::style: target_.set_line_style(static_cast<LineStyle>(op.n)); break;
        case Verb::line: target_.line(op.a, op.b, op.c, op.d, op.colour); break;
        case Verb::line_to: target_.line_to(op.a, op.b, op.colour); break;
        case Verb::dot: target_.dot(op.a, op.b); break;
        case Verb::circle: target_.circle(op.a, op.b, op.c, op.colour, op.fill); break;
        case Verb::print: target_.print(op.text); break;
        case Verb::print_inside: target_.print_inside(op.text); break;
        case Verb::move: target_.move_to(op.a, op.b); break;
        case Verb::copy:
            if (it == first_drawn && copy_first)
                target_.clear_and_copy_keyed(settled(*op.source), op.from, op.to, op.colour);
            else
                target_.copy_keyed(settled(*op.source), op.from, op.to, op.colour);
            break;
        }
    }
}

void DeferredDrawing::clear()
{
    // Whatever copies from this drawing copies what it holds now.
    settle_readers();
    forget_sources();
    const bool was_pending = pending_;
    start_ = pending_ ? state_ : target_.drawing_state();
    state_ = start_;
    ops_.clear();
    set_parts_ = 0;
    start_parts_ = 0;
    pending_ = true;
    if (!was_pending && on_pending_)
        on_pending_();
}

void DeferredDrawing::set_scale(double left, double top, double right, double bottom)
{
    if (!pending_) {
        target_.set_scale(left, top, right, bottom);
        return;
    }
    Op& op = record(Verb::scale, 0);
    op.a = left, op.b = top, op.c = right, op.d = bottom;
    state_.scale = {left, top, right, bottom};
    set_parts_ |= scale_part;
}

void DeferredDrawing::set_line_width(int pixels)
{
    if (!pending_) {
        target_.set_line_width(pixels);
        return;
    }
    record(Verb::width, 0).n = pixels;
    state_.line_width = pixels;
    set_parts_ |= width_part;
}

void DeferredDrawing::set_line_style(LineStyle style)
{
    if (!pending_) {
        target_.set_line_style(style);
        return;
    }
    record(Verb::style, 0).n = static_cast<int>(style);
    state_.line_style = style;
    set_parts_ |= style_part;
}

void DeferredDrawing::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (!pending_) {
        settle_readers();
        target_.line(x1, y1, x2, y2, colour);
        return;
    }
    Op& op = record(Verb::line, width_part | style_part | scale_part);
    op.a = x1, op.b = y1, op.c = x2, op.d = y2;
    op.colour = colour;
    state_.pen = {x2, y2};
    set_parts_ |= pen_part;
}

void DeferredDrawing::line_to(double x, double y, Rgb colour)
{
    if (!pending_) {
        settle_readers();
        target_.line_to(x, y, colour);
        return;
    }
    Op& op = record(Verb::line_to, pen_part | width_part | style_part | scale_part);
    op.a = x, op.b = y;
    op.colour = colour;
    state_.pen = {x, y};
    set_parts_ |= pen_part;
}

void DeferredDrawing::dot(double x, double y)
{
    if (!pending_) {
        settle_readers();
        target_.dot(x, y);
        return;
    }
    Op& op = record(Verb::dot, width_part | scale_part);
    op.a = x, op.b = y;
    state_.pen = {x, y};
    set_parts_ |= pen_part;
}

void DeferredDrawing::circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill)
{
    if (!pending_) {
        settle_readers();
        target_.circle(x, y, radius, outline, fill);
        return;
    }
    Op& op = record(Verb::circle, width_part | style_part | scale_part);
    op.a = x, op.b = y, op.c = radius;
    op.colour = outline;
    op.fill = fill;
}

void DeferredDrawing::print(std::string_view text)
{
    if (!pending_) {
        settle_readers();
        target_.print(text);
        return;
    }
    record(Verb::print, pen_part | scale_part).text = text;
}

void DeferredDrawing::print_inside(std::string_view text)
{
    if (!pending_) {
        settle_readers();
        target_.print_inside(text);
        return;
    }
    record(Verb::print_inside, pen_part | scale_part).text = text;
}

void DeferredDrawing::move_to(double x, double y)
{
    if (!pending_) {
        target_.move_to(x, y);
        return;
    }
    Op& op = record(Verb::move, 0);
    op.a = x, op.b = y;
    state_.pen = {x, y};
    set_parts_ |= pen_part;
}

LogicalPoint DeferredDrawing::pen() const
{
    return pending_ ? state_.pen : target_.pen();
}

void DeferredDrawing::copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key)
{
    auto* deferred = const_cast<DeferredDrawing*>(dynamic_cast<const DeferredDrawing*>(&source));
    // Only a deferred source is known to stay as it is until the copy is
    // drawn; from any other the copy is drawn now.
    if (pending_ && deferred == nullptr)
        settle();
    if (!pending_) {
        settle_readers();
        target_.copy_keyed(settled(source), from, to, key);
        return;
    }
    Op& op = record(Verb::copy, 0);
    op.source = &source;
    op.from = from;
    op.to = to;
    op.colour = key;
    if (deferred != this && std::find(sources_.begin(), sources_.end(), deferred) == sources_.end()) {
        sources_.push_back(deferred);
        deferred->readers_.push_back(this);
    }
}

void DeferredDrawing::clear_and_copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key)
{
    clear();
    copy_keyed(source, from, to, key);
}

} // namespace vp
