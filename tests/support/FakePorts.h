#pragma once

// Serial ports and USB records that exist only in a test: a port opens when its device
// path is in the plugged-in set, and every open and every read of the records is counted.
#include "link/LinkEnvironment.h"

#include <QSet>
#include <QStringList>
#include <memory>

struct TFakeSystem {
    QSet<QString> Plugged; // device paths that open
    QStringList Opened;    // every successful open, in order
    int OpenAttempts = 0;
    QList<TUsbInstance> Instances; // the recorded MK instances, in the system's order
    mutable int InstanceReads = 0;
    QStringList Errors;         // error boxes shown through the link
    QList<TPortChoice> Choices; // manual port dialogs run
    std::optional<int> ChoiceAnswer;
};

class TFakePort : public TSerialPort {
public:
    TFakePort(std::shared_ptr<TFakeSystem> system, QString path)
        : System(std::move(system)), Path(std::move(path)) {}
    bool Open() override {
        ++System->OpenAttempts;
        OpenNow = System->Plugged.contains(Path);
        if (OpenNow)
            System->Opened << Path;
        return OpenNow;
    }
    void Close() override { OpenNow = false; }
    bool IsOpen() const override { return OpenNow; }
    std::optional<TLineSettings> LineSettings() override {
        if (!OpenNow)
            return std::nullopt;
        return Line;
    }
    bool SetLineSettings(const TLineSettings& settings) override {
        Line = settings;
        return OpenNow;
    }
    bool SetDataTerminalReady(bool) override { return OpenNow; }
    bool PurgeInput() override { return OpenNow; }
    bool PurgeOutput() override { return OpenNow; }
    qint64 Read(char*, qint64) override { return OpenNow ? 0 : -1; }
    qint64 Write(const char*, qint64 size) override { return OpenNow ? size : -1; }
    bool WaitReadable(int) override { return false; }

private:
    std::shared_ptr<TFakeSystem> System;
    QString Path;
    bool OpenNow = false;
    TLineSettings Line;
};

class TFakeInstances : public TUsbInstances {
public:
    explicit TFakeInstances(std::shared_ptr<TFakeSystem> system) : System(std::move(system)) {}
    QList<TUsbInstance> Recorded() const override {
        ++System->InstanceReads;
        return System->Instances;
    }

private:
    std::shared_ptr<TFakeSystem> System;
};

// COMn is "/fake/comN" for every n; which of them open is up to the test.
inline TLinkEnvironment FakeEnvironment(const std::shared_ptr<TFakeSystem>& system) {
    TLinkEnvironment environment;
    for (int n = TPortMap::FirstPort; n <= TPortMap::LastPort; ++n)
        environment.Ports.Set(n, QStringLiteral("/fake/com%1").arg(n));
    environment.CreatePort = [system](const QString& path) {
        return std::make_unique<TFakePort>(system, path);
    };
    environment.Instances = std::make_shared<TFakeInstances>(system);
    environment.Clock = std::make_shared<TSystemClock>();
    environment.Prompts.ShowError = [system](const TMKError& error) {
        system->Errors << error.Text();
    };
    environment.Prompts.ChoosePortNumber = [system](const TPortChoice& choice) {
        system->Choices << choice;
        return system->ChoiceAnswer;
    };
    return environment;
}

inline void PlugIn(TFakeSystem& system, std::initializer_list<int> ports) {
    for (int n : ports)
        system.Plugged << QStringLiteral("/fake/com%1").arg(n);
}
