#pragma once
// The date a date picker edits, one field at a time: valid dates, stepping a field with
// wrap-around, and typing digits into a field.

#include <string>

#include "Platform/Win32.h"

namespace Platform {

enum class DateField { Year, Month, Day };

constexpr int kFirstYear = 1601;  // the earliest date SYSTEMTIME can turn into a FILETIME
constexpr int kLastYear = 9999;   // four digits on screen

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// A date (and time of day) a picker accepts: every field in its range, the day in its month.
bool IsValidSystemTime(const SYSTEMTIME& st);
// Sets wDayOfWeek from the date.
void FillDayOfWeek(SYSTEMTIME* st);

// Adds delta to one field: months and days wrap within their range, years stop at the ends.
// The day is then kept inside the month.
void StepField(SYSTEMTIME* st, DateField field, int delta);

// Digits typed into one field. Each digit that makes a valid value sets the field at once; the
// field is complete (the caret should move on) when no further digit could fit.
class DigitEntry {
 public:
  void Reset() { m_digits.clear(); }
  // Returns true when the field is complete after this digit.
  bool Type(SYSTEMTIME* st, DateField field, char16_t digit);

 private:
  std::u16string m_digits;
};

// The date as shown, yyyy-MM-dd, and where each field sits in that text.
std::u16string FormatDate(const SYSTEMTIME& st);
void FieldSpan(DateField field, int* start, int* length);

}  // namespace Platform
