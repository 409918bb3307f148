#pragma once

// Finds editor controls by part of their caption, for the editor's search field.

#include <QString>
#include <vector>

class TSettingsEditor;

struct TFoundSetting {
    QString Control; // object name
    QString Page;    // object name of its page or sub-page
    QString Text;    // "Границы › Скорость, км/час"
};

// Visible controls whose caption (or group caption) holds `part`, ignoring case, in page
// order. An empty or blank part finds nothing.
std::vector<TFoundSetting> FindSettings(const TSettingsEditor& editor, const QString& part);
