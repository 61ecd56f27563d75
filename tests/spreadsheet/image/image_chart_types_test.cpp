// Every chart type the component offers, one table row each, drawn with the fonts and
// decoded from the GIF: what can be checked without eyes. The picture has the
// layout's size and a white background; the legend sits where it was asked to be,
// with a key of every legend entry's colour; the title's region holds dark text
// pixels; every entry's colour also shows in the plot area; and no text reaches
// outside the picture. Type-specific geometry (bar extents, slice angles) is checked
// in each family's own tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/layout/chart_layout.hpp"
#include "render/chart_strategy.hpp"
#include "render/style/colour.hpp"
#include "render/export/exporter.hpp"
#include "render/style/fill_style.hpp"
#include "render/paint/pango_fonts.hpp"
#include "snapshot/host_values.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_pixels.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

struct type_row {
    int code;
    const char *name;
};

const type_row kTypes[] = {
    {51, "xlColumnClustered"},       {54, "xl3DColumnClustered"},     {-4100, "xl3DColumn"},
    {57, "xlBarClustered"},          {60, "xl3DBarClustered"},        {65, "xlLineMarkers"},
    {-4101, "xl3DLine"},             {5, "xlPie"},                    {69, "xlPieExploded"},
    {-4102, "xl3DPie"},              {70, "xl3DPieExploded"},         {1, "xlArea"},
    {-4098, "xl3DArea"},             {83, "xlSurface"},               {92, "xlCylinderColClustered"},
    {95, "xlCylinderBarClustered"},  {99, "xlConeColClustered"},      {102, "xlConeBarClustered"},
    {106, "xlPyramidColClustered"},  {109, "xlPyramidBarClustered"},
};

bool inside_picture(const rect &r, const scene &picture)
{
    return r.left() >= -0.01 && r.bottom() >= -0.01 && r.right() <= picture.width + 0.01 &&
           r.top() <= picture.height + 0.01;
}

class ChartTypeImage : public ::testing::TestWithParam<type_row> {
protected:
    chart_layout lay_out(const chart_snapshot &c) { return lay_out_chart(c, measurer_); }
    pango_text_measurer measurer_;
};

TEST_P(ChartTypeImage, IsDrawnAsExpected)
{
    const int legend_positions[] = {-4160, -4152, -4107};  // top, right, bottom
    for (int position : legend_positions) {
        SCOPED_TRACE(std::string(GetParam().name) + " legend position " + std::to_string(position));
        chart_snapshot c = reference_chart(GetParam().code);
        c.legend_position = sheethost::snapshot::legend_place_of(position);
        chart_layout l = lay_out(c);
        decoded_image img = decode_gif(encode_chart(c, image_format::gif));

        EXPECT_EQ(img.width, std::lround(l.picture.width * kPixelsPerPoint));
        EXPECT_EQ(img.height, std::lround(l.picture.height * kPixelsPerPoint));
        EXPECT_EQ(img.at(0, 0), 0xFFFFFFu);
        EXPECT_EQ(img.at(img.width - 1, img.height - 1), 0xFFFFFFu);

        // The legend is on its side of the plot area.
        ASSERT_TRUE(l.legend);
        const rect &f = l.legend->frame;
        if (position == -4160)
            EXPECT_GE(f.bottom(), l.plot.top());
        else if (position == -4107)
            EXPECT_LE(f.top(), l.plot.bottom());
        else
            EXPECT_GE(f.left(), l.plot.right());

        // Each legend key shows its entry's colour, and the plot area shows it too.
        const chart_strategy *strategy = find_strategy(c.chart_type);
        ASSERT_NE(strategy, nullptr);
        std::vector<legend_item> items = strategy->legend_items(c, l.scale);
        ASSERT_EQ(items.size(), l.legend->entries.size());
        pixel_box plot = to_pixels(l.plot, l.picture.height);
        for (const legend_entry &e : l.legend->entries) {
            rgb colour = representative_colour(items[e.item].fill, items[e.item].automatic);
            EXPECT_GT(count_near(img, colour, to_pixels(e.key, l.picture.height), 12), 4u)
                << "legend key of " << items[e.item].label;
            EXPECT_GT(count_near(img, colour, plot, 40), 30u) << "plot area colour of " << items[e.item].label;
        }

        // The title's region holds dark text.
        ASSERT_TRUE(l.title);
        size_t dark = 0;
        pixel_box title = to_pixels(l.title->bounds, l.picture.height);
        for (int y = title.top; y < title.bottom; ++y)
            for (int x = title.left; x < title.right; ++x)
                dark += near_colour(img.at(x, y), 0x1A1A1A, 60);
        EXPECT_GT(dark, 40u);

        // No text outside the picture.
        for (const scene_item &item : l.picture.items) {
            if (const text_item *t = std::get_if<text_item>(&item)) {
                EXPECT_TRUE(inside_picture(text_bounds(*t), l.picture)) << "text " << t->lines.at(0);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ChartTypeImage, ::testing::ValuesIn(kTypes),
                         [](const ::testing::TestParamInfo<type_row> &info) { return std::string(info.param.name); });

}  // namespace
