#include <gtest/gtest.h>

#include "model/construction.h"
#include "model/order.h"
#include "sizing/sash_measure.h"
#include "sizing/sketch.h"
#include "sizing/sketch_image.h"

#include <QDir>
#include <QImage>
#include <QPainter>

namespace {
using R = std::vector<std::vector<std::vector<int>>>;

R Band(const std::vector<TokfSizing>& band, bool vertical)
{
    R rows;
    for (const auto& row : band) {
        rows.emplace_back();
        for (int i = 0; i < row.Count(); ++i) {
            std::vector<int> chain;
            for (int k = 0; k < row.Chain(i).Count(); ++k)
                chain.push_back(vertical ? row.Chain(i).Point(k).Y : row.Chain(i).Point(k).X);
            rows.back().push_back(chain);
        }
    }
    return rows;
}

void Build(TokfConstruction& c, std::uint8_t arrangement, TOutlineShape shape)
{
    c.Arrangement = arrangement;
    c.BuildOutline(shape, 201);
}

// Side roles as the complect would set them: the sash turns about `open` towards the middle of
// `rotation` and has its handle in the middle of `handle`.
void GiveRoles(TokfFlugel& flugel, int open, int rotation, int handle, int mainImage = 1)
{
    flugel.Complect = std::make_unique<TokfFurnComp>(&flugel);
    flugel.Complect->MainImage = mainImage;
    flugel.Side(open).OpenSide = true;
    flugel.Side(open).RotSide = rotation;
    TokfLine& side = flugel.Side(handle);
    side.HandleSide = true;
    side.SetHandle(RoundHalfAway(flugel.SideLength(handle) / 2), 0);
}

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 160; }

// A thin antialiased line may fall between pixel rows: look one pixel around.
bool DarkNear(const QImage& image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Dark(image, x + dx, y + dy))
                return true;
    return false;
}

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Dark(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

TEST(SketchGrid, ChainsOfModelPositions)
{
    TokfConstruction single;
    Build(single, arSingle, {1000, 1400, 0, 0, 0, 0, 0});
    TokfSizeGrid grid;
    grid.Build(single, SizeOptions({0}));
    EXPECT_EQ(Band(grid.Rows, false), (R{{{0, 1000}}}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 1400}}}));
    EXPECT_EQ(grid.Width, 1000);
    EXPECT_EQ(grid.Height, 1400);
    grid.Build(single, SizeOptions({}));
    EXPECT_TRUE(grid.Rows.empty());
    EXPECT_TRUE(grid.Columns.empty());
    grid.Build(single, SizeOptions({5}));
    EXPECT_TRUE(grid.Rows.empty());

    TokfConstruction mullion;
    Build(mullion, arLeftMain, {1300, 1400, 1, 600, 700, 0, 0});
    grid.Build(mullion, SizeOptions({0, 1}));
    EXPECT_EQ(Band(grid.Rows, false), (R{{{0, 600}, {600, 1300}}, {{0, 1300}}}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 1400}}}));
    // The right sash alone is measured from its own corner.
    grid.Build(mullion.Flugel2, SizeOptions({1}));
    EXPECT_EQ(grid.Origin, (TPoint{600, 0}));
    EXPECT_EQ(grid.Width, 700);
    EXPECT_EQ(Band(grid.Rows, false), (R{{{600, 1300}}}));

    TokfConstruction trapezoid;
    Build(trapezoid, arSingle, {1000, 1400, 3, 1000, 0, 0, 0});
    grid.Build(trapezoid, SizeOptions({2}));
    EXPECT_EQ(Band(grid.Rows, false), (R{{{0, 1000}}}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 400, 1400}}, {{0, 1400}}}));
    grid.Build(trapezoid.Flugel1, SizeOptions({2}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 400, 1400}}, {{0, 1400}}}));

    // The arch's box reaches the top of the arc, a hair above the outline's zero line.
    TokfConstruction arch;
    Build(arch, arSingle, {1200, 1600, 7, 339, 0, 700, 700});
    const TSizeBox units = SashUnitBox(arch.Flugel1);
    EXPECT_EQ(units.Y0, -5);
    EXPECT_EQ(units.X1, 12000);
    grid.Build(arch, SizeOptions({0, 2}));
    EXPECT_EQ(Band(grid.Rows, false), (R{{{0, 1200}}}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 339, 1600}}, {{0, 1600}}}));
}

