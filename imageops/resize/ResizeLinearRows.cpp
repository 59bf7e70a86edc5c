#include "imageops/resize/ResizeLinearRows.h"

#include "imageops/resize/LinearPasses.h"
#include "imageops/resize/LinearRowKernels.h"

QM_DEFINE_LINEAR_KERNELS(, ScalarLinearPasses<DoubleLinearOps>)
