#include "engine/VectorTanh.h"

#include <cmath>

void TanhArray(double* values, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        values[i] = std::tanh(values[i]);
    }
}
