#pragma once
// The process's standard input, output and error, and its file-size limit, made safe to rely on
// before anything else runs.

namespace tallyforge {

// Opens each closed standard stream (descriptors 0 to 2) to the null device, so that a file the
// program opens later can never take its place and receive progress lines or rows. Call it
// first thing in main. False when a closed stream could not be opened.
bool OpenClosedStandardStreams();

// Makes a write beyond the process's file-size limit (ulimit -f) fail with EFBIG, reported as a
// full disk is, instead of ending the process by SIGXFSZ with nothing said. Call it first thing
// in main.
void ReportFileSizeLimitAsError();

// The null device's name: "/dev/null", or "NUL" on Windows.
extern const char* const kNullDevice;

}  // namespace tallyforge
