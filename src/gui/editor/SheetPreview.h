#pragma once

// "Отчёт…" of the settings editor: the print preview of the settings sheet of the record as
// the editor shows it, with printing and saving as PDF or HTML.

class QWidget;
class TSettingsEditor;

namespace SheetPreview {

// Builds the sheet from the editor's own model and runs the preview through the dialogs
// seam; errors are shown in the error box.
void Run(TSettingsEditor& editor, QWidget* parent);

} // namespace SheetPreview
