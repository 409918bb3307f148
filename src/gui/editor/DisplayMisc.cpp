// Sub-page "Разное": the screen-enable boxes in their groups, the x1 boxes in five
// columns of eight, and the presentation controls.

#include "editing/DisplayTexts.h"
#include "editing/ScreenEnable.h"
#include "editor/Binder.h"
#include "editor/DisplayWidgets.h"
#include "editor/EditorPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int OneValueRows = 8;

class TMiscPage : public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        TBinder& binder = host.Binder();
        auto* screens = new QGroupBox(DisplayTexts::ShowScreens);
        auto* screensLayout = new QVBoxLayout(screens);
        screensLayout->setContentsMargins(6, 2, 6, 4);
        screensLayout->setSpacing(4);
        auto* groups = new QHBoxLayout;
        for (const ScreenEnable::TGroup& group : ScreenEnable::Groups()) {
            if (group.Key == '1')
                continue;
            QStringList names;
            for (int k = 0; k < group.Count; ++k)
                names << ScreenEnable::BoxName(group, k);
            // The boxes of one line stand equally tall, their boxes at the top.
            QGroupBox* box = binder.Group(group.Caption, names);
            auto* grid = static_cast<QGridLayout*>(box->layout());
            grid->setRowStretch(grid->rowCount(), 1);
            groups->addWidget(box);
        }
        groups->addStretch(1);
        screensLayout->addLayout(groups);

        const ScreenEnable::TGroup& ones = ScreenEnable::Group('1');
        auto* oneBox = new QGroupBox(ones.Caption);
        auto* grid = new QGridLayout(oneBox);
        grid->setContentsMargins(6, 2, 6, 4);
        grid->setVerticalSpacing(1);
        for (int k = 0; k < ones.Count; ++k)
            grid->addWidget(binder.Field(ScreenEnable::BoxName(ones, k)), k % OneValueRows,
                            k / OneValueRows);
        screensLayout->addWidget(oneBox);

        auto* side = new QVBoxLayout;
        for (const char* name :
             {"cbDispShowTitle", "cbShowDispName", "rgAirWaterShow", "rgDispSpeed"})
            side->addWidget(binder.Field(QString::fromLatin1(name)));
        side->addStretch(1);

        auto* row = new QHBoxLayout;
        row->addWidget(screens, 0, Qt::AlignTop);
        row->addLayout(side, 1);
        auto* layout =
            static_cast<QVBoxLayout*>(host.Sheet(QStringLiteral("tsDispMisc"))->layout());
        layout->setContentsMargins(4, 2, 4, 2);
        layout->addLayout(row);
        layout->addStretch(1);
    }
};

} // namespace

std::unique_ptr<TEditorPage> DisplayParts::MakeMiscPage() {
    return std::make_unique<TMiscPage>();
}
