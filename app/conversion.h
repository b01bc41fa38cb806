// The record loop of a run: every record of the log converted, its import line written or its
// rejection reported, in the order of the log.
#pragma once

#include <cstdio>

#include "app/run.h"

namespace t2c {

// Reads the log from the first record on (state.source, state.header), writes the lines to
// state.output and reports rejected records to err, counting both in state.counters. Ends the
// run through fatal when the log cannot be read or the output written, with every line before
// the failure written and nothing reported after it. Up to workers threads share the work,
// this one among them; the bytes written are the same for any number.
void convert_records(RunState& state, std::FILE* err, unsigned workers);

// One worker per processor, up to a few: beyond that the workers wait on the reads and writes,
// which take turns.
unsigned useful_workers();

}  // namespace t2c
