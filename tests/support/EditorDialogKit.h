#pragma once

// The settings editor dialog opened as the main window opens it, on the factory memory
// declared as a device of the variant table, with scripted dialogs; the display pages'
// right-click menus are caught instead of popped up.

#include "catalog/DeviceFlags.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "editing/SettingsEditor.h"
#include "editor/DisplayWidgets.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include "ImageKit.h"
#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QMenu>
#include <QtTest>
#include <functional>
#include <memory>
#include <span>

struct TEditorDialogKit {
    // `prepare` changes the record before the editor opens; `flags` adds capability flags
    // after the catalogues were built.
    explicit TEditorDialogKit(const std::function<void(TMK&)>& prepare = {},
                              const std::function<void(TDeviceFlags&)>& flags = {},
                              uint16_t version = 1, uint32_t variant = FactoryFirmwareVersion) {
        DeclareDevice(Mk, version, variant);
        if (prepare)
            prepare(Mk);
        Mk.RebuildProtocolList();
        if (flags)
            flags(DeviceFlags);
        Mk.CreateMeasParams();
        BuildMenuItemList();
        DisplayParts::SetMenuOpener([this](QMenu& menu, const QPoint& at) {
            Opened.append(&menu);
            OpenedAt.append(at);
        });
        Dialog = std::make_unique<TMK_SetParamsDlg>(Mk);
        Dialog->Prepare();
        Dialog->show();
    }
    ~TEditorDialogKit() { DisplayParts::SetMenuOpener({}); }

    template <class T = QWidget> T* Find(const QString& name) const {
        T* widget = Dialog->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    int64_t Field(const char* name, int index = 0) const {
        return ReadField(Mk, RecordField(QString::fromLatin1(name), index));
    }
    // Shown as far as its page goes: the page itself need not be the current tab.
    bool Shows(const QString& name) const {
        const QString page = Dialog->Editor().RowOrThrow(name).Page;
        return Find(name)->isVisibleTo(Dialog->Sheet(page));
    }
    // The focus leaves the control, as when the user tabs away: bound values are stored.
    static void Leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    void Page(const QString& page) { Dialog->SelectPage(page); }

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
        Editor().NotifyRecordChanged();
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
