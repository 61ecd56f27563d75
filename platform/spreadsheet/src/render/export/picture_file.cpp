// The host's picture files through the platform's one atomic replacement
// (platform/runtime/files), its failures as the host's "cannot write" error.
#include "render/export/picture_file.hpp"

#include <cstdlib>
#include <string_view>

#include "host_errors.hpp"
#include "oleaut/utf.hpp"

namespace sheethost::render {

oleaut::files::durability export_durability(const char *setting)
{
    bool sync = setting != nullptr && *setting != '\0' && std::string_view(setting) != "0";
    return sync ? oleaut::files::durability::flushed : oleaut::files::durability::atomic_only;
}

void write_file_atomically(const std::string &path, const std::vector<uint8_t> &bytes)
{
    const auto failure = oleaut::files::replace_file_atomically(
        path, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()), 0,
        export_durability(std::getenv("SHEETHOST_SYNC_EXPORTS")));
    if (failure)
        raise_host_error(host_error::cannot_write, oleaut::utf8_to_utf16(path),
                         oleaut::utf8_to_utf16(failure->reason));
}

}  // namespace sheethost::render
