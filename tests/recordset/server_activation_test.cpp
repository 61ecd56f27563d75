// librecordset.so end to end: regsvr registers it into a private registry, a client
// activates "ADODB.Recordset" by ProgID, walks a CSV file late-bound, and after the last
// release the library may unload.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "objects/recordset_ids.hpp"
#include "recordset_test_support.hpp"
#include "support/run_process.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace rs_test;

class RecordsetServer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override { CoUninitialize(); }
    test_support::process_result regsvr(std::vector<std::string> flags)
    {
        std::vector<std::string> argv{REGSVR_PATH};
        argv.insert(argv.end(), flags.begin(), flags.end());
        argv.push_back(RECORDSET_LIB);
        return test_support::run_process(argv);
    }
    test_support::temp_registry registry_;
};

TEST_F(RecordsetServer, RegisterActivateReadUnregister)
{
    test_support::process_result reg = regsvr({});
    ASSERT_EQ(reg.exit_code, 0) << reg.out << reg.err;

    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"ADODB.Recordset", &clsid), S_OK);
    EXPECT_TRUE(IsEqualGUID(clsid, recordset::kCLSID_Recordset));
    {
        com_ptr<IDispatch> rs;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, rs.put_void()), S_OK);
        call(rs.get(), u"Open", {variant::missing(), variant::str(csv_connection(data_file("sales.csv")))});
        std::vector<std::string> sales;
        for (const variant &v : read_column(rs.get(), u"Sales"))
            sales.push_back(v.vt == VT_NULL ? "NULL" : v.to_bstr().utf8());
        EXPECT_EQ(sales, (std::vector<std::string>{"120", "135.5", "98", "NULL"}));

        // The recordset's errors arrive through the server's Invoke like any other.
        expect_error([&] { value_of(rs.get(), u"Sales"); }, kNoCurrentRecord, "past the last record");
    }
    // Every Fields and Field object went with the recordset, so nothing pins the library.
    CoFreeUnusedLibraries();
    EXPECT_EQ(dlopen(RECORDSET_LIB, RTLD_NOW | RTLD_NOLOAD), nullptr) << "librecordset.so was not unloaded";

    test_support::process_result unreg = regsvr({"-u"});
    ASSERT_EQ(unreg.exit_code, 0) << unreg.out << unreg.err;
    EXPECT_EQ(CLSIDFromProgID(u"ADODB.Recordset", &clsid), CO_E_CLASSSTRING);
}

TEST_F(RecordsetServer, ServerAnswersTheRecordsetInterface)
{
    ASSERT_EQ(regsvr({}).exit_code, 0);
    com_ptr<IUnknown> unk;
    ASSERT_EQ(CoCreateInstance(recordset::kCLSID_Recordset, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, unk.put_void()),
              S_OK);
    com_ptr<IDispatch> typed;
    EXPECT_EQ(unk->QueryInterface(recordset::kIID_Recordset, typed.put_void()), S_OK);
    EXPECT_EQ(get(typed.get(), u"State").lVal, 0);
}

}  // namespace
