#pragma once

// The settings sheet as HTML: one UTF-8 page for A4 with the pictures inline, every
// control's line a table row <tr data-name="NAME"> holding its caption and its value.

#include <QString>
#include <functional>

struct TSettingsSheet;
struct TSheetPicture;

namespace SheetHtml {

// What an <img> of a picture refers to; `index` counts the sheet's pictures in order.
using TImageSource = std::function<QString(const TSheetPicture& picture, int index)>;

// The self-contained file: pictures as data: URIs of PNG images, nothing fetched.
QString Html(const TSettingsSheet& sheet);
// The same page with the pictures wherever `source` says (a text document's resources),
// each shown `pictureWidth` pixels wide.
QString Html(const TSettingsSheet& sheet, const TImageSource& source, int pictureWidth);

} // namespace SheetHtml
