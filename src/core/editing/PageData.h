#pragma once

// What pages edit beyond their bound controls, in parts a user recognises: each palette
// entry and element colour of the two colour tables, each part of each screen, each hot
// menu, each point of the tared table, each additional system. A part is record bytes (a
// bit mask for a single byte) with the page it is edited on, a caption and how it reads.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class TSettingsEditor;

struct TPagePart {
    QString Page;           // object name of the sheet it is edited on
    QString Caption;        // "Цвет #3", "Дисплей 2, часть 1", "Параметры"
    std::size_t Offset = 0; // in the record
    std::size_t Size = 1;
    uint8_t Mask = 0xFF; // the bits of a one-byte part it takes
    // What it reads as, from the record's bytes (its edited blocks).
    std::function<QString(const TSettingsEditor&, const uint8_t* record)> Text;

    // Whether the part's bits differ between two records; copies them from one to another.
    bool Differs(const uint8_t* a, const uint8_t* b) const;
    void Copy(uint8_t* to, const uint8_t* from) const;
};

// The parts for the device in hand (the additional systems follow its flags).
std::vector<TPagePart> PageDataParts(const TSettingsEditor& editor);
