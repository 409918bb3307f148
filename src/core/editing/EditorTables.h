#pragma once

// The binding tables of the editor's pages, one function per page group, and what the
// display pages add to opening the editor and to a change of protocol.

#include "editing/ControlRow.h"

#include <vector>

class TSettingsEditor;

std::vector<TControlRow> CorrectionsRows(); // "Поправки", "Источники"
std::vector<TControlRow> LimitsRows();      // "Границы", "Озвуч.сообщения"
std::vector<TControlRow> DisplayRows();     // the "Дисплей" sub-pages
std::vector<TControlRow> TankRows();        // "Бак"
std::vector<TControlRow> ServiceRows();     // "ТО", "Средние"
std::vector<TControlRow> ParkingRows();     // "Парковка"
std::vector<TControlRow> ExtrasRows();      // "Унив.вход", "Допсистемы"

// Every table, in page order. Built once (per service form): the rows hold names and rules,
// no editor's state.
const std::vector<TControlRow>& EditorRows();

// The screen-enable boxes and the x1 list rebuilt from the current protocol: when the
// editor opens, after the user picks another protocol and after "Все в исх.состояние".
void RebuildScreenList(TSettingsEditor& editor);
// SchemeIsUser from the active colour scheme: when the editor opens and after the schemes
// changed as a whole ("Все в исх.состояние", colours carried from another MK).
void ApplySchemeChoice(TSettingsEditor& editor);
