// Loading a server library and finding one of its registration entry points, with
// failures worded for the person who ran regsvr.
#ifndef REGSVR_REGSVR_LIBRARY_H
#define REGSVR_REGSVR_LIBRARY_H

#include <string>

#include "oleaut.h"

namespace regsvr {

class server_library {
public:
    server_library() = default;
    server_library(const server_library &) = delete;
    server_library &operator=(const server_library &) = delete;
    ~server_library();

    // Loads the library; false with *error (the loader's own text) if it cannot.
    bool load(const std::string &path, std::string *error);

    // The named entry point (DllRegisterServer or DllUnregisterServer), or null.
    LPFNREGISTERSERVER entry_point(const char *name) const;

    const std::string &path() const { return path_; }

private:
    void *handle_ = nullptr;
    std::string path_;
};

// The path regsvr loads for what the user typed: a bare file name means the file in
// the current directory (not a search of the library path), and an existing file is
// made absolute so that the server records a path that works from anywhere.
std::string library_path_for(const std::string &typed);

}  // namespace regsvr

#endif
