#pragma once

// Opens the editor's model on a device model the way "Редактировать настройки" opens the
// dialog (blocks unpacked, catalogues built, showing steps run), for mktool and tests.

#include <QString>
#include <functional>

class TMK;
class TSettingsEditor;
struct TControlRow;

// Runs `work` on a freshly shown editor; packs the edited blocks when it returns true,
// restores them otherwise. Returns what `work` returned.
bool RunEditorModel(TMK& mk, const std::function<bool(TSettingsEditor&)>& work);

// What a control shows, as text: spin edits with their decimals, radio groups and lists
// the selected item's text (empty when none), check boxes "да"/"нет", edits their text.
QString ShownText(const TSettingsEditor& editor, const TControlRow& row);

// The caption a control goes by: its own, or for a control without one (an "in use" box, a
// name edit) the caption of the captioned row before it on its page, whose line it shares.
QString ShownCaption(const TSettingsEditor& editor, const TControlRow& row);
