// The host's constants (xl... and mso... codes, as the object model stores them) turned
// into the renderer's typed values, once, so the renderer never repeats a host code.
// Codes a property accepts but the renderer draws like another map to that one.
#ifndef SHEETHOST_SNAPSHOT_HOST_VALUES_HPP
#define SHEETHOST_SNAPSHOT_HOST_VALUES_HPP

#include "render/chart_snapshot.hpp"

namespace sheethost::snapshot {

render::legend_place legend_place_of(int xl_legend_position);
render::h_align h_align_of(int xl_horizontal_alignment);
render::v_align v_align_of(int xl_vertical_alignment);
render::text_orientation orientation_of(int xl_orientation);  // a code or degrees in -90..90
render::border_weight border_weight_of(int xl_border_weight);
render::line_dash line_dash_of(int xl_line_style);
render::label_content label_content_of(int xl_data_label_type);
render::gradient_direction gradient_direction_of(int mso_gradient_style);

}  // namespace sheethost::snapshot

#endif
