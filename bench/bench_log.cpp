#include "bench/bench_log.h"

#include <set>

namespace t2c::bench {

namespace {

template <typename T, std::size_t N>
const T& pick(Random& random, const T (&items)[N]) {
    return items[random.below(static_cast<int>(N))];
}

std::string letters(Random& random, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text.push_back(static_cast<char>('A' + random.below(26)));
    return text;
}

std::string two_digits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

struct Band {
    const char* band;
    const char* frequency;
};

}  // namespace

std::uint32_t Random::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<std::uint32_t>(state_ >> 32);
}

std::vector<Country> make_countries(Random& random, std::size_t count) {
    static const char* const WORDS[] = {"REP.", "OF", "ISLAND", "ISLANDS", "NORTH", "SOUTH",
                                        "FED.", "ST.", "UNITED", "KINGDOM", "THE", "AND"};
    std::vector<Country> countries;
    std::set<std::string> names;
    while (countries.size() < count) {
        std::string name = letters(random, 3 + random.below(8));
        for (int words = random.below(4); words > 0; --words) {
            name += ' ';
            name += random.below(3) == 0 ? std::string(pick(random, WORDS))
                                         : letters(random, 2 + random.below(9));
        }
        if (name.size() > 40 || !names.insert(name).second) continue;
        std::string prefix = letters(random, 1 + random.below(2));
        if (random.below(2) == 0) prefix += static_cast<char>('0' + random.below(10));
        if (random.below(4) == 0) prefix += letters(random, 1);
        countries.push_back({prefix, name});
    }
    return countries;
}

std::string country_list(const std::vector<Country>& countries) {
    std::string text = "# Countries of the benchmark logs\r\n";
    for (const Country& country : countries) {
        text.append(country.prefix).append("\t").append(country.name).append("\r\n");
    }
    return text;
}

fixture::Contact make_contact(Random& random, const std::vector<Country>& countries) {
    static const Band BANDS[] = {{"160m", "1.830"},  {"80m", "3.790"},   {"40m", "7.050"},
                                 {"30m", "10.120"},  {"20m", "14.195"},  {"17m", "18.130"},
                                 {"15m", "21.300"},  {"12m", "24.950"},  {"10m", "28.500"},
                                 {"6m", "50.110"},   {"2m", "144.300"},  {"70cm", "432.200"}};
    static const char* const MODES[] = {"SSB", "CW", "RTTY", "FM", "PSK31", "SSTV"};
    static const char* const REPORTS[] = {"59", "599", "57", "58", "59+", "579", "55", "449"};
    static const char* const NAMES[] = {"ANNA", "PIERRE", "JOHN", "MARIA ELENA", "",
                                        "HANS", "YUKI",   "JOSE", "OLGA",        "BOB"};
    static const char* const PLACES[] = {"ROMA",  "LYON",       "NEW YORK CITY", "",
                                         "SAO PAULO", "OSAKA", "SYDNEY NSW", "BERLIN",
                                         "NEAR THE  LAKE"};
    static const char* const FLAGS[] = {"B", "D", "S", "N", "", "", ""};
    static const char* const CODES[] = {"EU", "AS", "NA", "SA", "AF", "OC", "*X", ""};

    const Band& band = pick(random, BANDS);
    fixture::Contact c;
    c.date = std::to_string(1985 + random.below(21)) + two_digits(1 + random.below(12)) +
             two_digits(1 + random.below(28));
    c.time = two_digits(random.below(24)) + ":" + two_digits(random.below(60));
    c.time_end = c.time;
    c.band = band.band;
    c.frequency = band.frequency;
    c.mode = pick(random, MODES);
    c.call = letters(random, 1 + random.below(2)) + std::to_string(random.below(10)) +
             letters(random, 1 + random.below(3));
    c.report_sent = pick(random, REPORTS);
    c.report_received = pick(random, REPORTS);
    c.name = pick(random, NAMES);
    c.place = pick(random, PLACES);
    c.qsl_sent = pick(random, FLAGS);
    c.qsl_received = pick(random, FLAGS);
    if (random.below(10) == 0) c.manager = letters(random, 2) + "1" + letters(random, 3);
    c.country = countries[static_cast<std::size_t>(random.below(static_cast<int>(countries.size())))].name;
    c.code2 = pick(random, CODES);
    c.code6 = letters(random, 2) + two_digits(random.below(100)) + letters(random, 2);

    const int kind = random.below(1000);
    if (kind < 60) {
        c.deleted = true;
    } else if (kind < 70) {
        switch (kind % 5) {
            case 0: c.date.replace(4, 2, "13"); break;
            case 1: c.date.replace(6, 2, "00"); break;
            case 2: c.time = ""; break;
            case 3: c.time = "25:10"; break;
            default: c.time = "12:75"; break;
        }
    } else if (kind < 80) {
        c.country = "ATLANTIS";
    }
    return c;
}

}  // namespace t2c::bench
