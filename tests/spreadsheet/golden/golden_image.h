// Golden-image checks shared by every chart type's golden test: a case is drawn,
// decoded and compared with tests/golden/<name>.gif as thumbnails (fonts differ
// between machines, so bytes would not match). QUILLET_REGENERATE_GOLDEN=1 rewrites
// the golden file instead (scripts/regenerate-golden), and QUILLET_GOLDEN_PREVIEW=<dir>
// also writes a PNG of each case there for people to look at.
#ifndef TESTS_SPREADSHEET_GOLDEN_IMAGE_H
#define TESTS_SPREADSHEET_GOLDEN_IMAGE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "render/export/exporter.hpp"
#include "render_test_charts.h"
#include "render_test_compare.h"
#include "render_test_gif.h"

namespace render_test {

struct golden_case {
    const char *name;
    std::function<chart_snapshot()> make;
};

inline std::string golden_path(const std::string &name) { return std::string(GOLDEN_DIR) + "/" + name + ".gif"; }

inline void write_bytes(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "could not write " << path;
}

inline void expect_matches_golden(const golden_case &c)
{
    using sheethost::render::encode_chart;
    using sheethost::render::image_format;
    std::vector<uint8_t> gif = encode_chart(c.make(), image_format::gif);
    if (const char *dir = std::getenv("QUILLET_GOLDEN_PREVIEW"))
        write_bytes(std::string(dir) + "/" + c.name + ".png", encode_chart(c.make(), image_format::png));
    if (std::getenv("QUILLET_REGENERATE_GOLDEN")) {
        write_bytes(golden_path(c.name), gif);
        GTEST_SKIP() << "regenerated " << golden_path(c.name);
    }
    std::vector<uint8_t> golden = read_bytes(golden_path(c.name));
    ASSERT_FALSE(golden.empty()) << "no golden image " << golden_path(c.name) << ": run scripts/regenerate-golden";
    thumbnail_difference d = compare_thumbnails(decode_gif(gif), decode_gif(golden));
    EXPECT_TRUE(looks_alike(d)) << c.name << ": " << describe(d);
}

inline std::string golden_case_name(const ::testing::TestParamInfo<golden_case> &info)
{
    return std::string(info.param.name);
}

}  // namespace render_test

#endif
