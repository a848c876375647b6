// 16-bit mono PCM WAV files.
#pragma once

#include <vector>

#include "file_io.h"

// Samples in -1..1 (clamped), written as signed 16-bit at the given rate.
Bytes encodeWav(const std::vector<float>& samples, int sampleRate);
