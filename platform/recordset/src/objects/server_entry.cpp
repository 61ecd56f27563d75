// librecordset.so's four entry points: the class factory for "ADODB.Recordset" and its
// registration, both from the dispatch toolkit.
#include "objects/recordset_ids.hpp"
#include "objects/recordset_object.hpp"
#include "oleaut/dispatch/server.hpp"

namespace {

const oleaut::disp::class_entry kClasses[] = {
    {&recordset::kCLSID_Recordset, recordset::kProgID, u"Recordset over SQLite, CSV and in-memory rows",
     &oleaut::disp::create_instance<recordset::recordset_object>},
};

}  // namespace

OLEAUT_DEFINE_SERVER_ENTRY_POINTS(kClasses)
