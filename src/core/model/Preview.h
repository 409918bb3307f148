#pragma once

// The MK's 320 x 240 colour display simulated on a PC image: the MK's own drawing
// operations (background rectangles, lines, stamped pictures, text in character cells of
// four bitmap fonts) and one composition per kind of MK screen.

#include "model/MKFont.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>

class TMK;
class TMeasParBase;

class TMKPreview {
public:
    static constexpr int ScreenWidth = 320;
    static constexpr int ScreenHeight = 240;

    // Colour roles: offsets into a colour table whose byte is a palette index.
    enum TRole : int {
        RoleValueText = 32,
        RoleValueBack = 33,
        RoleCaptionText = 34,
        RoleCaptionBack = 35,
        RoleDivider = 36,
        RoleMenuActiveText = 37,
        RoleMenuActiveBack = 38,
        RoleMenuNumber = 39,
        RoleGraphAxes = 40,
        RoleGraphBack = 41,
        RoleGraphFirst = 42,
        RoleGraphSecond = 43,
        RoleGraphBandBack = 44,
        RoleDialAreaBack = 45,
        RoleDialBandText = 46,
        RoleLeftDisc = 47,
        RoleRightDisc = 48,
        RoleLeftScale = 49,
        RoleRightScale = 50,
        RoleLeftPointer = 51,
        RoleRightPointer = 52,
        RoleDialBandBack = 53,
        RoleLeftScaleExtended = 54,
    };

    explicit TMKPreview(TMK& mk);

    // Drawing state. Coordinates of the primitives are relative to the origin; pixels
    // falling outside the surface are dropped.
    QImage PreviewSurface; // 320 x 240, PC colours
    int OriginX = 0, OriginY = 0;
    int TextCol = 0, TextRow = 0;          // in character cells of the current font
    uint16_t ForeColor = 0, BackColor = 0; // 5-6-5 colour words
    int PenWidth = 1;
    int FontWidth = 0, FontHeight = 0;
    const uint8_t* FontGlyphs = nullptr;
    bool FontIsText = true;
    // Which colour table the previews use: 0 ColorTable0, 1 ColorTable1 (the user scheme).
    int SchemeIsUser = 0;

    void ClearScreen(uint16_t color);
    void ClearBlack() { ClearScreen(0); }
    void SetOrigin(int x, int y);
    void FillBack(int width, int height);
    void HLine(int x1, int x2, int y);
    void ThickHLine(int x1, int x2, int y);
    void VLine(int x, int y1, int y2);
    void ThickVLine(int x, int y1, int y2);
    // Paints every non-black pixel of a one-bit picture in ForeColor.
    void StampPicture(int x, int y, const QImage& picture);
    void SelectFont(const TMKFont& font);
    void SetCursor(int row, int col);
    void PutChar(unsigned char ch); // a code page 1251 character
    void PutString(const QString& text);
    void PutStringAt(int row, int col, const QString& text);

    // The colour word of an element in the colour table SchemeIsUser selects.
    uint16_t RoleColor(int role) const;

    void PreviewOneValue(int id);
    void PreviewFourValues(std::span<const uint8_t, 4> ids);
    void PreviewNineValues(std::span<const uint8_t, 9> ids);
    void PreviewSixValues(std::span<const uint8_t, 6> ids);
    void PreviewSevenRows(std::span<const uint8_t, 7> ids);
    void PreviewDials(int left, int right);
    void PreviewGraph(int first, int second);
    void PreviewMenu();

private:
    void SetColors(int foreRole, int backRole);
    void SetValueColors() { SetColors(RoleValueText, RoleValueBack); }
    void SetCaptionColors() { SetColors(RoleCaptionText, RoleCaptionBack); }
    void SetDividerPen();
    // The descriptor with its texts prepared for drawing, or null.
    std::unique_ptr<TMeasParBase> PreparedParam(int id);
    void FillRect(int x, int y, int width, int height, uint16_t color);
    void DrawNineCell(int cell, const TMeasParBase& param);
    void DrawBar(const TMeasParBase& param);
    void DrawDial(bool left, const TMeasParBase& param);
    void DrawGraphZone(const TMeasParBase& param, int top, int bottom, int role);
    void DrawGraphBand(const TMeasParBase* first, const TMeasParBase* second);

    TMK& MK;
    const TMKFont* Font = nullptr;
};
