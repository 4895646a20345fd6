// Runs of rand() values taken in one go, for drawing that uses a fresh value for every
// pixel: the same values, in the same order, and rand() left where as many calls of its own
// would leave it, without its lock taken and given back around every value. A drawing
// helper of the ground (core/).
#pragma once

// out[0..n-1] = the next n values of rand().
void takeRands(int *out, int n);
