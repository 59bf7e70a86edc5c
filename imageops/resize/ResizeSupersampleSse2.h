#pragma once

#include "imageops/resize/ResizeSupersample.h"

// Area averaging in the SSE2 build: the arguments, statuses and results of ResizeSupersample
// (ResizeSupersample.h), with the whole-number case's rows summed by the SSE2 row adders. The
// results equal the plain build's bit for bit, except one-channel float images (and float
// planes) with whole-number steps of three or more rows, where the columns past the last
// block of 16 are summed in double and may differ in their last bits.
ResizeSupersampleEntry ResizeSupersampleSse2;
