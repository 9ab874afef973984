#include "run_control.h"

namespace tallyforge {

int32_t stopFlag = 0;
int32_t stressState = 0;

}  // namespace tallyforge