TEST(SketchDrawing, OutlineArcAndSymbols)
{
    // 2 mm per pixel, the model origin 20 pixels in from the corner.
    const double scale = 20;
    const auto draw = [&](const TokfFlugel& flugel) {
        QImage image = Blank(660, 860);
        QPainter painter(&image);
        painter.translate(20, 20);
        painter.setPen(QPen(Qt::black, 3));
        DrawFlugel(painter, flugel, scale);
        return image;
    };

    TokfConstruction c;
    Build(c, arSingle, {1000, 1400, 0, 0, 0, 0, 0});
    QImage plain = draw(c.Flugel1);
    EXPECT_TRUE(Dark(plain, 20 + 250, 20));       // top side
    EXPECT_TRUE(Dark(plain, 20 + 500, 20 + 350)); // right side
    EXPECT_TRUE(Dark(plain, 20, 20));             // the corner is closed
    EXPECT_FALSE(Dark(plain, 20 + 125, 20 + 88)); // inside stays empty without a complect
    EXPECT_FALSE(Dark(plain, 20 + 494, 20 + 350));

    // Turning about the left side towards the middle of the right one, handle on the right.
    GiveRoles(c.Flugel1, 0, 2, 2);
    QImage roles = draw(c.Flugel1);
    EXPECT_TRUE(DarkNear(roles, 20 + 125, 20 + 88));  // on the line from (0, 0) to (500, 350)
    EXPECT_TRUE(DarkNear(roles, 20 + 125, 20 + 612)); // on the line from (0, 700) to (500, 350)
    EXPECT_TRUE(Dark(roles, 20 + 494, 20 + 350));  // the handle's rosette inside the right side
    EXPECT_FALSE(Dark(roles, 20 + 375, 20 + 88));

    // A door-kind main complect shows the opening but no handle.
    c.Flugel1.Complect->MainImage = 7;
    QImage door = draw(c.Flugel1);
    EXPECT_TRUE(DarkNear(door, 20 + 125, 20 + 88));
    EXPECT_FALSE(Dark(door, 20 + 494, 20 + 350));

    // The arch bulges upwards from its chord at y = 339 mm; the tilt symbol points at the arc's top.
    TokfConstruction arch;
    Build(arch, arSingle, {1200, 1600, 7, 339, 0, 700, 700});
    GiveRoles(arch.Flugel1, 3, 1, 2);
    QImage archImage = draw(arch.Flugel1);
    EXPECT_TRUE(Dark(archImage, 20 + 300, 20));        // top of the arc
    EXPECT_FALSE(Dark(archImage, 20 + 200, 20 + 170)); // no line on the chord
    EXPECT_TRUE(DarkNear(archImage, 20 + 150, 20 + 400)); // on the line from (0, 800) to the arc's top
    EXPECT_TRUE(Dark(archImage, 20, 20 + 168));        // the arc starts where the left side ends
    EXPECT_TRUE(Dark(archImage, 20 + 600, 20 + 168));
}

