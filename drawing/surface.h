// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vp {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }
    friend constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

// A rectangle in the pixels of a picture (logical pixels of the window).
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct LogicalPoint {
    double x = 0;
    double y = 0;
};

enum class LineStyle { solid, dotted };

// A picture that keeps what is drawn on it, addressed in logical units.
//
// set_scale() gives the logical rectangle: the point (x, y) lands on the pixel
// px = (x - left) / (right - left) * width, py = (y - top) / (bottom - top) *
// height, so y grows upward whenever bottom < top. Each surface has its own
// line width, line style, pen position and colours; every verb that draws at
// a point leaves the pen there. What falls outside the picture is clipped.
class Surface {
public:
    virtual ~Surface() = default;

    virtual void set_scale(double left, double top, double right, double bottom) = 0;
    // Fills the whole picture with the background colour.
    virtual void clear() = 0;

    virtual void set_line_width(int pixels) = 0;
    virtual void set_line_style(LineStyle style) = 0;

    // The pen moves to (x2, y2).
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // From the pen position to (x, y); the pen moves there.
    virtual void line_to(double x, double y, Rgb colour) = 0;
    // A filled dot of the current line width in the foreground colour.
    virtual void dot(double x, double y) = 0;
    // A round circle, its radius in logical units of x, outlined with the
    // current line width and style and filled when a fill colour is given.
    virtual void circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill) = 0;
    // UTF-8 text in the foreground colour, its top-left corner at the pen.
    // The pen stays where it is.
    virtual void print(std::string_view text) = 0;
    // The same, but moved left as far as needed for the text to end inside
    // the picture's right edge (a caption placed near that edge).
    virtual void print_inside(std::string_view text) = 0;

    virtual void move_to(double x, double y) = 0;
    virtual LogicalPoint pen() const = 0;
    virtual Rgb foreground() const = 0;

    // Copies the pixels of `from` on the source onto `to` on this surface,
    // stretched when the sizes differ, leaving out the source pixels that are
    // exactly the key colour.
    virtual void copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key) = 0;

    // clear() and then copy_keyed(), as one operation: a surface may leave
    // out the clearing that the copy hides, and redo only the pixels drawn
    // over since the same copy of the same source picture.
    virtual void clear_and_copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key)
    {
        clear();
        copy_keyed(source, from, to, key);
    }
};

} // namespace vp
