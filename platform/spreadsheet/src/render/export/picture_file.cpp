// The host's picture files through the platform's one atomic replacement
// (platform/runtime/files), its failures as the host's "cannot write" error.
#include "render/export/picture_file.hpp"

#include "atomic_replace.hpp"
#include "host_errors.hpp"
#include "oleaut/utf.hpp"

namespace sheethost::render {

void write_file_atomically(const std::string &path, const std::vector<uint8_t> &bytes)
{
    const auto failure = oleaut::files::replace_file_atomically(
        path, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    if (failure)
        raise_host_error(host_error::cannot_write, oleaut::utf8_to_utf16(path),
                         oleaut::utf8_to_utf16(failure->reason));
}

}  // namespace sheethost::render
