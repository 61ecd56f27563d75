// Small ELF files made byte by byte for the tests of the resource reader: a 64-bit
// little-endian file with the given sections, and the offsets of its header fields so
// that a test can damage exactly one of them.
#ifndef TEST_SUPPORT_ELF_FILE_BUILDER_HPP
#define TEST_SUPPORT_ELF_FILE_BUILDER_HPP

#include <elf.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test_support {

struct elf_section {
    std::string name;
    std::vector<uint8_t> data;
    uint32_t type = SHT_PROGBITS;
};

// Where the parts of a built file are, for tests that damage one of them.
struct elf_layout {
    size_t section_headers = 0;  // offset of section header 0
    size_t names_index = 0;      // index of the section name table
};

// ELF header, the sections' bytes, the name table, then the section headers (header 0
// is the null section; the name table comes last).
inline std::vector<uint8_t> build_elf(const std::vector<elf_section> &sections, elf_layout *layout = nullptr)
{
    std::vector<uint8_t> file(sizeof(Elf64_Ehdr), 0);
    std::vector<Elf64_Shdr> headers(1);  // the null section
    std::string names(1, '\0');
    auto add = [&](const std::string &name, const std::vector<uint8_t> &data, uint32_t type) {
        while (file.size() % 8)
            file.push_back(0);
        Elf64_Shdr h{};
        h.sh_name = static_cast<Elf64_Word>(names.size());
        h.sh_type = type;
        h.sh_offset = file.size();
        h.sh_size = data.size();
        h.sh_addralign = 1;
        names += name + '\0';
        if (type != SHT_NOBITS)
            file.insert(file.end(), data.begin(), data.end());
        headers.push_back(h);
    };
    for (const elf_section &s : sections)
        add(s.name, s.data, s.type);
    const std::string names_name = ".shstrtab";
    std::vector<uint8_t> name_bytes(names.begin(), names.end());
    name_bytes.insert(name_bytes.end(), names_name.begin(), names_name.end());
    name_bytes.push_back(0);
    add(names_name, name_bytes, SHT_STRTAB);

    while (file.size() % 8)
        file.push_back(0);
    Elf64_Ehdr eh{};
    std::memcpy(eh.e_ident, ELFMAG, SELFMAG);
    eh.e_ident[EI_CLASS] = ELFCLASS64;
    eh.e_ident[EI_DATA] = ELFDATA2LSB;
    eh.e_ident[EI_VERSION] = EV_CURRENT;
    eh.e_type = ET_DYN;
    eh.e_machine = EM_X86_64;
    eh.e_version = EV_CURRENT;
    eh.e_ehsize = sizeof(Elf64_Ehdr);
    eh.e_shoff = file.size();
    eh.e_shentsize = sizeof(Elf64_Shdr);
    eh.e_shnum = static_cast<Elf64_Half>(headers.size());
    eh.e_shstrndx = static_cast<Elf64_Half>(headers.size() - 1);
    if (layout)
        *layout = {static_cast<size_t>(eh.e_shoff), headers.size() - 1};
    for (const Elf64_Shdr &h : headers) {
        const auto *p = reinterpret_cast<const uint8_t *>(&h);
        file.insert(file.end(), p, p + sizeof h);
    }
    std::memcpy(file.data(), &eh, sizeof eh);
    return file;
}

// Little-endian stores into a byte buffer, for damaging one field of a file or image.
inline void put_le(std::vector<uint8_t> &bytes, size_t at, uint64_t value, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

inline uint64_t get_le(const std::vector<uint8_t> &bytes, size_t at, size_t width)
{
    uint64_t v = 0;
    for (size_t i = 0; i < width; ++i)
        v |= static_cast<uint64_t>(bytes.at(at + i)) << (8 * i);
    return v;
}

}  // namespace test_support

#endif
