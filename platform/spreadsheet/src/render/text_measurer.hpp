// How the layout learns the size of text. The painter's fonts answer in production;
// layout tests use a fixed-width fake so they need no fonts.
#ifndef SHEETHOST_RENDER_TEXT_MEASURER_HPP
#define SHEETHOST_RENDER_TEXT_MEASURER_HPP

#include <string_view>

#include "render/chart_snapshot.hpp"

namespace sheethost::render {

struct text_extent {
    double width = 0;        // points
    double line_height = 0;  // points, one line's logical height
};

class text_measurer {
public:
    virtual ~text_measurer() = default;
    // The extent of one line of UTF-8 text in the given font.
    virtual text_extent measure(std::string_view utf8, const font_spec &font) const = 0;
};

}  // namespace sheethost::render

#endif
