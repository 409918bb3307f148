#pragma once

// The editor's pages and sub-pages in tab order, with their captions and when they show.

#include <QString>
#include <functional>
#include <vector>

class TSettingsEditor;

struct TPageInfo {
    QString Name; // object name of the tab sheet
    QString Caption;
    QString Parent; // object name of the page holding it; empty for a main page
    std::function<bool(const TSettingsEditor&)> VisibleRule; // unset: always shown
};

// Every page and sub-page, parents before their children, each list in tab order.
const std::vector<TPageInfo>& PageTree();
const TPageInfo* FindPage(const QString& name);
// The main page a page belongs to (itself for a main page).
const TPageInfo& MainPageOf(const QString& name);
// "Дисплей/Дисплеи х4/Дисплеи 1 .. 3": the captions from the main page down.
QString PagePath(const QString& name);
