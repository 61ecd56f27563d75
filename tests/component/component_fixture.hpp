// Runs the component against the recording fake host: a private registry holding only
// the fake under "Excel.Application", a private event log, and the fake's call log.
#ifndef TESTS_COMPONENT_COMPONENT_FIXTURE_HPP
#define TESTS_COMPONENT_COMPONENT_FIXTURE_HPP

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "automation/quillet_object.hpp"
#include "support/fake_host/fake_host.hpp"

namespace component_test {

struct log_entry {
    int type;
    std::string text;
    bool operator==(const log_entry &) const = default;
};

class fixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string base = ::testing::TempDir() + "quillet-" + std::to_string(::getpid()) + "-";
        registry_ = base + "registry";
        event_log_ = base + "events.log";
        ::unlink(registry_.c_str());
        ::unlink(event_log_.c_str());
        ::setenv("OLEAUT_REGISTRY", registry_.c_str(), 1);
        ::setenv("OLEAUT_EVENTLOG", event_log_.c_str(), 1);
        library_ = dlopen(FAKE_HOST_PATH, RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
        auto state_fn = reinterpret_cast<fake_host::state *(*)()>(dlsym(library_, "FakeHostState"));
        ASSERT_NE(state_fn, nullptr);
        host_ = state_fn();
        host_->reset();
        if (register_fake_host()) {
            auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library_, "DllRegisterServer"));
            ASSERT_EQ(reg(), S_OK);
        }
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    }
    void TearDown() override
    {
        CoUninitialize();
        EXPECT_EQ(host_->objects_alive, 0) << "a host object was not released";
        dlclose(library_);
        ::unlink(registry_.c_str());
        ::unlink(event_log_.c_str());
    }
    virtual bool register_fake_host() const { return true; }

    oleaut::com_ptr<quillet::cQuillet> create()
    {
        return oleaut::com_ptr<quillet::cQuillet>::attach(quillet::cQuillet::create());
    }

    // Call texts recorded since the last mark().
    void mark() { mark_ = host_->calls.size(); }
    std::vector<std::string> calls_since_mark() const
    {
        std::vector<std::string> out;
        for (size_t i = mark_; i < host_->calls.size(); ++i)
            out.push_back(host_->calls[i].text());
        return out;
    }

    // Event log entries (type, unescaped text).
    std::vector<log_entry> log_entries() const
    {
        std::vector<log_entry> out;
        std::ifstream in(event_log_);
        std::string line;
        while (std::getline(in, line)) {
            size_t a = line.find('\t'), b = line.find('\t', a + 1), c = line.find('\t', b + 1);
            std::string text, raw = line.substr(c + 1);
            for (size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] == '\\' && i + 1 < raw.size()) {
                    char e = raw[++i];
                    text += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
                } else {
                    text += raw[i];
                }
            }
            out.push_back({std::stoi(line.substr(b + 1, c - b - 1)), text});
        }
        return out;
    }

    // Fails the n-th call of cls.member from now on.
    void fail(const std::string &cls, const std::string &member, int occurrence = 1,
              HRESULT number = static_cast<HRESULT>(0x800A03EC), std::u16string description = u"Refused by the host")
    {
        fake_host::fault f;
        f.object_class = cls;
        f.member = member;
        f.occurrence = occurrence;
        f.number = number;
        f.description = std::move(description);
        host_->faults.push_back(f);
    }

    // A scripted recordset whose one field holds these rows.
    using rows = std::vector<oleaut::variant>;
    oleaut::com_ptr<IDispatch> recordset(const rows &values, const std::u16string &field = u"Sales")
    {
        // Shallow views: the recordset copies each value before `values` goes away.
        std::vector<VARIANT> views(values.begin(), values.end());
        return oleaut::com_ptr<IDispatch>::attach(host_->make_recordset(field, views));
    }
    static rows numbers(int n)
    {
        rows rows;
        for (int i = 1; i <= n; ++i)
            rows.push_back(oleaut::variant::r8(i * 1.5));
        return rows;
    }
    static rows words(const std::string &prefix, int n)
    {
        rows rows;
        for (int i = 1; i <= n; ++i)
            rows.push_back(oleaut::variant::str_utf8(prefix + std::to_string(i)));
        return rows;
    }
    // Calls of one member since mark(), as text.
    std::vector<std::string> calls_of(const std::string &member) const
    {
        std::vector<std::string> out;
        for (size_t i = mark_; i < host_->calls.size(); ++i)
            if (host_->calls[i].member == member)
                out.push_back(host_->calls[i].text());
        return out;
    }
    // The cell writes (Range.Item puts) since mark(), without the object's name.
    std::vector<std::string> cell_writes() const
    {
        std::vector<std::string> out;
        for (const std::string &s : calls_of("Item"))
            if (s.find(".put Item(") != std::string::npos)
                out.push_back(s.substr(s.find(".put")));
        return out;
    }
    // Adds `count` series of two rows each, as a client would.
    void add_series(quillet::cQuillet &q, int count)
    {
        for (int i = 0; i < count; ++i) {
            auto rs = recordset(numbers(2));
            oleaut::bstr col(u"Sales"), name(u"S");
            ASSERT_EQ(q.AddDataSeries(rs.get(), col.get(), name.get(), 0, 0), S_OK);
        }
    }
    // The description of the error the last failing call left in the thread's error info.
    static std::string error_description()
    {
        oleaut::com_ptr<IErrorInfo> info;
        GetErrorInfo(0, info.put());
        oleaut::bstr d;
        if (info)
            info->GetDescription(d.put());
        return d.utf8();
    }

    // Source and description of the error the last failing call left in the thread's
    // error info, read at once (reading the error info takes it away).
    struct published_error {
        std::u16string source;
        std::string description;
    };
    static published_error last_error()
    {
        oleaut::com_ptr<IErrorInfo> info;
        GetErrorInfo(0, info.put());
        oleaut::bstr s, d;
        if (info) {
            info->GetSource(s.put());
            info->GetDescription(d.put());
        }
        return {s.str(), d.utf8()};
    }

    fake_host::state *host_ = nullptr;
    std::string registry_, event_log_;
    void *library_ = nullptr;
    size_t mark_ = 0;
};

}  // namespace component_test

#endif
