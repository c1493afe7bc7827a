// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/surface.h"

#include <string>
#include <vector>

namespace vp::testing {

// A Surface that writes down what it is asked to draw, with the line width
// and style in force. Prints are recorded at the pen; dots and prints carry
// no colour.
class RecordingSurface final : public Surface {
public:
    enum class Kind { scale, clear, line, dot, circle, print, copy };
    struct Op {
        Kind kind = Kind::clear;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0, radius = 0;
        Rgb colour;
        std::optional<Rgb> fill;
        int width = 1;
        LineStyle style = LineStyle::solid;
        std::string text;
        bool inside = false; // print_inside
        PixelRect from, to;
    };
    std::vector<Op> ops;

    std::vector<Op> of(Kind kind, std::optional<Rgb> colour = std::nullopt) const
    {
        std::vector<Op> r;
        for (const Op& op : ops) {
            if (op.kind == kind && (!colour || op.colour == *colour))
                r.push_back(op);
        }
        return r;
    }

    void set_scale(double left, double top, double right, double bottom) override
    {
        add(Kind::scale, left, top, right, bottom);
    }
    void clear() override { add(Kind::clear); }
    void set_line_width(int pixels) override { width_ = pixels; }
    void set_line_style(LineStyle style) override { style_ = style; }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        add(Kind::line, x1, y1, x2, y2).colour = colour;
        pen_ = {x2, y2};
    }
    void line_to(double x, double y, Rgb colour) override { line(pen_.x, pen_.y, x, y, colour); }
    void dot(double x, double y) override
    {
        add(Kind::dot, x, y);
        pen_ = {x, y};
    }
    void circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill) override
    {
        Op& op = add(Kind::circle, x, y);
        op.radius = radius;
        op.colour = outline;
        op.fill = fill;
    }
    void print(std::string_view text) override { add(Kind::print, pen_.x, pen_.y).text = text; }
    void print_inside(std::string_view text) override
    {
        Op& op = add(Kind::print, pen_.x, pen_.y);
        op.text = text;
        op.inside = true;
    }
    void move_to(double x, double y) override { pen_ = {x, y}; }
    LogicalPoint pen() const override { return pen_; }
    Rgb foreground() const override { return {}; }
    void copy_keyed(const Surface&, const PixelRect& from, const PixelRect& to, Rgb key) override
    {
        Op& op = add(Kind::copy);
        op.from = from;
        op.to = to;
        op.colour = key;
    }

private:
    Op& add(Kind kind, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0)
    {
        Op op;
        op.kind = kind;
        op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
        op.width = width_;
        op.style = style_;
        ops.push_back(op);
        return ops.back();
    }

    int width_ = 1;
    LineStyle style_ = LineStyle::solid;
    LogicalPoint pen_;
};

} // namespace vp::testing
