#include "expected_answers.h"

namespace tallyforge {

// Taken with sha256sum from the files of a complete `tallyforge-cli stress` run of the
// release build (g++ 12, Debian 12, x86-64), which found 74521, 61714, 54152, 48328, 43438,
// 39215 and 36221 primes in B1 to B7. The files do not depend on the machine's speed. Each
// file has a second answer: the same lines ended by CR LF, as Windows' text mode writes them
// (those of B1 and B9 taken from the Windows build's own files under Wine).
const ExpectedAnswers& StandardAnswers() {
  static const ExpectedAnswers answers = {
      {"Numbers_0000000000005.txt",
       "6bc586abdb2a446a72b471926d943992284b56330119468c1bbded742b977095"},
      {"Numbers_0000010000005.txt",
       "da83579c29b414ed881852cef1ce3d9054d855e48cbc3cecdf237f96417e44f3"},
      {"Numbers_0000100000005.txt",
       "66e4287fcca44658edf72a5a6d6697fa3bf95a434f519af20961994070117c0d"},
      {"Numbers_0001000000005.txt",
       "9856ab8127cf824b08633706889a6bb43507a71d0fe76efdc420e4f771f984d4"},
      {"Numbers_0010000000005.txt",
       "f184f2f2adbf4c6ae291e8c4bd93ff2b8a4968b065edc98077212b927c5b54a3"},
      {"Numbers_0100000000005.txt",
       "ea18f9caea3853713afc8e674718b07d7a23e936c0886cef5c6e3f272395ab1c"},
      {"Numbers_1000000000005.txt",
       "b224d2b4fcbac422372bc7666ad4055970849b43281645386c2e695f8a03ffce"},
      {"Factors.txt", "ca38012128cfa4b2854f4535d761382e9a16f8a281bf9d3f808d740be895b2c0"},
      {"Numbers_0000000000005.txt",
       "8b680d1d153687834951519d3285c78cfed7f09881251c71765d8be901fbca6b"},
      {"Numbers_0000010000005.txt",
       "9def7b2953ae57b7cf2f6ae67d727568ae7aa0f4140d8127a64f4a63d05db3d8"},
      {"Numbers_0000100000005.txt",
       "eb0d106de1f215fe4f2cd8c177fd88b1fd41e325de982e36cb7a90feee601ae8"},
      {"Numbers_0001000000005.txt",
       "48d7a23de3bd7fca8c6c427507234d68a5085f1bc4b5e71f62042b21d73d3f55"},
      {"Numbers_0010000000005.txt",
       "2d1d7c28d705dbf6921aaa5bc4ebd33675445f2f52049bef6f9b0e6c5f68145b"},
      {"Numbers_0100000000005.txt",
       "b83ae4c5d5f08968251e1631e5ed00f1b3a989156c21661f0a52af96860f0140"},
      {"Numbers_1000000000005.txt",
       "b5434f5333e72304843fcd11a8693615a8b8419d5eb6b4037f44d82769bf4144"},
      {"Factors.txt",
       "4d8aba9ce14e8a33f623ab16b193955bcb9030359f203358e8d014cb3a98e05e"},
  };
  return answers;
}

}  // namespace tallyforge
