#pragma once
// The stability mode: the stress run again and again, every run checked, until Ctrl-C, a
// duration or the first wrong result.
#include <chrono>
#include <cstdio>

#include "bench_engine.h"
#include "run_recorder.h"

namespace tallyforge::cli {

struct LoopEnd {
  // 0 when every result was verified, 1 when an output file failed, 3 on a wrong result, 4
  // when a result could not be checked, 130 after Ctrl-C.
  int status = 0;
  bool stopped = false;  // a Ctrl-C ended it
};

// Runs passes of the stress run through engine (whose host is, or forwards to, recorder) until
// Ctrl-C, until duration has passed (zero: no limit; a pass under way is finished), or until a
// result is wrong. Begins each pass on recorder (1, 2, ...) and records its total score there.
// Writes a line per pass (number, time, score, checks) and a summary of the recorder's score
// statistics to out.
LoopEnd RunStabilityLoop(BenchEngine& engine, RunRecorder& recorder,
                         std::chrono::seconds duration, std::FILE* out);

}  // namespace tallyforge::cli
