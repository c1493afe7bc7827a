// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas.h"
#include "platform/canvas_widget.h"
#include "platform/coordinate_mapping.h"

#include <QApplication>
#include <QBackingStore>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vp {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr Rgb white{255, 255, 255};
constexpr Rgb green{128, 255, 128};
constexpr Rgb key{0, 255, 0};
constexpr Rgb red{255, 0, 0};
constexpr Rgb other{1, 2, 3};

Rgb pixel(const Canvas& c, int x, int y)
{
    const QRgb p = c.image().pixel(x, y);
    return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
            static_cast<std::uint8_t>(qBlue(p))};
}

int count(const Canvas& c, Rgb colour)
{
    int n = 0;
    for (int y = 0; y < c.image().height(); ++y)
        for (int x = 0; x < c.image().width(); ++x)
            n += pixel(c, x, y) == colour;
    return n;
}

TEST(CoordinateMapping, MapsLinearlyWithYEitherWay)
{
    const CoordinateMapping plane({-0.55, -0.55, 0.55, 0.55}, 348, 348);
    EXPECT_NEAR(plane.py(0.5) / 348, 0.954545, 1e-6); // the body straight down
    EXPECT_NEAR(plane.px(0), 174, 1e-9);
    const CoordinateMapping graph({0, 30, 10, -30}, 331, 112);
    EXPECT_NEAR(graph.py(30), 0, 1e-9);
    EXPECT_NEAR(graph.py(-30), 112, 1e-9);
    EXPECT_NEAR(graph.px(10), 331, 1e-9);
}

