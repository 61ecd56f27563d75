// The host's codes become the renderer's typed values in one place; codes a property
// accepts but draws like another land on that one, unknown codes on the default.
#include <gtest/gtest.h>

#include "snapshot/host_values.hpp"

namespace {

using namespace sheethost::render;
using namespace sheethost::snapshot;

template <typename T>
struct code_case {
    int code;
    T expected;
};

TEST(HostValues, LegendPlaces)
{
    const code_case<legend_place> cases[] = {{-4152, legend_place::right}, {-4160, legend_place::top},
                                             {-4107, legend_place::bottom}, {-4131, legend_place::left},
                                             {2, legend_place::corner},     {12345, legend_place::right}};
    for (const auto &c : cases)
        EXPECT_EQ(legend_place_of(c.code), c.expected) << c.code;
}

TEST(HostValues, Alignments)
{
    const code_case<h_align> across[] = {
        {-4131, h_align::left}, {-4108, h_align::centre}, {-4152, h_align::right}, {-4130, h_align::centre}};
    for (const auto &c : across)
        EXPECT_EQ(h_align_of(c.code), c.expected) << c.code;
    const code_case<v_align> up[] = {
        {-4160, v_align::top}, {-4108, v_align::middle}, {-4107, v_align::bottom}, {-4117, v_align::middle}};
    for (const auto &c : up)
        EXPECT_EQ(v_align_of(c.code), c.expected) << c.code;
}

TEST(HostValues, Orientations)
{
    const code_case<text_orientation> cases[] = {{-4128, {0, false}},  {-4171, {90, false}}, {-4170, {-90, false}},
                                                 {-4166, {0, true}},   {45, {45, false}},    {-90, {-90, false}},
                                                 {91, {0, false}}};
    for (const auto &c : cases)
        EXPECT_EQ(orientation_of(c.code), c.expected) << c.code;
}

TEST(HostValues, BordersLabelsAndGradients)
{
    const code_case<border_weight> weights[] = {{1, border_weight::hairline},
                                                {2, border_weight::thin},
                                                {-4138, border_weight::medium},
                                                {4, border_weight::thick},
                                                {-4105, border_weight::thin}};
    for (const auto &c : weights)
        EXPECT_EQ(border_weight_of(c.code), c.expected) << c.code;
    const code_case<line_dash> styles[] = {{1, line_dash::continuous},     {-4115, line_dash::dash},
                                           {-4118, line_dash::dot},         {4, line_dash::dash_dot},
                                           {13, line_dash::dash_dot},       {5, line_dash::dash_dot_dot},
                                           {-4142, line_dash::none},        {-4105, line_dash::continuous},
                                           {-4119, line_dash::continuous}};
    for (const auto &c : styles)
        EXPECT_EQ(line_dash_of(c.code), c.expected) << c.code;
    const code_case<label_content> labels[] = {
        {-4142, label_content::none}, {2, label_content::value}, {4, label_content::category}, {3, label_content::value}};
    for (const auto &c : labels)
        EXPECT_EQ(label_content_of(c.code), c.expected) << c.code;
    const code_case<gradient_direction> gradients[] = {
        {1, gradient_direction::horizontal},    {2, gradient_direction::vertical},
        {3, gradient_direction::diagonal_up},   {4, gradient_direction::diagonal_down},
        {5, gradient_direction::from_corner},   {7, gradient_direction::from_centre},
        {6, gradient_direction::from_centre}};
    for (const auto &c : gradients)
        EXPECT_EQ(gradient_direction_of(c.code), c.expected) << c.code;
}

}  // namespace
