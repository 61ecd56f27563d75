// The runtime's fixed error texts: one entry per number, found by either way of
// writing a runtime error, and the application-defined text for everything else.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "oleaut.h"
#include "oleaut/bstr.hpp"

namespace {

struct text_case {
    LONG number;
    const char16_t *text;
};

std::string hex(LONG n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(n));
    return buf;
}

std::u16string description_of(LONG number)
{
    oleaut::bstr d;
    EXPECT_EQ(OaRtErrorDescription(number, d.put()), S_OK);
    EXPECT_FALSE(d.is_null());
    return d.str();
}

class ErrorTable : public ::testing::TestWithParam<text_case> {};

TEST_P(ErrorTable, GivesTheFixedText)
{
    EXPECT_EQ(description_of(GetParam().number), GetParam().text) << hex(GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    RuntimeErrors, ErrorTable,
    ::testing::Values(text_case{OART_E_INVALIDPROCCALL, u"Invalid procedure call or argument"},
                      text_case{OART_E_OVERFLOW, u"Overflow"}, text_case{OART_E_OUTOFMEMORY, u"Out of memory"},
                      text_case{OART_E_SUBSCRIPT, u"Subscript out of range"},
                      text_case{OART_E_DIVBYZERO, u"Division by zero"},
                      text_case{OART_E_TYPEMISMATCH, u"Type mismatch"},
                      text_case{OART_E_FILEACCESS, u"Path/File access error"},
                      text_case{OART_E_OBJECTNOTSET, u"Object variable or With block variable not set"},
                      text_case{OART_E_INVALIDUSEOFNULL, u"Invalid use of Null"},
                      text_case{OART_E_CANTCREATEOBJECT, u"ActiveX component can't create object"},
                      text_case{OART_E_NOTSUPPORTED, u"Object doesn't support this property or method"},
                      text_case{OART_E_AUTOMATIONERROR, u"Automation error"}));

INSTANTIATE_TEST_SUITE_P(
    SystemErrors, ErrorTable,
    ::testing::Values(
        text_case{DISP_E_TYPEMISMATCH, u"Type mismatch."}, text_case{DISP_E_OVERFLOW, u"Out of present range."},
        text_case{DISP_E_PARAMNOTFOUND, u"Parameter not found."},
        text_case{DISP_E_BADPARAMCOUNT, u"Invalid number of parameters."},
        text_case{DISP_E_MEMBERNOTFOUND, u"Member not found."}, text_case{DISP_E_UNKNOWNNAME, u"Unknown name."},
        text_case{DISP_E_BADVARTYPE, u"Bad variable type."}, text_case{DISP_E_BADINDEX, u"Invalid index."},
        text_case{DISP_E_EXCEPTION, u"Exception occurred."}, text_case{E_NOTIMPL, u"Not implemented"},
        text_case{E_NOINTERFACE, u"No such interface supported"}, text_case{E_POINTER, u"Invalid pointer"},
        text_case{E_FAIL, u"Unspecified error"},
        text_case{E_OUTOFMEMORY, u"Not enough memory resources are available to complete this operation."},
        text_case{E_INVALIDARG, u"The parameter is incorrect."}, text_case{E_UNEXPECTED, u"Catastrophic failure"},
        text_case{REGDB_E_CLASSNOTREG, u"Class not registered"},
        text_case{CO_E_CLASSSTRING, u"Invalid class string"},
        text_case{CO_E_NOTINITIALIZED, u"CoInitialize has not been called."},
        text_case{CO_E_DLLNOTFOUND, u"DLL for class not found"}, text_case{CO_E_ERRORINDLL, u"Error in the DLL"},
        text_case{CLASS_E_CLASSNOTAVAILABLE, u"ClassFactory cannot supply requested class"},
        text_case{CLASS_E_NOAGGREGATION, u"Class does not support aggregation (or class object is remote)"},
        text_case{RPC_E_WRONG_THREAD,
                  u"The application called an interface that was marshalled for a different thread."},
        text_case{RPC_E_CHANGED_MODE, u"Cannot change thread mode after it is set."}));

// A script writes runtime errors by their short number; both forms name one entry.
INSTANTIATE_TEST_SUITE_P(ShortNumbers, ErrorTable,
                         ::testing::Values(text_case{5, u"Invalid procedure call or argument"},
                                           text_case{13, u"Type mismatch"},
                                           text_case{429, u"ActiveX component can't create object"},
                                           text_case{440, u"Automation error"}));

INSTANTIATE_TEST_SUITE_P(
    Unknown, ErrorTable,
    ::testing::Values(text_case{OART_OBJECT_ERROR_BASE + 1001, u"Application-defined or object-defined error"},
                      text_case{1000, u"Application-defined or object-defined error"},
                      text_case{static_cast<LONG>(0x800A03E8), u"Application-defined or object-defined error"},
                      // Only the runtime's own facility has short numbers: 0x8004000D is not 13.
                      text_case{static_cast<LONG>(0x8004000D), u"Application-defined or object-defined error"},
                      text_case{0, u"Application-defined or object-defined error"}));

TEST(ErrorTableArguments, NullOutPointerIsRefused) { EXPECT_EQ(OaRtErrorDescription(13, nullptr), E_POINTER); }

}  // namespace

namespace {

// The same table names the numbers, for tools that print an HRESULT (regsvr).
TEST(ErrorTableNames, KnownNumbersHaveTheirSymbolicName)
{
    oleaut::bstr name;
    EXPECT_EQ(OaRtErrorName(E_INVALIDARG, name.put()), S_OK);
    EXPECT_EQ(name.utf8(), "E_INVALIDARG");
    EXPECT_EQ(OaRtErrorName(13, name.put()), S_OK);
    EXPECT_EQ(name.utf8(), "OART_E_TYPEMISMATCH");
    EXPECT_EQ(OaRtErrorName(SELFREG_E_CLASS, name.put()), S_OK);
    EXPECT_EQ(name.utf8(), "SELFREG_E_CLASS");
}

TEST(ErrorTableNames, UnknownNumbersHaveNone)
{
    oleaut::bstr name;
    EXPECT_EQ(OaRtErrorName(OART_OBJECT_ERROR_BASE + 1001, name.put()), S_FALSE);
    EXPECT_TRUE(name.is_null());
    EXPECT_EQ(OaRtErrorName(13, nullptr), E_POINTER);
}

}  // namespace
