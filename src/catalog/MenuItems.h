#pragma once

#include <QString>

// MK menu items (placeholder until the catalogue lands).
class TMKMenuItem {
public:
    int Id = 0;
};

void BuildMenuItemList();
const TMKMenuItem* FindMenuItem(const QString& name);
