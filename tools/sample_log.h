// The sample contact log shipped with the converter (examples/sample.dbf), as contacts and as bytes.
#pragma once

#include <string>
#include <vector>

#include "tools/dbf_builder.h"

namespace t2c::fixture {

// A year of contacts across bands, modes and countries, in file order. The countries are spelled
// as the shipped dxcc.txt spells them, except one written 'AMERICA', as a log may write it and no DXCC list does. One
// record is deleted and one bears an impossible date, so a run shows both.
std::vector<Contact> sample_contacts();

// The whole log file: header, field descriptors, the contacts above and the end-of-file byte.
std::string sample_log();

}  // namespace t2c::fixture
