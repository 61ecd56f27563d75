// Walls and Floor: the box a 3-D chart stands in, each with a border and a fill.
// They exist for the chart types drawn in a box; after a change to another type their
// objects refuse work, since there is nothing to draw them on.
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/chart_types.hpp"
#include "model/color_resolution.hpp"

namespace sheethost::automation {

namespace {

using oleaut::disp::call;

struct walls_tag {
    static constexpr const char16_t *name = u"Walls";
    static constexpr const char16_t *noun = u"walls";
    static constexpr const GUID &iid = kIID_Walls;
};
struct floor_tag {
    static constexpr const char16_t *name = u"Floor";
    static constexpr const char16_t *noun = u"floor";
    static constexpr const GUID &iid = kIID_Floor;
};

template <class Tag>
class surface_object : public host_object<surface_object<Tag>> {
public:
    static const oleaut::disp::table<surface_object> &dispatch_table();
    surface_object(object_scope scope, std::shared_ptr<model::surface_state> surface)
        : host_object<surface_object>(std::move(scope)), surface_(std::move(surface))
    {
    }
    const std::shared_ptr<model::surface_state> &surface() const { return surface_; }

private:
    std::shared_ptr<model::surface_state> surface_;
};

template <class Tag>
const oleaut::disp::table<surface_object<Tag>> &surface_object<Tag>::dispatch_table()
{
    using self = surface_object<Tag>;
    static const oleaut::disp::table<self> t(
        Tag::name, Tag::iid, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Border", 0x80, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_border(o.scope(), {o.surface(), &o.surface()->border}); }},
            {u"Fill", 0x67F, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_fill(o.scope(), {o.surface(), &o.surface()->fill},
                                                            model::kAutomaticSurfaceColor); }},
        });
    return t;
}

template <class Tag>
oleaut::variant make_surface(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet,
                             model::surface_state model::chart_state::*which)
{
    object_scope in_a_box = scope.with([sheet] {
        const model::chart_type_info *type = model::find_chart_type(sheet->chart.type);
        if (!type || !type->has_walls)
            raise_host_error(host_error::no_walls_or_floor, model::chart_type_description(sheet->chart.type),
                             Tag::noun);
    });
    std::shared_ptr<model::surface_state> surface(sheet, &(sheet->chart.*which));
    return dispatch_result(new surface_object<Tag>(std::move(in_a_box), std::move(surface)));
}

}  // namespace

oleaut::variant make_walls(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    return make_surface<walls_tag>(scope, std::move(chart_sheet), &model::chart_state::walls);
}

oleaut::variant make_floor(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    return make_surface<floor_tag>(scope, std::move(chart_sheet), &model::chart_state::floor);
}

}  // namespace sheethost::automation
