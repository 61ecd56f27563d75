// One section of an ELF file, read from the file itself (never loaded, so no code of a
// library is run to read its resources). Only the bytes the headers point at are read,
// each range checked against the file's size first: a damaged or hostile file is
// refused with a description of what is wrong, never read past.
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/resources.hpp"

namespace oleaut::disp {

namespace {

constexpr char16_t kSource[] = u"Library file";
// More than any resource section a library carries; a larger claim is damage, and
// refusing it keeps a hostile file from making the reader allocate without bound.
constexpr uint64_t kMaxSectionBytes = 256u << 20;

class elf_file {
public:
    explicit elf_file(const std::string &path) : path_(path)
    {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            const int error = errno;
            fail(error == ENOENT ? resource_e_file_not_found : TYPE_E_IOERROR,
                 "cannot open it: " + std::string(std::strerror(error)) + ".");
        }
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            fail(TYPE_E_IOERROR, "cannot read its size: " + std::string(std::strerror(errno)) + ".");
        if (!S_ISREG(st.st_mode))
            fail(resource_e_bad_format, "it is not a regular file.");
        size_ = static_cast<uint64_t>(st.st_size);
    }
    elf_file(const elf_file &) = delete;
    elf_file &operator=(const elf_file &) = delete;
    ~elf_file() { ::close(fd_); }

    uint64_t size() const noexcept { return size_; }

    // `count` bytes at `offset`, which must lie inside the file.
    void read(uint64_t offset, void *into, uint64_t count, const char *what) const
    {
        if (offset > size_ || count > size_ - offset)
            fail(TYPE_E_INVDATAREAD, std::string(what) + " (" + std::to_string(count) + " bytes at offset " +
                                         std::to_string(offset) + ") lies outside the file of " +
                                         std::to_string(size_) + " bytes; its headers are damaged.");
        auto *out = static_cast<char *>(into);
        while (count > 0) {
            const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                fail(TYPE_E_IOERROR, std::string("reading ") + what + " failed: " +
                                         (got < 0 ? std::strerror(errno) : "the file ended early") + ".");
            out += got;
            offset += static_cast<uint64_t>(got);
            count -= static_cast<uint64_t>(got);
        }
    }

    [[noreturn]] void fail(HRESULT hr, const std::string &why) const
    {
        throw com_error(hr, kSource, utf8_to_utf16("'" + path_ + "': " + why));
    }

private:
    std::string path_;
    int fd_ = -1;
    uint64_t size_ = 0;
};

Elf64_Ehdr read_elf_header(const elf_file &file)
{
    unsigned char ident[EI_NIDENT] = {};
    if (file.size() < EI_NIDENT)
        file.fail(resource_e_bad_format, "it is not an ELF file (it is only " + std::to_string(file.size()) +
                                             " bytes long).");
    file.read(0, ident, EI_NIDENT, "the identification bytes");
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        file.fail(resource_e_bad_format, "it is not an ELF file.");
    if (ident[EI_CLASS] != ELFCLASS64)
        file.fail(resource_e_bad_format, "it is a 32-bit ELF file; only 64-bit libraries are read.");
    if (ident[EI_DATA] != ELFDATA2LSB)
        file.fail(resource_e_bad_format, "it is a big-endian ELF file; only little-endian libraries are read.");
    if (ident[EI_VERSION] != EV_CURRENT)
        file.fail(resource_e_bad_format, "its ELF version " + std::to_string(ident[EI_VERSION]) + " is unknown.");
    Elf64_Ehdr header{};
    file.read(0, &header, sizeof header, "the ELF header");
    return header;
}

Elf64_Shdr read_section_header(const elf_file &file, const Elf64_Ehdr &header, uint64_t index)
{
    Elf64_Shdr section{};
    file.read(header.e_shoff + index * sizeof(Elf64_Shdr), &section, sizeof section, "a section header");
    return section;
}

std::vector<BYTE> read_contents(const elf_file &file, const Elf64_Shdr &section, const char *what)
{
    if (section.sh_type == SHT_NOBITS)
        file.fail(TYPE_E_INVDATAREAD, std::string(what) + " occupies no bytes in the file.");
    if (section.sh_size > kMaxSectionBytes)
        file.fail(TYPE_E_INVDATAREAD, std::string(what) + " claims " + std::to_string(section.sh_size) +
                                          " bytes, more than any section this reader accepts.");
    std::vector<BYTE> bytes(static_cast<size_t>(section.sh_size));
    file.read(section.sh_offset, bytes.data(), bytes.size(), what);
    return bytes;
}

}  // namespace

std::vector<BYTE> read_elf_section(const std::string &path, std::string_view wanted)
{
    const elf_file file(path);
    const Elf64_Ehdr header = read_elf_header(file);
    if (header.e_shoff == 0)
        file.fail(resource_e_no_resources, "it has no section headers, so no resource section.");
    if (header.e_shentsize != sizeof(Elf64_Shdr))
        file.fail(TYPE_E_INVDATAREAD, "its section headers are " + std::to_string(header.e_shentsize) +
                                          " bytes each instead of " + std::to_string(sizeof(Elf64_Shdr)) + ".");

    if (header.e_shoff > file.size() || file.size() - header.e_shoff < sizeof(Elf64_Shdr))
        file.fail(TYPE_E_INVDATAREAD, "its section headers start at offset " + std::to_string(header.e_shoff) +
                                          ", outside the file of " + std::to_string(file.size()) + " bytes.");

    // With more sections than the header can count, the first section header holds
    // the real count and the index of the section names.
    uint64_t count = header.e_shnum;
    uint64_t names_index = header.e_shstrndx;
    if (count == 0 || names_index == SHN_XINDEX) {
        const Elf64_Shdr first = read_section_header(file, header, 0);
        if (count == 0)
            count = first.sh_size;
        if (names_index == SHN_XINDEX)
            names_index = first.sh_link;
    }
    if (count > (file.size() - header.e_shoff) / sizeof(Elf64_Shdr))
        file.fail(TYPE_E_INVDATAREAD, "it declares " + std::to_string(count) +
                                          " section headers, more than fit between their offset and the end of "
                                          "the file.");
    if (names_index == SHN_UNDEF || names_index >= count)
        file.fail(TYPE_E_INVDATAREAD, "its section name table is section " + std::to_string(names_index) +
                                          " of " + std::to_string(count) + ".");

    const std::vector<BYTE> names = read_contents(file, read_section_header(file, header, names_index),
                                                  "The section name table");
    for (uint64_t i = 1; i < count; ++i) {
        const Elf64_Shdr section = read_section_header(file, header, i);
        if (section.sh_name >= names.size())
            file.fail(TYPE_E_INVDATAREAD, "section " + std::to_string(i) + "'s name lies outside the name table.");
        const auto *start = reinterpret_cast<const char *>(names.data()) + section.sh_name;
        const size_t room = names.size() - section.sh_name;
        const size_t length = strnlen(start, room);
        if (length == room)
            file.fail(TYPE_E_INVDATAREAD, "section " + std::to_string(i) + "'s name runs off the name table.");
        if (std::string_view(start, length) == wanted)
            return read_contents(file, section, "The resource section");
    }
    file.fail(resource_e_no_resources,
              "it has no resource section (" + std::string(wanted) + "), so it carries no resources.");
}

}  // namespace oleaut::disp
