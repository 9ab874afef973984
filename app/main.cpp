// tallyforge: the desktop program.
#include <wx/app.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "bench_app.h"
#include "standard_streams.h"
#include "version.h"
#include "version_info.h"

wxIMPLEMENT_APP_NO_MAIN(tallyforge::app::CBenchApp);

namespace {

void PrintVersion() {
  using namespace tallyforge;
  std::printf("tallyforge %s (commit %s, %s)\n", kVersion, kCommit, kCompiler);
  std::printf("%s, version %s\n", res::kProductName, res::kProductVersion);
  std::printf("%s, file version %s (%s, %s)\n", res::kFileDescription, res::kFileVersion,
              res::kInternalName, res::kOriginalFilename);
  std::printf("%s\n", res::kLegalCopyright);
}

// After --help or --version: 0, or 1 with a message when stdout could not take the text (a full
// disk, a closed descriptor).
int Flushed() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "tallyforge: cannot write the text: %s\n", std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (!tallyforge::OpenClosedStandardStreams()) return 1;
  tallyforge::ReportFileSizeLimitAsError();
  // The program has no other options; these two answer without opening a window.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    PrintVersion();
    return Flushed();
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    // GNU layout: the manual page is made from this text by help2man.
    std::printf(
        "Usage: tallyforge [OPTION]\n"
        "Times the nine prime-number benchmarks B1 to B9 in a window, against the\n"
        "reference times of Reference.txt. START BENCH runs the selected benchmark,\n"
        "STOP BENCH ends it at its next progress point, STRESS BENCH runs all nine\n"
        "and the total score (1000: as fast as the reference machine). OPENGL shows\n"
        "the primes up to 32,768 on a spiral and the histogram of their gaps.\n"
        "\n"
        "Reference.txt is read from, and the output files (Numbers_*.txt, Factors.txt)\n"
        "are written to, the folder the program is started in. tallyforge-cli runs the\n"
        "same benchmarks in a terminal.\n"
        "\n"
        "Options:\n"
        "  --help       show this help and exit\n"
        "  --version    show the version data and exit (neither needs a display)\n");
    return Flushed();
  }
  if (argc > 1) {
    std::fprintf(stderr, "tallyforge: unknown option '%s'; try 'tallyforge --help'\n", argv[1]);
    return 2;
  }
  return wxEntry(argc, argv);
}
