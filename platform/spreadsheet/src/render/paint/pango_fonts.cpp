// The process's pango state: the font map over the private fontconfig configuration,
// font descriptions per font_spec and the cache of shaped lines.
#include "render/paint/pango_fonts.hpp"

#include <pango/pangofc-fontmap.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>

#include "oleaut/utf.hpp"
#include "render/paint/face_names.hpp"
#include "render/paint/font_config.hpp"
#include "render/render_errors.hpp"

namespace sheethost::render {

namespace {

struct font_key {
    std::u16string name;
    double size;
    bool bold;
    bool italic;
    bool operator<(const font_key &o) const
    {
        return std::tie(name, size, bold, italic) < std::tie(o.name, o.size, o.bold, o.italic);
    }
};

struct font_entry {
    PangoFontDescription *description;
    uint32_t id;  // the font's part of a shaped line's key
};

// A shaped line's key: the font's id and the text. Lookups pass a string_view, so a
// cache hit allocates nothing.
struct line_key {
    uint32_t font;
    std::string text;
};
struct line_key_view {
    uint32_t font;
    std::string_view text;
};
struct line_key_hash {
    using is_transparent = void;
    size_t operator()(const line_key_view &k) const
    {
        return std::hash<std::string_view>()(k.text) ^ (static_cast<size_t>(k.font) * 0x9E3779B97F4A7C15ull);
    }
    size_t operator()(const line_key &k) const { return (*this)(line_key_view{k.font, k.text}); }
};
struct line_key_equal {
    using is_transparent = void;
    static line_key_view view(const line_key &k) { return {k.font, k.text}; }
    static line_key_view view(const line_key_view &k) { return k; }
    template <class A, class B>
    bool operator()(const A &a, const B &b) const
    {
        return view(a).font == view(b).font && view(a).text == view(b).text;
    }
};

struct layout_unref {
    void operator()(PangoLayout *l) const { g_object_unref(l); }
};
using layout_ptr = std::unique_ptr<PangoLayout, layout_unref>;

struct cached_line {
    layout_ptr layout;
    text_extent extent;
};

// A chart shapes a hundred lines or so; the limit only keeps a long-running process
// that draws ever-new labels from growing without bound (a layout is about 1 KB).
constexpr size_t kLineCacheLimit = 4096;

class font_state {
public:
    font_state()
    {
        font_configuration fc = load_font_configuration();
        private_fonts_ = fc.config != nullptr;
        if (fc.config) {
            // Before the font map exists: see font_config.hpp.
            FcConfigSetCurrent(fc.config);
            map_ = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
            if (map_ && PANGO_IS_FC_FONT_MAP(map_))
                pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map_), fc.config);
            FcConfigDestroy(fc.config);
        }
        if (!map_)
            map_ = pango_cairo_font_map_new();
        options_ = cairo_font_options_create();
        cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
        context_ = pango_font_map_create_context(map_);
        pango_cairo_context_set_resolution(context_, 72);
        pango_cairo_context_set_font_options(context_, options_);
        pango_context_set_round_glyph_positions(context_, FALSE);
    }
    ~font_state()
    {
        lines_.clear();
        for (auto &entry : fonts_)
            pango_font_description_free(entry.second.description);
        g_object_unref(context_);
        cairo_font_options_destroy(options_);
        g_object_unref(map_);
    }
    font_state(const font_state &) = delete;
    font_state &operator=(const font_state &) = delete;

    std::mutex lock;

    bool private_fonts() const { return private_fonts_; }

    const font_entry &font(const font_spec &wanted)
    {
        font_key key{wanted.name, wanted.size, wanted.bold, wanted.italic};
        auto it = fonts_.find(key);
        if (it != fonts_.end())
            return it->second;
        PangoFontDescription *d = pango_font_description_new();
        std::string family = private_fonts_ ? std::string(installed_family_for(wanted.name))
                                            : oleaut::utf16_to_utf8(wanted.name);
        pango_font_description_set_family(d, family.empty() ? "Sans" : family.c_str());
        pango_font_description_set_size(d, static_cast<gint>(std::max(1.0, wanted.size) * PANGO_SCALE + 0.5));
        pango_font_description_set_weight(d, wanted.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(d, wanted.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        return fonts_.emplace(std::move(key), font_entry{d, static_cast<uint32_t>(fonts_.size())}).first->second;
    }

    shaped_line shape(std::string_view utf8, const font_spec &wanted)
    {
        const font_entry &f = font(wanted);
        auto it = lines_.find(line_key_view{f.id, utf8});
        if (it != lines_.end())
            return {it->second.layout.get(), it->second.extent};
        layout_ptr layout(pango_layout_new(context_));
        if (!layout)
            raise_render_failed("pango could not make a text layout");
        pango_layout_set_font_description(layout.get(), f.description);
        pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
        PangoRectangle logical;
        pango_layout_get_extents(layout.get(), nullptr, &logical);
        text_extent e{static_cast<double>(logical.width) / PANGO_SCALE,
                      static_cast<double>(logical.height) / PANGO_SCALE};
        if (lines_.size() >= kLineCacheLimit)
            lines_.clear();
        PangoLayout *raw = layout.get();
        lines_.emplace(line_key{f.id, std::string(utf8)}, cached_line{std::move(layout), e});
        return {raw, e};
    }

    std::string chosen_face(const font_spec &wanted)
    {
        PangoFont *loaded = pango_context_load_font(context_, font(wanted).description);
        if (!loaded)
            return {};
        PangoFontDescription *d = pango_font_describe(loaded);
        char *text = pango_font_description_to_string(d);
        std::string out = text ? text : "";
        g_free(text);
        pango_font_description_free(d);
        g_object_unref(loaded);
        return out;
    }

private:
    bool private_fonts_ = false;
    PangoFontMap *map_ = nullptr;
    cairo_font_options_t *options_ = nullptr;
    PangoContext *context_ = nullptr;
    std::map<font_key, font_entry> fonts_;
    std::unordered_map<line_key, cached_line, line_key_hash, line_key_equal> lines_;
};

font_state &fonts()
{
    static font_state instance;
    return instance;
}

}  // namespace

font_session::font_session() : lock_(fonts().lock) {}

shaped_line font_session::shape(std::string_view utf8, const font_spec &font) const
{
    return fonts().shape(utf8, font);
}

std::string font_session::chosen_face(const font_spec &font) const { return fonts().chosen_face(font); }

bool font_session::uses_private_fonts() const { return fonts().private_fonts(); }

text_extent pango_text_measurer::measure(std::string_view utf8, const font_spec &font) const
{
    font_state &f = fonts();
    std::lock_guard<std::mutex> guard(f.lock);
    return f.shape(utf8, font).extent;
}

}  // namespace sheethost::render
