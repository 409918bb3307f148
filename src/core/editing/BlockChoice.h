#pragma once

// Page "Допсистемы": which additional systems the MK polls. Block id b is chosen when bit
// (b mod 8) of byte (b div 8) of the record's Blocks is set; byte 0 holds the page's two
// "Показывать" choices instead (bits 0–1 and bit 7).

#include "catalog/AdditionalSystems.h"

#include <QStringList>
#include <vector>

class TMK;
class TSettingsEditor;

namespace BlockChoice {

// Names of the two "Показывать" radio groups.
inline const QString ShowName = QStringLiteral("rgBlocksShow");
inline const QString ViewName = QStringLiteral("rgBlocksView");

// The catalogue the page offers for the device's flags, in its order.
std::vector<TAddSystem> Catalogue(const TSettingsEditor& editor);

bool Chosen(const TMK& mk, int id);
void SetChosen(TMK& mk, int id, bool chosen);
// The chosen entries of the catalogue, in its order.
std::vector<TAddSystem> ChosenEntries(const TMK& mk, const std::vector<TAddSystem>& catalogue);

// Entering the page: the two groups from byte 0, then BlocksPageActive; the view is told,
// as after a change, since the groups show the record anew. Leaving clears it.
void Enter(TSettingsEditor& editor);
void Leave(TSettingsEditor& editor);

// Double clicks on grid rows (row 0 is the header and does nothing): the left grid lists
// the catalogue and inverts the entry's choice, the right lists the chosen entries and
// drops the entry. Return whether anything changed.
bool LeftDoubleClick(TSettingsEditor& editor, const std::vector<TAddSystem>& catalogue, int row);
bool RightDoubleClick(TSettingsEditor& editor, const std::vector<TAddSystem>& catalogue, int row);

// The first "Показывать" group's items: all, the protocol's, the connected ones.
enum TShow { ShowAll, ShowProtocol, ShowConnected };
// Applies the first group's choice (only while the page is active).
void ApplyShow(TSettingsEditor& editor, int item);
// Applies the second group's choice (only while the page is active).
void ApplyView(TSettingsEditor& editor, int item);

} // namespace BlockChoice
