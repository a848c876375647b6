// Seed inputs for fuzzing a BMP reader: a few small, valid 24-bit bitmaps in its corner cases.
#pragma once

#include <string>

bool writeBmpCorpus(const std::string& dir);
