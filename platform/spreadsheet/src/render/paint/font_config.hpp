// The fontconfig configuration the renderer draws with.
//
// Loading the system's configuration costs more than the rest of a chart process put
// together: fontconfig parses some thirty XML rule files (about 25 ms and 25 M
// instructions on Debian 12), while a chart needs one font family. So, unless the user
// has pointed fontconfig at a configuration of their own (FONTCONFIG_FILE or
// FONTCONFIG_PATH set), the renderer builds a private configuration from a few lines
// of XML: the DejaVu directory and the system's font cache directory, which makes it
// cost well under a millisecond. Requested face names are mapped to DejaVu families
// by installed_family_for (face_names.hpp), not by fontconfig rules.
//
// The private configuration also becomes fontconfig's current one for the process:
// pango starts fontconfig's default initialisation (FcInit) on a thread of its own as
// soon as a font map exists and waits for it before matching fonts, and FcInit does
// nothing when a current configuration is already set. A client in the same process
// that calls fontconfig with the default configuration therefore sees the DejaVu
// fonts only; such a client sets FONTCONFIG_FILE to keep the system's configuration.
#ifndef SHEETHOST_RENDER_FONT_CONFIG_HPP
#define SHEETHOST_RENDER_FONT_CONFIG_HPP

#include <fontconfig/fontconfig.h>

#include <string>

namespace sheethost::render {

// Where Debian's fonts-dejavu-core installs its faces.
inline constexpr const char *kFontDirectory = "/usr/share/fonts/truetype/dejavu";

struct font_configuration {
    // The private configuration (a reference the caller releases with
    // FcConfigDestroy), or nullptr to use fontconfig's default configuration.
    FcConfig *config = nullptr;
    // Why the default configuration is used, for the diagnostics; empty when private.
    std::string reason;
};

// Builds the private configuration over font_directory, or says why not: the user
// chose a configuration, or the directory holds no fonts fontconfig can read.
font_configuration load_font_configuration(const char *font_directory = kFontDirectory);

}  // namespace sheethost::render

#endif
