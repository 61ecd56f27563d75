// The runtime's count of live type information objects: type infos, type libraries,
// their families and every descriptor block handed out and not yet released. A server
// that builds its type information through the runtime is kept loaded by the lock it
// passes in (see type_library_api.hpp), not by this count; this one lets tests prove
// that every object and descriptor a client was given came back.
#ifndef OLEAUT_TYPELIB_TYPE_OBJECT_COUNT_HPP
#define OLEAUT_TYPELIB_TYPE_OBJECT_COUNT_HPP

namespace oleaut::disp {

void type_object_added() noexcept;
void type_object_removed() noexcept;
long type_objects_counted() noexcept;

// Counts one object for as long as it lives.
class type_object_counted {
protected:
    type_object_counted() noexcept { type_object_added(); }
    type_object_counted(const type_object_counted &) noexcept { type_object_added(); }
    type_object_counted &operator=(const type_object_counted &) noexcept = default;
    ~type_object_counted() { type_object_removed(); }
};

}  // namespace oleaut::disp

#endif
