#pragma once
#include <string>
#include <string_view>

namespace vw::win32 {

// The portable code speaks UTF-8; Windows speaks UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace vw::win32
