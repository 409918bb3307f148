#include "editor/DisplayWidgets.h"

#include "model/Preview.h"

#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>

TPreviewBox::TPreviewBox(const QString& name, int tag, QWidget* parent)
    : QWidget(parent), DisplayTag(tag) {
    setObjectName(name);
    setFixedSize(TMKPreview::ScreenWidth, TMKPreview::ScreenHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Shown = QImage(TMKPreview::ScreenWidth, TMKPreview::ScreenHeight, QImage::Format_RGB32);
    Shown.fill(Qt::black);
}

void TPreviewBox::SetImage(const QImage& image) {
    Shown = image;
    update();
}

void TPreviewBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Shown);
}

void TPreviewBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && RightClicked)
        RightClicked(*this, event->position().toPoint());
    QWidget::mousePressEvent(event);
}

namespace DisplayParts {

namespace {

TMenuOpener& Opener() {
    static TMenuOpener opener;
    return opener;
}

} // namespace

bool IsCurrent(const QWidget* sheet) {
    for (const QWidget* w = sheet; w; w = w->parentWidget()) {
        const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget());
        if (stack && qobject_cast<const QTabWidget*>(stack->parentWidget()) &&
            stack->currentWidget() != w)
            return false;
    }
    return sheet != nullptr;
}

QTableWidget* ColorGrid(const QString& name, int rows, int captionWidth) {
    auto* grid = new QTableWidget(rows, 2);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 2);
    grid->setColumnWidth(0, captionWidth);
    grid->setColumnWidth(1, 44);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedWidth(captionWidth + 44 + 2 * grid->frameWidth());
    grid->setFixedHeight(FullHeight(grid));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 2; ++c)
            grid->setItem(r, c, new QTableWidgetItem);
    return grid;
}

int FullHeight(const QTableWidget* grid) {
    return grid->rowCount() * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth();
}

void SetMenuOpener(TMenuOpener opener) {
    Opener() = std::move(opener);
}

void OpenMenu(QMenu& menu, const QPoint& globalPos) {
    if (Opener())
        Opener()(menu, globalPos);
    else
        menu.popup(globalPos);
}

} // namespace DisplayParts
