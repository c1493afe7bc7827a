// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The C library's locale for one test, put back afterwards. Qt applies the
// user's locale to the C library at start-up, so printf, strtod and streams
// see a decimal comma under ru_RU.UTF-8: every number text must give the same
// bytes under both of the locales below.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vp::testing {

// The locales the laboratory's users run it under.
inline constexpr const char* user_locales[] = {"C.UTF-8", "ru_RU.UTF-8"};

class CLibraryLocale {
public:
    explicit CLibraryLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr))
    {
        if (std::setlocale(LC_ALL, name) == nullptr)
            ADD_FAILURE() << "the locale " << name
                          << " is not generated on this machine (scripts/install-deps test generates it)";
    }
    ~CLibraryLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    CLibraryLocale(const CLibraryLocale&) = delete;
    CLibraryLocale& operator=(const CLibraryLocale&) = delete;

private:
    std::string previous_;
};

} // namespace vp::testing
