#pragma once

// The binding tables of the editor's pages, one function per page group, and the steps
// each group adds to showing and to the protocol change cascade.

#include "editing/ControlRow.h"

#include <vector>

class TSettingsEditor;

std::vector<TControlRow> CorrectionsRows(); // "Поправки", "Источники"
std::vector<TControlRow> LimitsRows();      // "Границы", "Озвуч.сообщения"
std::vector<TControlRow> DisplayRows();     // the "Дисплей" sub-pages
std::vector<TControlRow> TankRows();        // "Бак"
std::vector<TControlRow> ServiceRows(bool serviceInThousandKm); // "ТО", "Средние"
std::vector<TControlRow> ParkingRows();                         // "Парковка"
std::vector<TControlRow> ExtrasRows(); // "Унив.вход", "Допсистемы"

// Every table, in page order, for the device's service form (the ServiceInThousandKm flag).
// Built once per form: the rows hold names and rules, no editor's state.
const std::vector<TControlRow>& EditorRows(bool serviceInThousandKm);

// Showing step 11 and cascade step 4 for the display pages: the screen-enable boxes and
// the x1 list rebuilt from the current protocol.
void RebuildScreenList(TSettingsEditor& editor);
// Showing step 9: SchemeIsUser from the active colour scheme.
void ApplySchemeChoice(TSettingsEditor& editor);
