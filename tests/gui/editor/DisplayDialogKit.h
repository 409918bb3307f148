#pragma once

// The settings editor dialog opened on the factory memory as the main window opens it,
// with scripted dialogs, and the right-click menus of the display pages caught instead of
// popped up.

#include "catalog/MenuItems.h"
#include "catalog/Prots.h"
#include "editing/SettingsEditor.h"
#include "editor/DisplayWidgets.h"
#include "editor/MK_SetParams.h"
#include "model/Pars32.h"
#include "sim/FactoryMemory.h"

#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <span>

struct TDisplayDialogKit {
    // `prepare` changes the record before the editor opens.
    explicit TDisplayDialogKit(const std::function<void(TMK&)>& prepare = {}) {
        Mk.Image = FactoryImage(8192);
        Mk.UnpackAll();
        if (prepare)
            prepare(Mk);
        Mk.RebuildProtocolList();
        Mk.CreateMeasParams();
        BuildMenuItemList();
        DisplayParts::SetMenuOpener([this](QMenu& menu, const QPoint& at) {
            Opened.append(&menu);
            OpenedAt.append(at);
        });
        Dialog = std::make_unique<TMK_SetParamsDlg>(Mk);
        Dialog->Prepare();
    }
    ~TDisplayDialogKit() { DisplayParts::SetMenuOpener({}); }

    template <class T = QWidget> T* Find(const QString& name) const {
        T* widget = Dialog->findChild<T*>(name);
        if (!widget)
            qWarning("no widget %s", qPrintable(name));
        return widget;
    }

    TSettingsEditor& Editor() { return Dialog->Editor(); }
    TDisplaySettings& Display() { return Mk.Record.DisplaySettings; }

    // The menu opened last, or null; forgets what was opened.
    QMenu* TakeMenu() {
        QMenu* menu = Opened.isEmpty() ? nullptr : Opened.last();
        Opened.clear();
        return menu;
    }

    // Makes a protocol of exactly these parameters the current one, as the user's pick does.
    void UseProtocol(const QList<int>& ids) {
        auto protocol =
            std::make_unique<TProtBase>(QStringLiteral("Проверка"), 0, 0,
                                        std::span<const uint8_t>{}, std::span<const uint8_t>{});
        protocol->ParamIds = {};
        for (int i = 0; i < ids.size(); ++i)
            protocol->ParamIds[std::size_t(i)] = uint8_t(ids[i]);
        protocol->ParamCount = int(ids.size());
        ProtocolList.push_back(std::move(protocol));
        Mk.Record.ProtocolSettings.Protocol = uint16_t(ProtocolList.size() - 1);
        Editor().ProtocolChanged();
        Dialog->RefreshAll();
    }

    TScriptedDialogs Dialogs;
    TMK Mk;
    std::unique_ptr<TMK_SetParamsDlg> Dialog;
    QList<QMenu*> Opened;
    QList<QPoint> OpenedAt;
};

inline QStringList ActionTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

inline QAction* ActionNamed(const QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

inline QStringList CheckedTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (action->isChecked())
            texts << action->text();
    return texts;
}
