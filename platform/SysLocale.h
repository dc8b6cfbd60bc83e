#pragma once

#include <QChar>

namespace Platform {

// Locale identifier of Simplified Chinese (China); the programs treat every
// other system language as English.
inline constexpr int kLcidChineseSimplified = 0x804;
inline constexpr int kLcidEnglishUs = 0x409;

// The system's default locale identifier, derived from the process locale
// (LANG / LC_ALL) unless a test has fixed it.
int SystemDefaultLcid();

// Fixes the value SystemDefaultLcid() returns; a negative value clears it.
void SetSystemLcidForTesting(int lcid);

} // namespace Platform

namespace Platform {

// Makes "." the decimal separator of every number this process formats or
// parses (C library and Qt's default locale); the desktop's own setting is not
// touched. Returns the separator the user's locale had.
QChar UsePointDecimalSeparator();

} // namespace Platform
