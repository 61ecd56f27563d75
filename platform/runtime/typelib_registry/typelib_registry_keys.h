// Where a registered type library lives in HKEY_CLASSES_ROOT, spelled as Windows spells
// it, so that a registry written here reads like one written by the platform:
//
//   TypeLib\{LIBID}\<major>.<minor>              @ = the library's doc string, else its name
//   TypeLib\{LIBID}\<major>.<minor>\<lcid>\win32 @ = the library file
//   TypeLib\{LIBID}\<major>.<minor>\FLAGS        @ = the library flags, in decimal
//   TypeLib\{LIBID}\<major>.<minor>\HELPDIR      @ = the help directory
//   Interface\{IID}                              @ = the interface name
//   Interface\{IID}\ProxyStubClsid[32]           @ = the automation marshaler's CLSID
//   Interface\{IID}\TypeLib                      @ = {LIBID}, "Version" = <major>.<minor>
//
// Version numbers and the locale are written in hexadecimal, as RegisterTypeLib writes
// them: version 17.0 is the key "11.0", locale 1033 the key "409".
#ifndef OLEAUT_SRC_TYPELIB_REGISTRY_KEYS_H
#define OLEAUT_SRC_TYPELIB_REGISTRY_KEYS_H

#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_tree.h"

namespace oleaut::detail {

// The source of the errors the type library functions publish.
inline constexpr std::u16string_view kTypeLibSource = u"Type library";

// Publishes (kTypeLibSource, description) as error info and answers hr.
HRESULT typelib_failure(HRESULT hr, std::string_view description);

std::u16string version_key_name(WORD major, WORD minor);  // "11.0"
std::u16string lcid_key_name(LCID lcid);                  // "409"
// "win16", "win32", "mac", "win64"; null for a kind Windows has no key for.
const char16_t *platform_key_name(SYSKIND kind) noexcept;

struct registered_version {
    WORD major = 0;
    WORD minor = 0;
};
// A version key's numbers; nothing if the name is not "<hex>.<hex>".
std::optional<registered_version> parse_version_key_name(std::u16string_view name);
// A locale key's number; nothing if the name is not hexadecimal.
std::optional<LCID> parse_lcid_key_name(std::u16string_view name);

registry::key_path typelib_key_path(REFGUID libid);  // TypeLib\{LIBID}
registry::key_path interface_key_path(REFGUID iid);  // Interface\{IID}

// A REG_SZ value holding text (with the terminating NUL the registry stores).
registry::value string_value(std::u16string_view text);
// The text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL; nothing otherwise.
std::optional<std::u16string> string_of(const registry::value &v);

}  // namespace oleaut::detail

#endif
