#pragma once
// The prime spiral: every number up to 32,768 has a place, each prime is a white point,
// optionally linked to the prime before it.
#include "primitive_sink.h"

namespace tallyforge {

// Reads primeFlags and linkLines. For each prime from 2 on, in ascending order: with links,
// a line from the previous placed number coloured by its length d as (d, d, (1 - d) / 2);
// then a white point. The whole drawing sits between one PushMatrix and one PopMatrix.
void DrawPrimeSpiral(PrimitiveSink& sink);

}  // namespace tallyforge
