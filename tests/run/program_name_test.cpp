// The program's name as its usage shows it.
#include "run/program_name.h"

#include <gtest/gtest.h>

namespace t2c {
namespace {

TEST(ProgramName, IsWhatFollowsTheLastBackslash) {
    EXPECT_EQ(program_name("C:\\Tools\\T2C\\tarnwick2corvane.exe"), "tarnwick2corvane.exe");
    EXPECT_EQ(program_name("build/app/tarnwick2corvane"), "build/app/tarnwick2corvane");
    EXPECT_EQ(program_name(nullptr), "");
}

}  // namespace
}  // namespace t2c
