#pragma once
// The product's own addresses, used by the Help menu and the About window.

namespace quickdex {

inline constexpr const char* HomePageAddress = "http://www.quickdex.net/";
inline constexpr const char* SupportMailAddress = "support@quickdex.net";
inline constexpr const char* CopyrightText = "2026 the quickdex developers";
inline constexpr const char* HelpFileName = "help.chm";

} // namespace quickdex
