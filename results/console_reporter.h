#pragma once
// The runner's rows and tables as a user reads them, written to the stream it is given; every
// text from outside (a cell, a path) made printable first.
#include <cstdio>
#include <string>
#include <vector>

#include "recorded_results.h"
#include "result_board.h"
#include "verification.h"

namespace tallyforge {

// A cell as one line of printable text: the newline a reference or score line keeps is dropped,
// and so are trailing blanks.
std::string CellText(const std::string& cell);

void PrintRowsHeader(std::FILE* out);
// Row bench of board as the board shows it: your time, reference time, percentage.
void PrintRow(std::FILE* out, const ResultBoard& board, const RunOutcome& outcome);
// The check of the row above, indented: "  verified: ..." or "  WRONG at ...".
void PrintCheck(std::FILE* out, const Verification& verification);
// "TOTAL SCORE 1234", or that the stress run was stopped.
void PrintTotalScore(std::FILE* out, bool scored, const std::string& cell);

// The table of min, median, max, spread, interval and verdicts of --repeat, then the scores'
// line when there are any.
void PrintStatistics(std::FILE* out, const RecordedResults& results);

}  // namespace tallyforge
