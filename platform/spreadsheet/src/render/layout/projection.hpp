// The 3-D view: a world box seen from a documented eye, projected and stretched so
// the box's picture fills the plot area exactly.
//
// World axes: x along the categories (to the right), y along the values (up), z into
// the depth (away from the viewer). The eye is `rotation` degrees to the right of
// straight ahead and `elevation` degrees above the floor's plane, so the left side
// wall and the back wall show their inner faces and bars show their front, top and
// right faces.
//
// With right-angle axes (the host's default for the clustered 3-D types, and ours)
// the projection is oblique: x stays level, y stays upright, so front faces are true
// rectangles that read against the value axis, and depth recedes up and to the right
// by sin(rotation) across and sin(elevation) up per unit. Without them it is a
// central projection: the eye sits (1 + 60 / perspective) box diagonals from the
// box's centre (perspective 0 is a parallel projection), looking at the centre.
#ifndef SHEETHOST_RENDER_PROJECTION_HPP
#define SHEETHOST_RENDER_PROJECTION_HPP

#include "render/geometry.hpp"

namespace sheethost::render {

struct vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct view_angles {
    double elevation = 15;  // degrees above the floor's plane
    double rotation = 20;   // degrees to the right of straight ahead
    double perspective = 30;
    bool right_angle_axes = true;
};

class projection {
public:
    // box: the world box's extent from the origin (x, y, z all positive).
    projection(vec3 box, view_angles view, const rect &plot);

    point project(vec3 p) const;
    // Where the eye is in world coordinates (very far off for a parallel projection):
    // what hidden-surface order and face culling measure against.
    vec3 eye() const { return eye_; }
    // True when the face through p with outward normal n is turned toward the eye.
    bool faces_eye(vec3 p, vec3 n) const;
    // How much more the fit stretches vertically than horizontally: 1 when the picture
    // already had the plot area's proportions.
    double stretch() const { return scale_y_ / scale_x_; }

private:
    point raw(vec3 p) const;

    vec3 centre_, eye_, right_, up_, forward_;
    bool oblique_ = false;
    double depth_x_ = 0, depth_y_ = 0;  // oblique: the screen offset of one unit of depth
    double distance_ = 0;  // central: 0 for a parallel projection
    double scale_x_ = 1, scale_y_ = 1, offset_x_ = 0, offset_y_ = 0;
};

}  // namespace sheethost::render

#endif
