#pragma once

// Pieces the "Дисплей" sub-pages are built with: the 320 x 240 preview box, the colour
// grids, whether a sheet is the one on screen, and where the right-click menus open.

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QMenu;
class QTableWidget;
class TEditorPage;

// A paint box showing an MK screen: the preview surface copied at (0, 0).
class TPreviewBox : public QWidget {
    Q_OBJECT
public:
    TPreviewBox(const QString& name, int tag, QWidget* parent = nullptr);

    int Tag() const { return DisplayTag; }
    const QImage& Image() const { return Shown; }
    void SetImage(const QImage& image);

    // A right mouse button press at a point of the box.
    std::function<void(TPreviewBox& box, const QPoint& at)> RightClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int DisplayTag;
    QImage Shown;
};

namespace DisplayParts {

// Whether the sheet is the current tab of every page control above it.
bool IsCurrent(const QWidget* sheet);

// A grid of colour rows: a caption column and a colour column, no headers, no editing.
QTableWidget* ColorGrid(const QString& name, int rows, int captionWidth);
// The height that shows every row of a grid without scrolling.
int FullHeight(const QTableWidget* grid);

// Opens a right-click menu at a screen point (the menu's owner keeps it). The program
// pops it up; a test may look at it instead.
using TMenuOpener = std::function<void(QMenu& menu, const QPoint& globalPos)>;
void SetMenuOpener(TMenuOpener opener); // empty: pop up
void OpenMenu(QMenu& menu, const QPoint& globalPos);

// The parts of the "Дисплей" page.
std::unique_ptr<TEditorPage> MakeColorPages();
std::unique_ptr<TEditorPage> MakeScreenPages();
std::unique_ptr<TEditorPage> MakeHotMenuPage();
std::unique_ptr<TEditorPage> MakeMiscPage();

} // namespace DisplayParts
