#pragma once
// What the engine needs of a window system: each front end (desktop, terminal, tests) implements it.
#include <cstdint>

#include "result_board.h"
#include "run_outcome.h"

namespace tallyforge {

class BenchHost {
 public:
  virtual ~BenchHost() = default;

  // Shows all 29 cells of the board at once. Called at every progress point and at the end of
  // every run, on the engine's thread.
  virtual void PushBoard(const ResultBoard& board) = 0;

  // Dispatches at most one pending message (a STOP click, a Ctrl-C) and returns; never blocks.
  // A handler run from here may call the engine's OnStopBench.
  virtual void DispatchOneMessage() = 0;

  // Whether the selection button of benchmark bench (1 to 9) is checked.
  virtual bool IsChecked(int bench) const = 0;

  // Checks or clears exactly the button of benchmark bench; the others keep their state.
  virtual void SetCheck(int bench, bool checked) = 0;

  // Told at each progress point, with the ticks elapsed since the run started timing: the same
  // reading the status line shows. Inside the timed stretch, so a host keeps it cheap.
  virtual void Progress(int32_t /*elapsedTicks*/) {}

  // Told after each benchmark run, with what it did; outside the timed stretch.
  virtual void RunFinished(const RunOutcome& /*outcome*/) {}
};

}  // namespace tallyforge
