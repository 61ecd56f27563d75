// The exported entry points of type_library_api.hpp over the builders of
// type_library_build.hpp: arguments checked, every exception turned into an HRESULT
// with error info.
#include <cstring>
#include <utility>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/type_library_api.hpp"
#include "oleaut/unknown.hpp"
#include "type_library_build.hpp"
#include "type_object_count.hpp"

namespace oleaut::disp {
namespace {

constexpr char16_t kSource[] = u"Type information";

// Holds the caller's owner for as long as the returned pointer (or a copy) lives.
std::shared_ptr<const void> hold(IUnknown *owner)
{
    if (!owner)
        return {};
    owner->AddRef();
    return std::shared_ptr<const void>(owner, [](const void *p) {
        static_cast<IUnknown *>(const_cast<void *>(p))->Release();
    });
}

// A description read from an image, kept alive by COM reference counting.
class description_owner final
    : public unknown<description_owner, interfaces<IUnknown>, self_owned<type_object_counted>> {
public:
    explicit description_owner(std::shared_ptr<const library_info> lib) : lib_(std::move(lib)) {}

private:
    std::shared_ptr<const library_info> lib_;
};

void require(const void *p, const char16_t *what)
{
    if (!p)
        throw com_error(E_POINTER, kSource, std::u16string(what) + u" was not given.");
}

}  // namespace
}  // namespace oleaut::disp

using namespace oleaut;
using namespace oleaut::disp;

STDAPI OaRtCreateTypeInfo(const interface_info *iface, IUnknown *owner, ITypeInfo **ppTInfo)
try {
    require(ppTInfo, u"The place for the type information");
    *ppTInfo = nullptr;
    require(iface, u"The interface description");
    *ppTInfo = build_type_info(*iface, hold(owner)).detach();
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

STDAPI OaRtCreateTypeLib(const library_info *lib, IUnknown *owner, ITypeLib **ppTLib)
try {
    require(ppTLib, u"The place for the type library");
    *ppTLib = nullptr;
    require(lib, u"The library description");
    std::shared_ptr<const void> held = hold(owner);
    *ppTLib = (held ? build_type_library(std::shared_ptr<const library_info>(held, lib)) : build_type_library(*lib))
                  .detach();
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

STDAPI OaRtWriteTypeLibImage(const library_info *lib, BYTE **ppImage, size_t *pcbImage)
try {
    require(ppImage, u"The place for the image");
    require(pcbImage, u"The place for the image's size");
    *ppImage = nullptr;
    *pcbImage = 0;
    require(lib, u"The library description");
    const std::vector<BYTE> image = encode_type_library_image(*lib);
    auto *out = static_cast<BYTE *>(CoTaskMemAlloc(image.empty() ? 1 : image.size()));
    if (!out)
        throw std::bad_alloc();
    std::memcpy(out, image.data(), image.size());
    *ppImage = out;
    *pcbImage = image.size();
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

STDAPI OaRtReadTypeLibImage(const BYTE *image, size_t cbImage, const library_info **ppLib, IUnknown **ppOwner)
try {
    require(ppLib, u"The place for the description");
    require(ppOwner, u"The place for the description's owner");
    *ppLib = nullptr;
    *ppOwner = nullptr;
    if (!image && cbImage != 0)
        require(image, u"The image");
    std::shared_ptr<const library_info> lib = decode_type_library_image(std::span(image, cbImage));
    *ppLib = lib.get();
    *ppOwner = new description_owner(std::move(lib));
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

STDAPI OaRtLoadTypeLibImage(const BYTE *image, size_t cbImage, ITypeLib **ppTLib)
try {
    require(ppTLib, u"The place for the type library");
    *ppTLib = nullptr;
    if (!image && cbImage != 0)
        require(image, u"The image");
    *ppTLib = build_type_library(decode_type_library_image(std::span(image, cbImage))).detach();
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

STDAPI OaRtDumpTypeLibIdl(ITypeLib *ptlib, char **ppszText)
try {
    require(ppszText, u"The place for the text");
    *ppszText = nullptr;
    const std::string text = render_idl(ptlib);
    auto *out = static_cast<char *>(CoTaskMemAlloc(text.size() + 1));
    if (!out)
        throw std::bad_alloc();
    std::memcpy(out, text.c_str(), text.size() + 1);
    *ppszText = out;
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

STDAPI_(LONG) OaRtTypeObjectsAlive(void) { return type_objects_counted(); }
