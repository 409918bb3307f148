#pragma once

#include <QObject>
#include <QString>

class TMIniFile;

// Base of every device the program talks to: a named section of the program settings.
class TMLBaseDevice : public QObject {
    Q_OBJECT

public:
    explicit TMLBaseDevice(QObject* parent = nullptr);

    virtual void LoadSettings(TMIniFile& settings);
    virtual void SaveSettings(TMIniFile& settings);

    QString SectionName;
};
