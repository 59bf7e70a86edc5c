#pragma once

// a × b / c with a 64-bit intermediate, rounded half away from zero. Answers -1 when c is 0 or
// the quotient does not fit in 32 bits.
int MulDiv(int a, int b, int c);
