#include "catalog/MenuItems.h"

void BuildMenuItemList() {}
const TMKMenuItem* FindMenuItem(const QString&) { return nullptr; }
