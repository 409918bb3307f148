#include "catalog/Prots.h"

void BuildProtocolList(uint16_t, uint8_t, uint8_t) {}