TEST(CoordinateMapping, UnusableRangesFallBackToUnitRanges)
{
    struct Case {
        const char* what;
        LogicalRect requested, expected;
    };
    const Case cases[] = {
        {"usable", {0, 2, 16, -2}, {0, 2, 16, -2}},
        {"Tmax = 0", {0, 2, 0, -2}, {0, 2, 1, -2}},
        {"zero amplitude", {0, 0, 16, -0.0}, {0, 0.5, 16, -0.5}},
        {"W_00 = W_min", {0, -3, 16, -3}, {0, -2.5, 16, -3.5}},
        {"infinite top", {0, inf, 16, -2}, {0, -1.5, 16, -2.5}},
        {"NaN everywhere", {nan, nan, nan, nan}, {0, 0.5, 1, -0.5}},
        {"span overflows", {-1e308, 1e308, 1e308, -1e308}, {0, 0.5, 1, -0.5}},
        {"too thin for a scale", {0, 1, 1e-320, 0}, {0, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        const LogicalRect r = usable_rect(c.requested, 348, 112);
        EXPECT_EQ(r.left, c.expected.left) << c.what;
        EXPECT_EQ(r.right, c.expected.right) << c.what;
        EXPECT_EQ(r.top, c.expected.top) << c.what;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.what;
    }
}

class CanvasTest : public ::testing::Test {
protected:
    Canvas canvas;
    void SetUp() override
    {
        canvas.resize({100, 50}, 1);
        canvas.set_scale(0, 1, 10, -1); // 10 px per unit across, 25 down
    }
};

TEST_F(CanvasTest, GridLinesCoverWholePixelsAtAnyRatio)
{
    for (int r : {1, 2}) {
        canvas.resize({100, 50}, r);
        EXPECT_EQ(canvas.image().size(), QSize(100 * r, 50 * r));
        canvas.line(3.07, -1, 3.07, 1, green); // x = 30.7 px
        canvas.line(0, 0.5, 10, 0.5, green);   // y = 12.5 px
        EXPECT_EQ(count(canvas, green), 100 * r * r + 50 * r * r - r * r) << r;
        EXPECT_EQ(pixel(canvas, 30 * r, 40 * r), green) << r;
        EXPECT_EQ(pixel(canvas, 60 * r, 12 * r), green) << r;
    }
}

// Grid lines and axes run from edge to edge and are filled as the whole
// pixels they cover: the same pixels as the antialiased round-capped line
// laid on the device-pixel grid.
TEST(CanvasPixels, EdgeToEdgeLinesMatchTheAntialiasedLine)
{
    struct Case {
        qreal ratio;
        int width;
        bool vertical;
        double at; // logical pixels across the line
    };
    for (const Case& k : {Case{1, 1, false, 12.5}, Case{1, 3, true, 30.7}, Case{2, 1, true, 30.7},
                          Case{2, 3, false, 0.2}, Case{1.5, 1, false, 33.3}, Case{1.5, 3, true, 99.9}}) {
        Canvas canvas;
        canvas.resize({100, 50}, k.ratio);
        canvas.set_scale(0, 0, 100, 50);
        canvas.set_line_width(k.width);
        if (k.vertical)
            canvas.line(k.at, 0, k.at, 50, green);
        else
            canvas.line(0, k.at, 100, k.at, green);

        QImage expected(canvas.image().size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(k.ratio);
        expected.fill(Qt::white);
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing);
        const int device = std::max(1, static_cast<int>(std::lround(k.width * k.ratio)));
        QPen pen(QColor(green.red, green.green, green.blue));
        pen.setWidthF(device / k.ratio);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        const double d = k.at * k.ratio;
        const double at = (device % 2 != 0 ? std::floor(d) + 0.5 : std::round(d)) / k.ratio;
        if (k.vertical)
            p.drawLine(QPointF(at, 0), QPointF(at, 50));
        else
            p.drawLine(QPointF(0, at), QPointF(100, at));
        p.end();
        EXPECT_EQ(canvas.image(), expected) << k.ratio << " " << k.width << " " << k.at;
    }
}

// The rod: a thick line with round ends, drawn as Qt's antialiased stroke
// draws it but for a few levels at its edge, at any slope, length and ratio.
TEST(CanvasPixels, ThickLinesLookAsQtStrokesThem)
{
    struct Case {
        qreal ratio;
        double x1, y1, x2, y2;
    };
    for (const Case& k :
         {Case{1, 50, 10, 50, 90}, Case{1, 10, 50.3, 90, 50.3}, Case{1, 50, 10, 93.7, 71.2}, Case{1, 20, 60, 90, 57},
          Case{1, 48, 48, 52.5, 49}, Case{2, 50.2, 10, 11, 88}, Case{1.5, 20, 20, 80.4, 80},
          Case{2, 30, 20.2, 70, 20.2}, Case{1, -20, 30, 60, 130}, Case{1, 10, 40.3, 90, 40.3000001}}) {
        Canvas canvas;
        canvas.resize({100, 100}, k.ratio);
        canvas.set_scale(0, 0, 100, 100);
        canvas.set_line_width(7);
        canvas.line(k.x1, k.y1, k.x2, k.y2, red);

        // The canvas lays an upright or level line across whole pixels.
        const long device = std::lround(7 * k.ratio);
        auto across = [&](double v) {
            return (device % 2 != 0 ? std::floor(v * k.ratio) + 0.5 : std::round(v * k.ratio)) / k.ratio;
        };
        QImage expected(canvas.image().size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(k.ratio);
        expected.fill(Qt::white);
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(Qt::red);
        pen.setWidthF(static_cast<double>(device) / k.ratio);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        if (k.x1 == k.x2)
            p.drawLine(QPointF(across(k.x1), k.y1), QPointF(across(k.x1), k.y2));
        else if (k.y1 == k.y2)
            p.drawLine(QPointF(k.x1, across(k.y1)), QPointF(k.x2, across(k.y1)));
        else
            p.drawLine(QPointF(k.x1, k.y1), QPointF(k.x2, k.y2));
        p.end();

        // Red on white: the green channel tells the coverage.
        int worst = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                worst = std::max(worst, std::abs(qGreen(canvas.image().pixel(x, y)) - qGreen(expected.pixel(x, y))));
        EXPECT_LE(worst, 40) << k.ratio << " " << k.x2 << " " << k.y2;
    }
}

// Labels are laid out once and drawn again from that layout: the same
// glyphs as drawing the text at its baseline.
TEST(CanvasPixels, PrintedTextMatchesTextDrawnAtItsBaseline)
{
    for (const qreal ratio : {1.0, 2.0}) {
        Canvas canvas;
        canvas.resize({160, 40}, ratio);
        canvas.set_scale(0, 0, 160, 40);
        QImage expected(canvas.image().size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(ratio);
        expected.fill(Qt::white);
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing);
        p.setFont(canvas.font());
        const double ascent = QFontMetricsF(canvas.font(), &expected).ascent();
        const struct {
            double x, y;
            const char* text;
        } labels[] = {{2.3, 1.6, " 2То"}, {40.5, 3.2, "wz, рад/с"}, {101.7, 20.4, "-0,40"}, {2.3, 21.6, " 2То"}};
        for (const auto& l : labels) {
            canvas.move_to(l.x, l.y);
            canvas.print(l.text);
            p.drawText(QPointF(std::round(l.x * ratio) / ratio, std::round((l.y + ascent) * ratio) / ratio),
                       QString::fromUtf8(l.text));
        }
        p.end();
        EXPECT_EQ(canvas.image(), expected) << ratio;
    }
}

TEST_F(CanvasTest, NothingIsDrawnOutOfSight)
{
    std::vector<QRect> changes;
    canvas.set_on_change([&](const QRect& r) { changes.push_back(r); });
    canvas.set_visible_area({0, 0, 100, 20}); // the lower 30 pixels hidden
    const auto before = canvas.generation();
    canvas.line(0, -0.5, 10, -0.5, red); // y = 37.5
    canvas.circle(5, -0.6, 0.4, red, red);
    canvas.move_to(1, -0.4);
    canvas.print("t, c");
    EXPECT_EQ(canvas.generation(), before);
    EXPECT_TRUE(changes.empty());

    canvas.set_background(other);
    canvas.clear();
    EXPECT_EQ(pixel(canvas, 50, 10), other);
    EXPECT_EQ(pixel(canvas, 50, 30), white);
    canvas.line(0, 0.5, 10, 0.5, green); // y = 12.5: shown, and reported alone
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], QRect(0, 0, 100, 20));
    EXPECT_TRUE(changes[1].contains(QRect(0, 12, 100, 1)));
    EXPECT_LE(changes[1].height(), 5);
}

TEST_F(CanvasTest, HugeAndNonFiniteCoordinatesAreClippedOrSkipped)
{
    canvas.line(-1e300, 0.5, 1e300, 0.5, green);
    EXPECT_EQ(count(canvas, green), 100);

    const auto drawn = canvas.generation();
    canvas.line(nan, 0, 5, 0, red);
    canvas.line(0, 0, inf, 0, red);
    canvas.line(0, 0, 1e308, -1e308, red); // its extent does not fit a double
    canvas.dot(1e300, 0);
    canvas.circle(nan, 0, 1, red, red);
    canvas.circle(5, 0, inf, red, red);
    canvas.circle(5, 0, 0, red, red);
    canvas.move_to(inf, 0);
    canvas.print("t, c");
    EXPECT_EQ(canvas.generation(), drawn);

    canvas.circle(5, 0, 1e9, red, red); // holds the whole picture
    EXPECT_EQ(count(canvas, red), 100 * 50);
    canvas.clear();
    // Radius 2e7 px, centre 2e7 px below y = 0: the lower half is inside.
    canvas.circle(5, -8e5, 2e6, red, red);
    EXPECT_EQ(pixel(canvas, 50, 40), red);
    EXPECT_EQ(pixel(canvas, 50, 10), white);
}

TEST_F(CanvasTest, DotsAndTextStartAtThePen)
{
    canvas.dot(5.05, 0.02); // 50.5, 24.5
    EXPECT_EQ(pixel(canvas, 50, 24), (Rgb{0, 0, 0}));
    EXPECT_EQ(count(canvas, white), 100 * 50 - 1);
    canvas.clear();
    canvas.move_to(5, 0.5); // 50, 12.5
    canvas.print("Дж");
    int inside = 0, outside = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            if (qGray(canvas.image().pixel(x, y)) < 128)
                ++(x >= 50 && y >= 12 && y < 32 ? inside : outside);
    EXPECT_GT(inside, 10);
    EXPECT_EQ(outside, 0);
}

TEST_F(CanvasTest, TextKeptInsideEndsAtTheRightEdge)
{
    // Where it fits, it stands at the pen like any text; near the edge it is
    // moved in just far enough for its last glyph to show.
    struct Case {
        double x;
        int first_column_at_least, first_column_below;
    };
    for (const Case c : {Case{1, 10, 14}, Case{9.5, 60, 95}}) {
        canvas.clear();
        canvas.move_to(c.x, 0.5);
        canvas.print_inside("Y, м");
        int first = 100, last = -1;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                if (qGray(canvas.image().pixel(x, y)) < 128) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        EXPECT_GE(first, c.first_column_at_least) << c.x;
        EXPECT_LT(first, c.first_column_below) << c.x;
        EXPECT_GE(last, first + 15) << c.x; // the whole caption, not a sliver
        EXPECT_LT(last, 100) << c.x;
    }
}

// The source: white, a square of the key colour at 2..6, a black pixel at 8.
class KeyedCopyTest : public ::testing::Test {
protected:
    Canvas source, target;
    void SetUp() override
    {
        source.resize({10, 10}, 1);
        source.set_scale(0, 0, 10, 10);
        paint(key);
        target.set_background(other);
        target.resize({20, 20}, 1);
    }
    void paint(Rgb square)
    {
        source.clear();
        source.set_line_width(4);
        source.line(2, 4, 6, 4, square);
        source.set_line_width(1);
        source.dot(8.5, 8.5);
    }
};

TEST_F(KeyedCopyTest, LeavesOutKeyPixelsCopiesAndStretchesTheRest)
{
    target.copy_keyed(source, {0, 0, 10, 10}, {0, 0, 10, 10}, key);
    EXPECT_EQ(pixel(target, 3, 3), other);
    EXPECT_EQ(pixel(target, 0, 0), white);
    EXPECT_EQ(pixel(target, 8, 8), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(target, 15, 15), other);
    target.clear();
    target.copy_keyed(source, {0, 0, 10, 10}, {0, 0, 20, 20}, key);
    EXPECT_EQ(pixel(target, 6, 6), other);
    EXPECT_EQ(pixel(target, 17, 17), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(target, 19, 0), white);
}

TEST_F(KeyedCopyTest, FollowsTheSourceWhenItIsRedrawn)
{
    target.copy_keyed(source, {0, 0, 10, 10}, {0, 0, 10, 10}, key);
    paint(red); // no key pixel left: the plain copy
    target.copy_keyed(source, {0, 0, 10, 10}, {0, 0, 10, 10}, key);
    EXPECT_EQ(pixel(target, 3, 3), red);
    paint(key);
    target.clear();
    target.copy_keyed(source, {0, 0, 10, 10}, {0, 0, 10, 10}, key);
    EXPECT_EQ(pixel(target, 3, 3), other);
    target.clear();
    target.copy_keyed(source, {0, 0, 10, 10}, {0, 0, 10, 10}, white);
    EXPECT_EQ(pixel(target, 3, 3), key);
    EXPECT_EQ(pixel(target, 0, 0), other);
}

TEST(CanvasWidget, DrawingOnAHiddenWidgetSurvivesShowing)
{
    QWidget window;
    window.resize(200, 200);
    auto* picture = new CanvasWidget(&window);
    picture->hide();
    window.show();
    picture->place({4, 4, 100, 50});
    Canvas& c = picture->canvas();
    c.set_scale(0, 1, 10, -1);
    c.line(0, 0.5, 10, 0.5, green);

    picture->show();
    QApplication::processEvents();
    EXPECT_EQ(picture->geometry(), QRect(4, 4, 100, 50));
    const QImage shown = picture->grab().toImage();
    EXPECT_EQ(shown.pixel(50 * shown.width() / 100, 12 * shown.height() / 50), qRgb(128, 255, 128));

    picture->place({4, 4, 100, 50});
    EXPECT_EQ(pixel(c, 50, 12), green);
    picture->place({4, 4, 120, 50});
    EXPECT_EQ(c.logical_size(), QSize(120, 50));
    EXPECT_EQ(count(c, white), c.image().width() * c.image().height());
}

// A drawing area that reaches past the bottom of a low window draws only
// what the window shows, and follows the window when it grows.
TEST(CanvasWidget, DrawsOnlyWhatItsParentShows)
{
    QWidget window;
    window.show();
    window.resize(200, 100);
    auto* picture = new CanvasWidget(&window);
    picture->place({4, 4, 150, 150});
    Canvas& c = picture->canvas();
    c.set_scale(0, 0, 150, 150);
    const auto before = c.generation();
    c.line(0, 120, 150, 120, green);
    EXPECT_EQ(c.generation(), before);
    window.resize(200, 200);
    c.line(0, 120, 150, 120, green);
    EXPECT_EQ(pixel(c, 75, 120), green);
}

// A held picture keeps what is drawn off the screen until released.
TEST(CanvasWidget, HeldRepaintsReachTheScreenWhenReleased)
{
    QWidget window;
    window.resize(120, 60);
    auto* picture = new CanvasWidget(&window);
    picture->place({0, 0, 120, 60});
    window.show();
    QApplication::processEvents();
    Canvas& c = picture->canvas();
    c.set_scale(0, 0, 120, 60);
    auto shown = [&] {
        QApplication::processEvents();
        const auto* screen = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
        const qreal ratio = screen == nullptr ? 1 : screen->devicePixelRatio();
        return screen == nullptr ? QRgb{} : screen->pixel(static_cast<int>(60 * ratio), static_cast<int>(30 * ratio));
    };
    ASSERT_EQ(shown(), qRgb(255, 255, 255));
    picture->hold_repaints(true);
    c.line(0, 30, 120, 30, green);
    EXPECT_EQ(shown(), qRgb(255, 255, 255));
    picture->hold_repaints(false);
    EXPECT_EQ(shown(), qRgb(128, 255, 128));
}

// The readouts lie under the drawing area of a low window. After a resize
// has moved them, Qt paints a changed readout over the picture once; the
// picture covers it again at its next repaint.
TEST(CanvasWidget, CoversAgainWhatAWidgetBelowPaintsOverIt)
{
    // A window that lays out its children on every resize, as the main one.
    struct Window : QWidget {
        QLabel* readout = new QLabel(QStringLiteral("t = 0"), this);
        CanvasWidget* picture = new CanvasWidget(this);
        void resizeEvent(QResizeEvent*) override
        {
            readout->setGeometry(10, height() - 40, 80, 20);
            picture->place({0, 0, width(), width()});
            picture->canvas().clear();
        }
    } window;
    window.readout->setAutoFillBackground(true);
    window.resize(150, 300);
    window.show();
    // Wider and taller: the readout moves down, then the square grows over it.
    window.resize(300, 320);
    QApplication::processEvents();
    window.picture->canvas().clear();
    window.readout->setText(QStringLiteral("t = 1"));
    QApplication::processEvents();
    QApplication::processEvents();
    const auto* shown = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    ASSERT_NE(shown, nullptr);
    const qreal ratio = shown->devicePixelRatio();
    int covered = 0;
    for (int y = 280; y < 300; ++y)
        for (int x = 10; x < 90; ++x)
            covered += shown->pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio)) == qRgb(255, 255, 255);
    EXPECT_EQ(covered, 80 * 20);
}

} // namespace
} // namespace vp
