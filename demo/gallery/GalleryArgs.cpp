#include "GalleryArgs.h"

#include <cstring>

namespace {

// The value of `count` decimal digits at p, or -1 when one of them is not a digit.
int ReadDigits(const char* p, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (p[i] < '0' || p[i] > '9') return -1;
    value = value * 10 + (p[i] - '0');
  }
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// 0 for Sunday, as SYSTEMTIME counts (Sakamoto's method on the Gregorian calendar).
int DayOfWeek(int year, int month, int day) {
  static const int kOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffset[month - 1] + day) % 7;
}

// A lifetime is plain decimal digits and at most a day, so it always fits a timer period.
bool ParseLifetime(const char* pszText, UINT& nMs) {
  const size_t len = std::strlen(pszText);
  if (len == 0 || len > 8) return false;
  const int value = ReadDigits(pszText, static_cast<int>(len));
  if (value < 0 || value > 24 * 60 * 60 * 1000) return false;
  nMs = static_cast<UINT>(value);
  return true;
}

}  // namespace

bool ParseIsoDate(const char* pszText, SYSTEMTIME& st) {
  if (pszText == nullptr || std::strlen(pszText) != 10) return false;
  if (pszText[4] != '-' || pszText[7] != '-') return false;
  const int year = ReadDigits(pszText, 4);
  const int month = ReadDigits(pszText + 5, 2);
  const int day = ReadDigits(pszText + 8, 2);
  if (year < 1601 || month < 1 || month > 12 || day < 1) return false;
  if (day > DaysInMonth(year, month)) return false;
  st = {};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(year, month, day));
  return true;
}

bool ParseGalleryArgs(int argc, const char* const* argv, GalleryArgs& args, std::string& sError) {
  bool bHasLifetime = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--date") {
      if (i + 1 >= argc) {
        sError = "--date needs a value (yyyy-mm-dd)";
        return false;
      }
      if (!ParseIsoDate(argv[++i], args.stDate)) {
        sError = std::string("not a date (yyyy-mm-dd): ") + argv[i];
        return false;
      }
      args.bHasDate = true;
    } else if (!bHasLifetime && !arg.empty() && arg[0] != '-') {
      if (!ParseLifetime(argv[i], args.nLifetimeMs)) {
        sError = "not a lifetime in milliseconds: " + arg;
        return false;
      }
      bHasLifetime = true;
    } else {
      sError = "unexpected argument: " + arg;
      return false;
    }
  }
  return true;
}
