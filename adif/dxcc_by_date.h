// The DXCC entity a contact counts for, by its country's spelling and its date.
#pragma once

#include <optional>
#include <string_view>

#include "adif/tables.h"

namespace t2c::adif {

// The candidates are the entities the DXCC name lists spell so, or, for a spelling they lack,
// the entities of the prefix dxcc.txt gives it (list_prefix). Gives the candidate whose period
// holds the date (YYYYMMDD); failing that, the entity of a candidate's prefix that holds the
// date and whose period begins the day after the candidate's ends or ends the day before it
// begins (a successor or forerunner, such as the two Germanies); otherwise none.
const Entity* dxcc_by_date(std::string_view spelling, std::optional<std::string_view> list_prefix, int date);

}  // namespace t2c::adif
