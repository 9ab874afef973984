#pragma once
// The stability mode: the stress run again and again, every run checked, until Ctrl-C, a
// duration or the first wrong result.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "bench_engine.h"
#include "terminal_host.h"

namespace tallyforge::cli {

// "90", "90s", "30m", "2h", "1h30m": a positive whole number of seconds; nullopt otherwise.
std::optional<std::chrono::seconds> ParseDuration(const std::string& text);

// Runs passes of the stress run through engine until Ctrl-C, until duration has passed (zero:
// no limit; a pass under way is finished), or until a result is wrong. Writes a line per pass
// (number, time, score, check) and a summary to out. Returns the exit status: 0, 1 when an
// output file failed, 3 on a wrong result, 130 after Ctrl-C.
int RunStabilityLoop(BenchEngine& engine, TerminalHost& host, std::chrono::seconds duration,
                     std::FILE* out);

}  // namespace tallyforge::cli