TEST(SketchDrawing, ConstructionFitsItsRectangle)
{
    TokfConstruction c;
    Build(c, arLeftMain, {1300, 1400, 1, 600, 700, 0, 0});
    const QImage image = RenderSketch(c, {400, 300}, SizeOptions({0, 1}));
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 400, 300).contains(ink));
    EXPECT_GE(ink.top(), 5);
    EXPECT_LE(ink.bottom(), 300 - 5);

    // Zoom 2 halves the drawing: its outline is half as tall.
    QImage zoomed = Blank(400, 300);
    {
        QPainter painter(&zoomed);
        painter.setPen(QPen(Qt::black, 1));
        DrawConstruction(painter, c, zoomed.rect(), 2, SizeOptions({}));
    }
    QImage full = Blank(400, 300);
    {
        QPainter painter(&full);
        painter.setPen(QPen(Qt::black, 1));
        DrawConstruction(painter, c, full.rect(), 0, SizeOptions({}));
    }
    EXPECT_NEAR(InkBox(zoomed).height(), InkBox(full).height() / 2.0, 3);

    // The right sash alone is moved to the sketch's corner: drawn without its grid, it sits in the
    // middle of the rectangle like a construction of its size would.
    QImage sash = Blank(400, 300);
    {
        QPainter painter(&sash);
        painter.setPen(QPen(Qt::black, 1));
        DrawFlugelSketch(painter, c.Flugel2, sash.rect(), 0, SizeOptions({}));
    }
    const QRect sashInk = InkBox(sash);
    EXPECT_NEAR(sashInk.center().x(), 200, 3);
    EXPECT_NEAR(sashInk.center().y(), 150, 3);

    // Nothing to draw: no outline, or no room for the grid.
    TokfConstruction empty;
    EXPECT_TRUE(InkBox(RenderSketch(empty, {200, 200}, SizeOptions({0, 1}))).isEmpty());
    EXPECT_TRUE(InkBox(RenderSketch(c, {50, 50}, SizeOptions({0, 1, 2}))).isEmpty());
}

// Renders every figure of the position dialog with typical side roles into DIRAVIR_SKETCH_DIR, to
// be looked at; skipped when the variable is not set.
TEST(SketchDrawing, FigureGallery)
{
    const QString dir = qEnvironmentVariable("DIRAVIR_SKETCH_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "DIRAVIR_SKETCH_DIR not set";
    QDir().mkpath(dir);
    const struct {
        const char* name;
        std::uint8_t arrangement;
        TOutlineShape shape;
        int open, rotation, handle;
    } figures[] = {
        {"0-rectangle", arSingle, {1000, 1400, 0, 0, 0, 0, 0}, 0, 2, 2},
        {"1-mullion-left-main", arLeftMain, {1300, 1400, 1, 600, 700, 0, 0}, 0, 2, 2},
        {"2-mullion-right-main", arRightMain, {1300, 1400, 2, 600, 700, 0, 0}, 2, 0, 0},
        {"3-trapezoid-left-lower", arSingle, {1000, 1400, 3, 1000, 0, 0, 0}, 0, 2, 2},
        {"4-trapezoid-right-lower", arSingle, {1000, 1400, 4, 1000, 0, 0, 0}, 3, 1, 2},
        {"5-triangle-apex-right", arSingle, {1000, 1000, 5, 0, 0, 0, 0}, 1, 0, 0},
        {"6-triangle-apex-left", arSingle, {1000, 1000, 6, 0, 0, 0, 0}, 0, 1, 1},
        {"7-arch", arSingle, {1200, 1600, 7, 339, 0, 700, 700}, 3, 1, 2},
    };
    // The same positions in an order file, for the sketch command.
    TokfOrder order;
    for (const auto& f : figures) {
        TokfConstruction& c = order.AddPosition();
        c.PosNo = QLatin1String(f.name).left(1);
        Build(c, f.arrangement, f.shape);
        GiveRoles(c.Flugel1, f.open, f.rotation, f.handle);
        if (f.arrangement != arSingle)
            GiveRoles(c.Flugel2, 2 - f.open, 2 - f.rotation, 2 - f.handle);
        for (const auto& [suffix, options] : {std::pair{"-02", SizeOptions({0, 2})}, std::pair{"-01", SizeOptions({0, 1})}}) {
            const QString file = QStringLiteral("%1/%2%3.png").arg(dir, QLatin1String(f.name), QLatin1String(suffix));
            EXPECT_TRUE(RenderSketch(c, {480, 480}, options).save(file)) << file.toStdString();
        }
    }
    EXPECT_TRUE(order.SaveToFile(dir + QStringLiteral("/gallery.kfo370")));
}
