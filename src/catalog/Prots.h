#pragma once

#include <cstdint>

// Builds the protocol list for a device (placeholder until the catalogue lands).
void BuildProtocolList(uint16_t settingsVersion, uint8_t protocolIndex, uint8_t variant);
