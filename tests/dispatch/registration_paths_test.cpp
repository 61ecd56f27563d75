// The help directory registered with a server's type library: the directory part of the
// server's path, on either platform's separators.
#include <gtest/gtest.h>

#include <string>

#include "oleaut/dispatch/embedded_type_library.hpp"

namespace {

struct path_case {
    const char16_t *path;
    const char16_t *directory;
};

class DirectoryOf : public ::testing::TestWithParam<path_case> {};

TEST_P(DirectoryOf, IsEverythingBeforeTheLastSeparator)
{
    EXPECT_EQ(oleaut::disp::directory_of(GetParam().path), std::u16string(GetParam().directory));
}

INSTANTIATE_TEST_SUITE_P(Paths, DirectoryOf,
                         ::testing::Values(path_case{u"/opt/quillet/lib/libquillet.so", u"/opt/quillet/lib"},
                                           path_case{u"/libquillet.so", u"/"},
                                           path_case{u"libquillet.so", u"."},
                                           path_case{u"", u"."},
                                           path_case{u"C:\\Program Files\\Quillet\\quillet.dll",
                                                     u"C:\\Program Files\\Quillet"},
                                           path_case{u"C:\\quillet.dll", u"C:\\"},
                                           path_case{u"Z:\\work/build\\bin/quillet.dll", u"Z:\\work/build\\bin"},
                                           path_case{u"\\\\server\\share\\quillet.dll", u"\\\\server\\share"}));

}  // namespace
