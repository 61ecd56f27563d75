// Building the private fontconfig configuration; see font_config.hpp for why.
#include "render/paint/font_config.hpp"

#include <cstdlib>

namespace sheethost::render {

namespace {

// Text for XML character data: font directories are paths, which may hold '&' or '<'.
std::string xml_escaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

font_configuration load_font_configuration(const char *font_directory)
{
    for (const char *variable : {"FONTCONFIG_FILE", "FONTCONFIG_PATH"}) {
        const char *value = std::getenv(variable);
        if (value && *value)
            return {nullptr, std::string(variable) + " is set"};
    }
    // The system cache directory holds the cache fc-cache wrote for the DejaVu
    // directory; without a valid cache there fontconfig reads the font files
    // themselves, which is slower but gives the same fonts.
    std::string xml = "<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>" + xml_escaped(font_directory) +
                      "</dir>\n  <cachedir>/var/cache/fontconfig</cachedir>\n"
                      "  <cachedir prefix=\"xdg\">fontconfig</cachedir>\n";
    // The one system rule that changes how our faces draw: DejaVu's hints misplace
    // stems below 8 pixels per em, so small text goes unhinted, as Debian's
    // 20-unhint-small-dejavu-*.conf say. Small value labels look as they always did.
    for (const char *family : {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"})
        xml += std::string("  <match target=\"font\"><test name=\"family\"><string>") + family +
               "</string></test><test compare=\"less\" name=\"pixelsize\"><double>7.5</double></test>"
               "<edit name=\"hinting\"><bool>false</bool></edit></match>\n";
    xml += "</fontconfig>\n";
    FcConfig *config = FcConfigCreate();
    if (!config)
        return {nullptr, "fontconfig could not make a configuration"};
    if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(xml.c_str()), FcFalse) ||
        !FcConfigBuildFonts(config)) {
        FcConfigDestroy(config);
        return {nullptr, "fontconfig refused the private configuration"};
    }
    FcFontSet *fonts = FcConfigGetFonts(config, FcSetSystem);
    if (!fonts || fonts->nfont == 0) {
        FcConfigDestroy(config);
        return {nullptr, std::string("no fonts in ") + font_directory};
    }
    return {config, {}};
}

}  // namespace sheethost::render
