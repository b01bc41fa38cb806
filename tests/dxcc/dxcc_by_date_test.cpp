// The DXCC entity of a country's spelling on a date.
#include "dxcc/dxcc_by_date.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace t2c {
namespace {

// The search is binary, so it finds a spelling only where SPELLINGS is in the order it
// compares: a name that begins a longer one ("VATICAN", "VATICAN CITY") must come first.
TEST(DxccByDate, FindsEverySpellingOnTheFirstAndLastDayOfItsEntity) {
    for (const Spelling& spelling : SPELLINGS) {
        const auto row = std::find_if(ENTITIES.begin(), ENTITIES.end(), [&](const Entity& e) { return e.code == spelling.code; });
        ASSERT_NE(row, ENTITIES.end()) << spelling.name;
        for (const int day : {row->from, row->to}) {
            const Entity* found = dxcc_by_date(spelling.name, std::nullopt, day);
            ASSERT_NE(found, nullptr) << spelling.name << " on " << day;
            EXPECT_TRUE(std::any_of(SPELLINGS.begin(), SPELLINGS.end(), [&](const Spelling& s) {
                return s.name == spelling.name && s.code == found->code;
            })) << spelling.name << " on " << day << " gives " << found->code;
        }
    }
}

}  // namespace
}  // namespace t2c
