// The process's pango state and a small measurement cache: layouts measure the same
// tick labels and headings many times while they try arrangements.
#include "render/pango_fonts.hpp"

#include <map>
#include <mutex>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>

#include "oleaut/utf.hpp"

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

constexpr size_t kMeasureCacheLimit = 8192;

class font_state {
public:
    font_state()
    {
        map_ = pango_cairo_font_map_new();
        options_ = cairo_font_options_create();
        cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
        measuring_ = make_context();
        painting_ = make_context();
    }
    ~font_state()
    {
        measure_layout_.reset();
        for (auto &entry : descriptions_)
            pango_font_description_free(entry.second);
        g_object_unref(measuring_);
        g_object_unref(painting_);
        cairo_font_options_destroy(options_);
        g_object_unref(map_);
    }
    font_state(const font_state &) = delete;
    font_state &operator=(const font_state &) = delete;

    std::mutex lock;

    PangoContext *painting() const { return painting_; }

    const PangoFontDescription *description(const font_spec &font)
    {
        font_key key{font.name, font.size, font.bold, font.italic};
        auto it = descriptions_.find(key);
        if (it != descriptions_.end())
            return it->second;
        PangoFontDescription *d = pango_font_description_new();
        std::string family = oleaut::utf16_to_utf8(font.name);
        pango_font_description_set_family(d, family.empty() ? "Sans" : family.c_str());
        pango_font_description_set_size(d, static_cast<gint>(std::max(1.0, font.size) * PANGO_SCALE + 0.5));
        pango_font_description_set_weight(d, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(d, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        descriptions_.emplace(key, d);
        return d;
    }

    text_extent measure(std::string_view utf8, const font_spec &font)
    {
        std::string key = oleaut::utf16_to_utf8(font.name);
        key += '\0';
        key += std::to_string(font.size) + (font.bold ? "b" : "") + (font.italic ? "i" : "");
        key += '\0';
        key += utf8;
        auto it = measured_.find(key);
        if (it != measured_.end())
            return it->second;
        if (!measure_layout_)
            measure_layout_.reset(pango_layout_new(measuring_));
        PangoLayout *layout = measure_layout_.get();
        pango_layout_set_font_description(layout, description(font));
        pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        text_extent e{static_cast<double>(logical.width) / PANGO_SCALE,
                      static_cast<double>(logical.height) / PANGO_SCALE};
        if (measured_.size() >= kMeasureCacheLimit)
            measured_.clear();
        measured_.emplace(std::move(key), e);
        return e;
    }

private:
    PangoContext *make_context()
    {
        PangoContext *c = pango_font_map_create_context(map_);
        pango_cairo_context_set_resolution(c, 72);
        pango_cairo_context_set_font_options(c, options_);
        pango_context_set_round_glyph_positions(c, FALSE);
        return c;
    }

    struct unref {
        void operator()(PangoLayout *l) const { g_object_unref(l); }
    };

    PangoFontMap *map_ = nullptr;
    cairo_font_options_t *options_ = nullptr;
    PangoContext *measuring_ = nullptr;
    PangoContext *painting_ = nullptr;
    std::unique_ptr<PangoLayout, unref> measure_layout_;
    std::map<font_key, PangoFontDescription *> descriptions_;
    std::unordered_map<std::string, text_extent> measured_;
};

font_state &fonts()
{
    static font_state instance;
    return instance;
}

}  // namespace

font_session::font_session() : lock_(fonts().lock) {}

PangoContext *font_session::painting_context() const { return fonts().painting(); }

const PangoFontDescription *font_session::description(const font_spec &font) const
{
    return fonts().description(font);
}

text_extent pango_text_measurer::measure(std::string_view utf8, const font_spec &font) const
{
    font_state &f = fonts();
    std::lock_guard<std::mutex> guard(f.lock);
    return f.measure(utf8, font);
}

}  // namespace sheethost::render
