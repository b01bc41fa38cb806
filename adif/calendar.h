// Calendar days as ADIF and the DXCC lists write them, YYYYMMDD, and as days counted from
// 1970-01-01, for moving a contact by hours and for the time of writing.
#pragma once

namespace t2c::adif {

inline int days_in_month(int year, int month) {
    constexpr int DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (month < 1 || month > 12) return 0;
    return month == 2 && leap ? 29 : DAYS[month - 1];
}

// The day after date, counted on the calendar even from a day it does not have.
inline int next_day(int date) {
    const int year = date / 10000, month = date / 100 % 100, day = date % 100;
    if (day < days_in_month(year, month)) return date + 1;
    return month < 12 ? year * 10000 + (month + 1) * 100 + 1 : (year + 1) * 10000 + 101;
}

// Days from 1970-01-01 to a day of the proleptic Gregorian calendar, and back (the known
// era-based algorithm: 400 years are 146097 days).
inline long long days_from_civil(int year, int month, int day) {
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long year_of_era = y - era * 400;
    const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

inline long long date_from_days(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long day_of_era = days - era * 146097;
    const long long year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const long long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const long long shifted_month = (5 * day_of_year + 2) / 153;
    const long long day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
    const long long month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
    const long long year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
    return year * 10000 + month * 100 + day;  // YYYYMMDD
}

}  // namespace t2c::adif
