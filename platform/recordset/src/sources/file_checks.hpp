// The checks every file-backed source makes before it reads: the file is there and is a
// file. They turn the platform's terse failures into messages that name the path.
#ifndef RECORDSET_FILE_CHECKS_HPP
#define RECORDSET_FILE_CHECKS_HPP

#include <string>
#include <string_view>

namespace recordset {

// Throws file_missing (naming the working directory a relative path counts from) or
// file_unreadable.
void require_readable_file(std::u16string_view path);

// The whole file; throws file_unreadable when reading fails part-way.
std::string read_whole_file(std::u16string_view path);

}  // namespace recordset

#endif
