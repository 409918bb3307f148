// The screen sub-pages "Дисплеи х4", "х9", "х7", "Граф. дисплеи", "Стрел. дисплеи",
// "Дисплей х6": one preview per display, drawn from the record, and the parameter menu a
// right click opens on it (editing/ScreenChoice.h holds the rules).

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/ScreenChoice.h"
#include "editing/ScreenPages.h"
#include "editing/SettingsEditor.h"
#include "editor/DisplayWidgets.h"
#include "editor/EditorPage.h"
#include "editor/PageParts.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace {

class TScreenPages : public QObject, public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        Model = &host.Editor();
        Menu = new QMenu(host.Sheet(QStringLiteral("tsDisp")));
        Menu->setObjectName(QStringLiteral("pmScreenParams"));
        for (const ScreenPages::TScreenPage& screens : ScreenPages::All())
            BuildSheet(host.Sheet(QString::fromLatin1(screens.Page)), screens);
    }

    void Refresh() override {
        if (!Model)
            return;
        TMK& mk = Model->Mk;
        for (const TBox& box : Boxes) {
            if (!DisplayParts::IsCurrent(box.Box))
                continue;
            ScreenChoice::DrawScreen(mk, box.Kind, box.Box->Tag());
            box.Box->SetImage(mk.Preview->PreviewSurface);
        }
    }

private:
    struct TBox {
        TScreenKind Kind;
        TPreviewBox* Box;
    };

    void BuildSheet(QWidget* sheet, const ScreenPages::TScreenPage& screens) {
        auto* layout = static_cast<QVBoxLayout*>(sheet->layout());
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(PageParts::Note(ScreenChoice::Hint(screens.Kind)));
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        for (int d = screens.First; d < screens.First + screens.Count; ++d) {
            auto* box = new TPreviewBox(ScreenChoice::BoxName(screens.Kind, d), d);
            const TScreenKind kind = screens.Kind;
            box->RightClicked = [this, kind](TPreviewBox& b, const QPoint& at) {
                RightClick(kind, b, at);
            };
            Boxes.push_back({screens.Kind, box});
            row->addWidget(box);
        }
        row->addStretch(1);
        layout->addLayout(row);
        layout->addStretch(1);
    }

    void RightClick(TScreenKind kind, TPreviewBox& box, const QPoint& at) {
        TSettingsEditor& editor = *Model;
        try {
            if (!ScreenChoice::Aim(editor, kind, box.Tag(), at.x(), at.y(), box.width(),
                                   box.height()))
                return;
            FillMenu(kind);
        } catch (const TMKError& e) {
            Dialogs::ShowError(e.Text());
            return;
        }
        PopupPoint = box.mapToGlobal(at);
        DisplayParts::OpenMenu(*Menu, PopupPoint);
    }

    // Rebuilt at every click, so the check mark and the protocol's parameters are current.
    void FillMenu(TScreenKind kind) {
        TSettingsEditor& editor = *Model;
        Menu->clear();
        for (const ScreenChoice::TParamItem& item :
             ScreenChoice::ParamMenu(editor, kind, editor.PopupList, editor.PopupSlot)) {
            QAction* action = Menu->addAction(item.Caption);
            action->setCheckable(true);
            action->setChecked(item.Checked);
            action->setData(item.Id);
            const int id = item.Id;
            connect(action, &QAction::triggered, this, [this, kind, id] { Choose(kind, id); });
        }
    }

    void Choose(TScreenKind kind, int id) {
        try {
            ScreenChoice::Choose(*Model, kind, id);
        } catch (const TMKError& e) {
            Dialogs::ShowError(e.Text());
        }
    }

    TSettingsEditor* Model = nullptr;
    QMenu* Menu = nullptr;
    QPoint PopupPoint;
    std::vector<TBox> Boxes;
};

} // namespace

std::unique_ptr<TEditorPage> DisplayParts::MakeScreenPages() {
    return std::make_unique<TScreenPages>();
}
