#pragma once

// A settings sheet written to a file whose extension names its format: .html or .pdf.

#include <QString>
#include <optional>

struct TSettingsSheet;

namespace SheetFile {

enum class TFormat { Html, Pdf };

// The format of a file name by its extension (any letter case); none for another one.
std::optional<TFormat> FormatOf(const QString& path);

// Writes the sheet in the file's format through a temporary file beside it, so a failed
// write leaves nothing behind and an existing file unharmed. TMKError when the extension
// is neither or the file cannot be written.
void Write(const TSettingsSheet& sheet, const QString& path);

} // namespace SheetFile
