#pragma once

// The hidden service-information page: what the MK worked out about the vehicle, as
// caption and value texts.

#include <QList>
#include <QPair>
#include <QString>

class TSettingsEditor;

// The 21 rows in page order: (caption, value).
QList<QPair<QString, QString>> ServiceInfoRows(const TSettingsEditor& editor);
