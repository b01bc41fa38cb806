// Calendar days, as the import line writes them and ADIF and the DXCC lists do (YYYYMMDD).
#pragma once

namespace t2c {

// The days of the month in that year; none for a month that is no month.
inline int days_in_month(int year, int month) {
    constexpr int DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (month < 1 || month > 12) return 0;
    return month == 2 && leap ? 29 : DAYS[month - 1];
}

// The day after date, YYYYMMDD, counted on the calendar even from a day it does not have.
inline int next_day(int date) {
    const int year = date / 10000, month = date / 100 % 100;
    if (date % 100 < days_in_month(year, month)) return date + 1;
    return month < 12 ? date - date % 10000 + (month + 1) * 100 + 1 : (year + 1) * 10000 + 101;
}

inline int previous_day(int date) {
    const int year = date / 10000, month = date / 100 % 100;
    if (date % 100 > 1) return date - 1;
    return month > 1 ? date - date % 10000 + (month - 1) * 100 + days_in_month(year, month - 1) : (year - 1) * 10000 + 1231;
}

}  // namespace t2c
