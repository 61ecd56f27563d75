// The export pipeline's entry points: layout, paint, encode, write; see exporter.hpp.
#include "render/export/exporter.hpp"

#include <algorithm>
#include <new>

#include "host_errors.hpp"
#include "oleaut/utf.hpp"
#include "render/export/picture_file.hpp"
#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/chart_strategy.hpp"
#include "render/image/image_encoders.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render/image/quantizer.hpp"

namespace sheethost::render {

namespace {

bool equals_ignoring_case(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
        char16_t y = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 32 : b[i];
        if (x != y)
            return false;
    }
    return true;
}

bool ends_with_ignoring_case(const std::string &s, std::u16string_view suffix)
{
    std::u16string wide = oleaut::utf8_to_utf16(s);
    return wide.size() >= suffix.size() &&
           equals_ignoring_case(std::u16string_view(wide).substr(wide.size() - suffix.size()), suffix);
}

// The format for an Export's FilterName. Without one the file name's extension
// decides, as the host does, and GIF is the default.
image_format format_for(std::u16string_view filter, const std::string &path)
{
    if (filter.empty())
        return ends_with_ignoring_case(path, u".png") ? image_format::png : image_format::gif;
    if (equals_ignoring_case(filter, u"GIF"))
        return image_format::gif;
    if (equals_ignoring_case(filter, u"PNG"))
        return image_format::png;
    raise_host_error(host_error::unknown_filter, filter);
}

// The colours the scene fills and strokes flat with: the quantizer keeps those the
// picture shows on more than a few pixels exactly, so a legend key or a marker comes
// out in its series' own colour even when shaded faces crowd the palette.
std::vector<rgb> flat_colours(const scene &picture)
{
    std::vector<rgb> out{picture.background};
    for (const scene_item &item : picture.items) {
        const shape *s = std::get_if<shape>(&item);
        if (!s)
            continue;
        if (s->fill && s->fill->type == paint::kind::solid)
            out.push_back(s->fill->colour);
        if (s->line)
            out.push_back(s->line->colour);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace

bool is_drawn(int chart_type) { return find_strategy(chart_type) != nullptr; }

std::vector<uint8_t> encode_chart(const chart_snapshot &chart, image_format format)
{
    try {
        pango_text_measurer measurer;
        chart_layout layout = lay_out_chart(chart, measurer);
        raster picture = paint_scene(layout.picture);
        return format == image_format::png ? encode_png(picture) : encode_gif(quantize(picture, flat_colours(layout.picture)));
    } catch (const oleaut::com_error &) {
        throw;
    } catch (const std::bad_alloc &) {
        raise_host_error(host_error::render_failed, u"out of memory");
    } catch (const std::exception &e) {
        raise_host_error(host_error::render_failed, oleaut::utf8_to_utf16(e.what()));
    }
}

void export_chart(const chart_snapshot &chart, const std::string &path, std::u16string_view filter)
{
    image_format format = format_for(filter, path);
    write_file_atomically(path, encode_chart(chart, format));
}

}  // namespace sheethost::render
