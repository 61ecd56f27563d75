// The renderer's fonts: which DejaVu family stands in for a requested face, the
// private fontconfig configuration, the faces pango really loads through it (bold and
// italic included), and the cache of shaped lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "render/paint/face_names.hpp"
#include "render/paint/font_config.hpp"
#include "render/paint/pango_fonts.hpp"

namespace {

using namespace sheethost::render;

struct face_case {
    std::u16string requested;
    std::string family;
};

void PrintTo(const face_case &c, std::ostream *os) { *os << c.family; }

class FaceNames : public testing::TestWithParam<face_case> {};

TEST_P(FaceNames, LandOnTheDejaVuFaceOfTheSameKind)
{
    EXPECT_EQ(installed_family_for(GetParam().requested), GetParam().family);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FaceNames,
    testing::Values(face_case{u"Arial", "DejaVu Sans"}, face_case{u"VERDANA", "DejaVu Sans"},
                    face_case{u"  Tahoma ", "DejaVu Sans"}, face_case{u"MS Sans Serif", "DejaVu Sans"},
                    face_case{u"Arial Narrow", "DejaVu Sans Condensed"},
                    face_case{u"Times New Roman", "DejaVu Serif"}, face_case{u"Georgia", "DejaVu Serif"},
                    face_case{u"Courier New", "DejaVu Sans Mono"}, face_case{u"Lucida Console", "DejaVu Sans Mono"},
                    // Names outside the table go by the words in them.
                    face_case{u"Noto Sans", "DejaVu Sans"}, face_case{u"PT Serif", "DejaVu Serif"},
                    face_case{u"Liberation Serif Narrow", "DejaVu Serif Condensed"},
                    face_case{u"Source Code Pro", "DejaVu Sans Mono"}, face_case{u"monospace", "DejaVu Sans Mono"},
                    face_case{u"DejaVu Serif", "DejaVu Serif"}, face_case{u"Zapfino Display", "DejaVu Sans"},
                    face_case{u"\u5b8b\u4f53", "DejaVu Sans"}, face_case{u"", "DejaVu Sans"}));

TEST(FontConfiguration, IsPrivateOverTheDejaVuDirectory)
{
    font_configuration fc = load_font_configuration();
    ASSERT_NE(fc.config, nullptr) << fc.reason;
    FcFontSet *fonts = FcConfigGetFonts(fc.config, FcSetSystem);
    ASSERT_NE(fonts, nullptr);
    EXPECT_GT(fonts->nfont, 0);
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8 *file = nullptr;
        ASSERT_EQ(FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file), FcResultMatch);
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(file)).rfind(kFontDirectory, 0), 0u) << file;
    }
    FcConfigDestroy(fc.config);
}

TEST(FontConfiguration, FallsBackToTheSystemsWhenTheDirectoryHasNoFonts)
{
    font_configuration fc = load_font_configuration("/nonexistent/fonts");
    EXPECT_EQ(fc.config, nullptr);
    EXPECT_EQ(fc.reason, "no fonts in /nonexistent/fonts");
}

TEST(FontConfiguration, LeavesAConfigurationTheUserChoseAlone)
{
    ASSERT_EQ(std::getenv("FONTCONFIG_FILE"), nullptr) << "the test sets and clears FONTCONFIG_FILE itself";
    ::setenv("FONTCONFIG_FILE", "/etc/fonts/fonts.conf", 1);
    font_configuration fc = load_font_configuration();
    ::unsetenv("FONTCONFIG_FILE");
    EXPECT_EQ(fc.config, nullptr);
    EXPECT_EQ(fc.reason, "FONTCONFIG_FILE is set");
}

struct loaded_case {
    font_spec font;
    std::string face;  // what pango says it loaded, without the size
};

void PrintTo(const loaded_case &c, std::ostream *os) { *os << c.face; }

class LoadedFaces : public testing::TestWithParam<loaded_case> {};

TEST_P(LoadedFaces, AreTheDejaVuFacesInTheRequestedStyle)
{
    font_session fonts;
    ASSERT_TRUE(fonts.uses_private_fonts());
    std::string chosen = fonts.chosen_face(GetParam().font);
    // pango appends the size: "DejaVu Sans Bold 10".
    EXPECT_EQ(chosen.substr(0, chosen.find_last_of(' ')), GetParam().face);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadedFaces,
    testing::Values(loaded_case{{u"Verdana", 10, false, false}, "DejaVu Sans"},
                    loaded_case{{u"Verdana", 14, true, false}, "DejaVu Sans Bold"},
                    loaded_case{{u"Arial", 10, false, true}, "DejaVu Sans Oblique"},
                    loaded_case{{u"Arial", 10, true, true}, "DejaVu Sans Bold Oblique"},
                    loaded_case{{u"Times New Roman", 12, false, false}, "DejaVu Serif"},
                    loaded_case{{u"Times New Roman", 12, true, true}, "DejaVu Serif Bold Italic"},
                    loaded_case{{u"Courier New", 9, true, false}, "DejaVu Sans Mono Bold"},
                    // DejaVu's condensed faces are semi-condensed in width.
                    loaded_case{{u"Arial Narrow", 9, false, false}, "DejaVu Sans Semi-Condensed"},
                    loaded_case{{u"No Such Face", 10, false, false}, "DejaVu Sans"}));

TEST(ShapedLines, AreShapedOnceAndReused)
{
    const font_spec verdana{u"Verdana", 10, false, false};
    font_session fonts;
    shaped_line first = fonts.shape("Jan", verdana);
    shaped_line again = fonts.shape("Jan", verdana);
    EXPECT_EQ(again.layout, first.layout);
    EXPECT_EQ(again.extent.width, first.extent.width);
    EXPECT_NE(fonts.shape("Jan", {u"Verdana", 10, true, false}).layout, first.layout);
    EXPECT_NE(fonts.shape("Feb", verdana).layout, first.layout);
}

TEST(ShapedLines, MeasureWhatTheMeasurerMeasures)
{
    const font_spec bold{u"Verdana", 14, true, false};
    text_extent measured = pango_text_measurer().measure("Sales 2026", bold);
    font_session fonts;
    shaped_line line = fonts.shape("Sales 2026", bold);
    EXPECT_EQ(line.extent.width, measured.width);
    EXPECT_EQ(line.extent.line_height, measured.line_height);
    // Bold 14-point text ten characters long is wider than 14 points per two characters.
    EXPECT_GT(line.extent.width, 70);
    EXPECT_GT(fonts.shape("Sales 2026", {u"Verdana", 28, true, false}).extent.width, 1.9 * line.extent.width);
}

}  // namespace
