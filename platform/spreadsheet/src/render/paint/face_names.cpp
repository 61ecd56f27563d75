// The face-name table and the word rules behind installed_family_for.
#include "render/paint/face_names.hpp"

#include <array>
#include <string>

namespace sheethost::render {

namespace {

constexpr std::string_view kSans = "DejaVu Sans";
constexpr std::string_view kSansCondensed = "DejaVu Sans Condensed";
constexpr std::string_view kSerif = "DejaVu Serif";
constexpr std::string_view kSerifCondensed = "DejaVu Serif Condensed";
constexpr std::string_view kMono = "DejaVu Sans Mono";

struct face_alias {
    std::string_view face;  // lower case
    std::string_view family;
};

// The faces Office documents and chart scripts name most often. DejaVu Sans descends
// from Bitstream Vera, drawn to Verdana's proportions, so it suits the sans faces best.
constexpr std::array kKnownFaces = {
    face_alias{"arial", kSans},
    face_alias{"arial black", kSans},
    face_alias{"arial narrow", kSansCondensed},
    face_alias{"helvetica", kSans},
    face_alias{"verdana", kSans},
    face_alias{"tahoma", kSans},
    face_alias{"ms sans serif", kSans},
    face_alias{"microsoft sans serif", kSans},
    face_alias{"segoe ui", kSans},
    face_alias{"calibri", kSans},
    face_alias{"candara", kSans},
    face_alias{"corbel", kSans},
    face_alias{"trebuchet ms", kSans},
    face_alias{"century gothic", kSans},
    face_alias{"franklin gothic medium", kSans},
    face_alias{"lucida sans unicode", kSans},
    face_alias{"gill sans", kSans},
    face_alias{"small fonts", kSans},
    face_alias{"symbol", kSans},
    face_alias{"times new roman", kSerif},
    face_alias{"times", kSerif},
    face_alias{"georgia", kSerif},
    face_alias{"garamond", kSerif},
    face_alias{"book antiqua", kSerif},
    face_alias{"palatino linotype", kSerif},
    face_alias{"palatino", kSerif},
    face_alias{"cambria", kSerif},
    face_alias{"constantia", kSerif},
    face_alias{"bookman old style", kSerif},
    face_alias{"century schoolbook", kSerif},
    face_alias{"ms serif", kSerif},
    face_alias{"courier new", kMono},
    face_alias{"courier", kMono},
    face_alias{"consolas", kMono},
    face_alias{"lucida console", kMono},
    face_alias{"andale mono", kMono},
    face_alias{"fixedsys", kMono},
    face_alias{"terminal", kMono},
};

std::string lower_ascii(std::u16string_view face)
{
    std::string out;
    out.reserve(face.size());
    for (char16_t c : face) {
        if (c >= u'A' && c <= u'Z')
            out += static_cast<char>(c - u'A' + 'a');
        else if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += '?';  // no table entry or rule word has letters beyond ASCII
    }
    return out;
}

bool has_word(std::string_view name, std::string_view word) { return name.find(word) != std::string_view::npos; }

}  // namespace

std::string_view installed_family_for(std::u16string_view face)
{
    std::string name = lower_ascii(face);
    size_t first = name.find_first_not_of(' ');
    size_t last = name.find_last_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    for (const face_alias &a : kKnownFaces)
        if (a.face == name)
            return a.family;

    // A name of our own family ("DejaVu Serif") or a generic one ("monospace") falls
    // through the same words.
    if (has_word(name, "mono") || has_word(name, "courier") || has_word(name, "console") ||
        has_word(name, "typewriter") || has_word(name, "code"))
        return kMono;
    bool narrow = has_word(name, "narrow") || has_word(name, "condensed") || has_word(name, "compressed");
    bool serif = (has_word(name, "serif") && !has_word(name, "sans")) || has_word(name, "roman") ||
                 has_word(name, "times") || has_word(name, "book") || has_word(name, "antiqua") ||
                 has_word(name, "garamond") || has_word(name, "bodoni") || has_word(name, "didot") ||
                 has_word(name, "baskerville") || has_word(name, "caslon");
    if (serif)
        return narrow ? kSerifCondensed : kSerif;
    return narrow ? kSansCondensed : kSans;
}

}  // namespace sheethost::render
