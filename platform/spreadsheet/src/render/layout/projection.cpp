// The 3-D projections. The fit to the plot area is a separate scale per axis: the
// plot area's size is what the user set, and a slight stretch of the box reads far
// better than an image that ignores that size.
#include "render/layout/projection.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sheethost::render {

namespace {

vec3 operator-(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
vec3 operator+(vec3 a, vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
vec3 operator*(vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
vec3 normalized(vec3 a) { return a * (1 / std::sqrt(dot(a, a))); }

constexpr double kParallelEyeDistance = 1e6;

}  // namespace

projection::projection(vec3 box, view_angles view, const rect &plot)
{
    double theta = view.rotation * std::numbers::pi / 180, phi = view.elevation * std::numbers::pi / 180;
    vec3 toward_eye{std::sin(theta) * std::cos(phi), std::sin(phi), -std::cos(theta) * std::cos(phi)};
    forward_ = toward_eye * -1;
    right_ = normalized({forward_.z, 0, -forward_.x});
    up_ = normalized(vec3{0, 1, 0} - forward_ * forward_.y);
    centre_ = box * 0.5;
    double diagonal = std::sqrt(dot(box, box));
    if (view.right_angle_axes) {
        oblique_ = true;
        depth_x_ = std::sin(theta);
        depth_y_ = std::sin(phi);
        // Every point along (-depth_x, -depth_y, 1) lands on the same spot: the eye is
        // far off the other way.
        eye_ = centre_ + vec3{depth_x_, depth_y_, -1} * (diagonal * kParallelEyeDistance);
    } else if (view.perspective > 0) {
        distance_ = diagonal * (1 + 60 / view.perspective);
        eye_ = centre_ + toward_eye * distance_;
    } else {
        eye_ = centre_ + toward_eye * (diagonal * kParallelEyeDistance);
    }

    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (int i = 0; i < 8; ++i) {
        point q = raw({i & 1 ? box.x : 0, i & 2 ? box.y : 0, i & 4 ? box.z : 0});
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    scale_x_ = x1 > x0 ? plot.w / (x1 - x0) : 1;
    scale_y_ = y1 > y0 ? plot.h / (y1 - y0) : 1;
    offset_x_ = plot.x - x0 * scale_x_;
    offset_y_ = plot.y - y0 * scale_y_;
}

point projection::raw(vec3 p) const
{
    if (oblique_)
        return {p.x + p.z * depth_x_, p.y + p.z * depth_y_};
    if (distance_ <= 0) {
        vec3 v = p - centre_;
        return {dot(v, right_), dot(v, up_)};
    }
    vec3 v = p - eye_;
    double s = distance_ / dot(v, forward_);
    return {dot(v, right_) * s, dot(v, up_) * s};
}

point projection::project(vec3 p) const
{
    point q = raw(p);
    return {offset_x_ + q.x * scale_x_, offset_y_ + q.y * scale_y_};
}

bool projection::faces_eye(vec3 p, vec3 n) const { return dot(n, eye_ - p) > 0; }

}  // namespace sheethost::render
