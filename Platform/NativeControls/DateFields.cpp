// Date arithmetic and field editing for the date picker.
#include "Platform/NativeControls/DateFields.h"

#include <algorithm>

namespace Platform {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidSystemTime(const SYSTEMTIME& st) {
  return st.wYear >= kFirstYear && st.wYear <= kLastYear && st.wMonth >= 1 && st.wMonth <= 12 &&
         st.wDay >= 1 && st.wDay <= DaysInMonth(st.wYear, st.wMonth) && st.wHour < 24 &&
         st.wMinute < 60 && st.wSecond < 60 && st.wMilliseconds < 1000;
}

void FillDayOfWeek(SYSTEMTIME* st) {
  // Sakamoto's method: 0 is Sunday.
  static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  int y = st->wYear - (st->wMonth < 3 ? 1 : 0);
  st->wDayOfWeek =
      static_cast<WORD>((y + y / 4 - y / 100 + y / 400 + kOffsets[st->wMonth - 1] + st->wDay) % 7);
}

namespace {

int Wrap(int value, int first, int last) {
  int span = last - first + 1;
  return first + ((value - first) % span + span) % span;
}

void ClampDay(SYSTEMTIME* st) {
  st->wDay = static_cast<WORD>(std::min<int>(st->wDay, DaysInMonth(st->wYear, st->wMonth)));
}

}  // namespace

void StepField(SYSTEMTIME* st, DateField field, int delta) {
  switch (field) {
    case DateField::Year:
      st->wYear = static_cast<WORD>(std::clamp(st->wYear + delta, kFirstYear, kLastYear));
      break;
    case DateField::Month: st->wMonth = static_cast<WORD>(Wrap(st->wMonth + delta, 1, 12)); break;
    case DateField::Day:
      st->wDay = static_cast<WORD>(Wrap(st->wDay + delta, 1, DaysInMonth(st->wYear, st->wMonth)));
      break;
  }
  ClampDay(st);
  FillDayOfWeek(st);
}

bool DigitEntry::Type(SYSTEMTIME* st, DateField field, char16_t digit) {
  if (digit < u'0' || digit > u'9') return false;
  m_digits.push_back(digit);
  int value = 0;
  for (char16_t d : m_digits) value = value * 10 + (d - u'0');
  int width = field == DateField::Year ? 4 : 2;
  int limit = field == DateField::Year    ? kLastYear
              : field == DateField::Month ? 12
                                          : DaysInMonth(st->wYear, st->wMonth);
  bool complete = static_cast<int>(m_digits.size()) >= width || value * 10 > limit;
  if (field == DateField::Year) {
    if (complete && value >= kFirstYear) st->wYear = static_cast<WORD>(value);
  } else if (value >= 1 && value <= limit) {
    (field == DateField::Month ? st->wMonth : st->wDay) = static_cast<WORD>(value);
  }
  ClampDay(st);
  FillDayOfWeek(st);
  if (complete) m_digits.clear();
  return complete;
}

std::u16string FormatDate(const SYSTEMTIME& st) {
  auto digits = [](int value, int width) {
    std::u16string s(static_cast<size_t>(width), u'0');
    for (int i = width - 1; i >= 0; --i, value /= 10) s[static_cast<size_t>(i)] = u'0' + value % 10;
    return s;
  };
  return digits(st.wYear, 4) + u"-" + digits(st.wMonth, 2) + u"-" + digits(st.wDay, 2);
}

void FieldSpan(DateField field, int* start, int* length) {
  switch (field) {
    case DateField::Year:
      *start = 0;
      *length = 4;
      return;
    case DateField::Month:
      *start = 5;
      *length = 2;
      return;
    case DateField::Day:
      *start = 8;
      *length = 2;
      return;
  }
}

}  // namespace Platform
