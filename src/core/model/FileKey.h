#pragma once

#include <array>
#include <cstdint>

constexpr int FileKeySize = 4096;

// The table settings files are scrambled with: image byte i is stored XOR FileKey[i % 4096].
extern const std::array<uint8_t, FileKeySize> FileKey;
