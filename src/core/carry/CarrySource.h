#pragma once

// The settings of a source record as its editor shows them: values with their meanings (item
// texts, the protocol's entry, what each parameter and menu item id stands for on the source),
// since the same id may stand for something else in the target's catalogue.

#include "catalog/AdditionalSystems.h"
#include "catalog/MeasuredParams.h"
#include "editing/ScreenChoice.h"
#include "editing/TankTable.h"
#include "model/Record.h"

#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

class TMK;

struct TShownSetting {
    QString Name;
    QString Page;             // caption of the main page
    QString Caption;          // as the source's editor shows it
    QVariant Shown;           // the control's shown value
    QString Text;             // what it shows, as text (item text for groups and lists)
    std::size_t Position = 0; // of the row in the source's table
};

// What a measured-parameter id stands for on the source; none for an id its catalogue lacks.
using TParamMeaning = std::optional<TMeasParKind>;

struct TShownOneValue {
    int Box = 0;
    int ParamId = 0;
    TParamMeaning Meaning;
    bool Checked = false;
    QString Caption;
};

struct TShownScreens {
    TScreenKind Kind;
    std::vector<int> Ids;                // display after display; -1 where the part's menu lacks it
    std::vector<TParamMeaning> Meanings; // of each id
    std::vector<QString> Names;          // the parameters' names
};

struct TShownMenuItem {
    uint16_t Id = 0;
    QString Name; // the item's key, the same on every MK; empty for an id the source lacks
    QString Caption;
};

struct TCarrySource {
    QString ProtName;
    int ProtCode = 0;
    // Controls the source shows and the user can change, in table order; the protocol and
    // the x1 boxes go by their own rules.
    std::vector<TShownSetting> Controls;
    std::vector<TShownOneValue> OneValues;
    std::vector<TShownScreens> Screens;
    std::array<std::vector<TShownMenuItem>, 4> HotMenus; // the items of each list, in order
    TColorTable ColorTable0{};
    TColorTable ColorTable1{};
    int FactoryScheme = 0; // high nibble of ColorScheme: the factory table ColorTable0 holds
    QList<TankTable::TCells> Tank; // the points in use
    bool BlocksShown = false;
    std::vector<uint8_t> BlockCatalogue; // the ids the source's page offers
    std::vector<TAddSystem> Blocks;      // chosen, in catalogue order
};

// Opens the source as the editor does and takes what it shows; the source stays as it was.
// Throws what opening the editor throws.
TCarrySource TakeCarrySource(TMK& source);

// What the id stands for in the catalogue of `mk`.
TParamMeaning ParamMeaning(const TMK& mk, int id);

// The protocol list and the x1 boxes are carried by their own rules.
inline const QString ProtocolControl = QStringLiteral("cbProtocol");
bool IsOneValueBox(const QString& name);
bool IsSubTypeList(const QString& name);
