// A heap object for the C++ layer tests that counts its references and records when
// it dies, so a leak (count stays up) and a double release (dies early, count goes
// negative) both show.
#ifndef TESTS_RUNTIME_CPP_LAYER_COUNTED_HPP
#define TESTS_RUNTIME_CPP_LAYER_COUNTED_HPP

#include "oleaut/unknown.hpp"

namespace cpp_layer_test {

struct lifetime {
    int refs = 0;
    bool destroyed = false;
    int over_released = 0;  // Release calls after the count reached 0
};

// The count lives in the test's record, which outlives the object: the record's last
// release destroys the object, and a release past zero is recorded, not acted on.
class counted_dispatch final
    : public oleaut::unknown<counted_dispatch, oleaut::interfaces<IDispatch>, oleaut::owner_counted> {
public:
    // Starts with one reference, owned by the caller.
    static counted_dispatch *create(lifetime &life)
    {
        life = lifetime{};
        life.refs = 1;
        return new counted_dispatch(life);
    }

    struct recorder {
        counted_dispatch &self;
        ULONG add_ref() { return static_cast<ULONG>(++self.life_.refs); }
        ULONG release()
        {
            lifetime &life = self.life_;
            if (life.refs <= 0) {
                ++life.over_released;
                return 0;
            }
            const int left = --life.refs;
            if (left == 0) {
                life.destroyed = true;
                delete &self;
            }
            return static_cast<ULONG>(left);
        }
    };
    recorder count_owner() noexcept { return recorder{*this}; }

    STDMETHOD(GetTypeInfoCount)(UINT *n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return DISP_E_UNKNOWNNAME; }
    STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    explicit counted_dispatch(lifetime &life) : life_(life) {}
    ~counted_dispatch() = default;
    lifetime &life_;
};

}  // namespace cpp_layer_test

#endif
