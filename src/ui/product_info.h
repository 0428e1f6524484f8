#pragma once
// The product's name, credits and the maker's addresses: the one place in the
// code that holds them. The titles and the About box read them from here;
// cmake/install.cmake reads the two addresses from this file for the
// package's maintainer and home page.

namespace velmaric::product_info {

inline constexpr const char* name = "Velmaric";
// The About box shows the two addresses from a fixed place about 160 pixels
// from its right edge, in 16-pixel bold serif: keep them short.
inline constexpr const char* web_address = "https://velmaric.test";
inline constexpr const char* email_address = "hi@velmaric.test";

// The About box's credit row is "<credit>, <release_date>".
inline constexpr const char* credit = "The Velmaric developers";
inline constexpr const char* release_date = "August 2003";
inline constexpr const char* development = "Written in C++ with Qt 6";
// The current year, in four digits, is appended when the texts are applied.
inline constexpr const char* rights = "Copyright (c) The Velmaric developers, ";
// These two rows share their line with the e-mail and web links, which begin
// about 220 pixels to the right of them: keep them short.
inline constexpr const char* comment = "Questions and comments:";
inline constexpr const char* web_page_line = "News and updates:";

}  // namespace velmaric::product_info
