// Recordset.Open's decision: an in-memory recordset when fields were appended, else the
// rows that the connection string's provider reads for Source.
#ifndef RECORDSET_RECORDSET_OPEN_HPP
#define RECORDSET_RECORDSET_OPEN_HPP

#include "state/recordset_state.hpp"

namespace recordset {

// `source` and `connection` as the caller passed them (either may be missing, Empty or
// Null). ActiveConnection may also be an object whose default value is its connection
// string, as a Connection object's is.
void open_recordset(recordset_state &state, const VARIANT &source, const VARIANT &connection);

}  // namespace recordset

#endif
