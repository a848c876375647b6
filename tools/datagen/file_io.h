// Whole-file reads and writes; failures are reported on stderr.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

bool writeFile(const std::string& path, const Bytes& bytes);
bool readFile(const std::string& path, Bytes* bytes);

// Little-endian appends, the byte order of every format written here except PNG.
void putLe16(Bytes& out, uint32_t v);
void putLe32(Bytes& out, uint32_t v);
void putTag(Bytes& out, const char* fourChars);
