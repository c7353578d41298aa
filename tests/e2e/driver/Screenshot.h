// The whole screen (under Wine: the virtual desktop) as a 24-bit bitmap file.
#pragma once

#include <string>

namespace tvdriver {

bool SaveScreenBmp(const std::wstring& path, std::wstring& error);

}  // namespace tvdriver
