#include "sources/file_checks.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "errors/recordset_errors.hpp"

namespace recordset {

namespace {

std::filesystem::path to_path(std::u16string_view path) { return std::filesystem::path(oleaut::utf16_to_utf8(path)); }

std::u16string working_directory()
{
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::u16string(u"(unknown)") : from_utf8(cwd.string());
}

}  // namespace

void require_readable_file(std::u16string_view path)
{
    if (path.empty())
        fail(error_id::file_unreadable, {path, u"the Data Source is empty"});
    std::error_code ec;
    std::filesystem::file_status st = std::filesystem::status(to_path(path), ec);
    if (st.type() == std::filesystem::file_type::not_found)
        fail(error_id::file_missing, {path, working_directory()});
    if (ec)
        fail(error_id::file_unreadable, {path, from_utf8(ec.message())});
    if (st.type() == std::filesystem::file_type::directory)
        fail(error_id::file_unreadable, {path, u"it is a directory, not a file"});
}

std::string read_whole_file(std::u16string_view path)
{
    require_readable_file(path);
    std::ifstream in(to_path(path), std::ios::binary);
    if (!in)
        fail(error_id::file_unreadable, {path, from_utf8(std::strerror(errno))});
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        fail(error_id::file_unreadable, {path, u"a read error occurred"});
    return std::move(bytes).str();
}

}  // namespace recordset
