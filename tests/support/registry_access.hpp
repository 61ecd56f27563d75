// Short forms of the Reg* calls for tests, and the description the last failure
// published as error info.
#ifndef TEST_SUPPORT_REGISTRY_ACCESS_HPP
#define TEST_SUPPORT_REGISTRY_ACCESS_HPP

#include <string>
#include <vector>

#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"

namespace test_support {

// Owns an open HKEY.
class reg_key {
public:
    reg_key() = default;
    explicit reg_key(HKEY h) : h_(h) {}
    reg_key(const reg_key &) = delete;
    reg_key &operator=(const reg_key &) = delete;
    ~reg_key()
    {
        if (h_)
            RegCloseKey(h_);
    }
    HKEY get() const { return h_; }
    HKEY *put() { return &h_; }

private:
    HKEY h_ = nullptr;
};

inline LSTATUS create_key(const char16_t *path, reg_key &key, DWORD *disposition = nullptr)
{
    return RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.put(), disposition);
}

inline LSTATUS set_bytes(HKEY key, const char16_t *name, DWORD type, const std::vector<BYTE> &data)
{
    return RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}

inline LSTATUS set_string(HKEY key, const char16_t *name, const std::u16string &text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * 2));
}

inline LSTATUS set_dword(HKEY key, const char16_t *name, DWORD v)
{
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), sizeof v);
}

// Writes a string value at HKCR\path, creating the key.
inline LSTATUS put_string(const char16_t *path, const char16_t *name, const std::u16string &text)
{
    reg_key key;
    LSTATUS status = create_key(path, key);
    return status == ERROR_SUCCESS ? set_string(key.get(), name, text) : status;
}

// The value's type and bytes, asking for the size first as callers do.
inline LSTATUS query_bytes(HKEY key, const char16_t *name, DWORD *type, std::vector<BYTE> *data)
{
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return status;
    data->assign(size, 0xCD);
    status = RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
    data->resize(size);
    return status;
}

inline LSTATUS query_string(HKEY key, const char16_t *name, std::u16string *text)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    LSTATUS status = query_bytes(key, name, &type, &data);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ)
        return ERROR_INVALID_PARAMETER;
    text->assign(reinterpret_cast<const char16_t *>(data.data()), data.size() / 2);
    if (!text->empty() && text->back() == 0)
        text->pop_back();
    return ERROR_SUCCESS;
}

// The description of the thread's error info (and clears it); empty if none.
inline std::string error_info_description()
{
    oleaut::com_ptr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK || !info)
        return {};
    oleaut::bstr description;
    info->GetDescription(description.put());
    return description.utf8();
}

}  // namespace test_support

#endif
