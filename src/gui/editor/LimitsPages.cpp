// Pages "Границы" (group boxes in columns) and "Озвуч.сообщения" (the general controls above
// the table of the 24 warnings, two blocks of rows side by side).

#include "editing/SettingsEditor.h"
#include "editing/WarningTable.h"
#include "editor/Binder.h"
#include "editor/EditorPage.h"
#include "editor/MK_SetParams.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>

namespace {

// Puts the columns on the sheet; their widgets become the sheet's children.
void Place(QWidget* sheet, QLayout* columns) {
    auto* area = new QWidget;
    area->setLayout(columns);
    sheet->layout()->addWidget(area);
}

// The presentation groups sit in a table whose rows and headings say what they are: their
// boxes draw neither title nor frame.
class TBareGroupStyle : public QProxyStyle {
public:
    TBareGroupStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
            box && control == CC_GroupBox) {
            QStyleOptionGroupBox bare = Bare(*box);
            bare.subControls &= ~SC_GroupBoxFrame;
            QProxyStyle::drawComplexControl(control, &bare, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
            box && control == CC_GroupBox) {
            // Without title and frame the buttons take the whole box.
            if (part == SC_GroupBoxContents || part == SC_GroupBoxFrame)
                return box->rect;
            const QStyleOptionGroupBox bare = Bare(*box);
            return QProxyStyle::subControlRect(control, &bare, part, widget);
        }
        return QProxyStyle::subControlRect(control, option, part, widget);
    }

    // The title does not count towards the box's size either.
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_GroupBox)
            return {};
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

private:
    static QStyleOptionGroupBox Bare(const QStyleOptionGroupBox& box) {
        QStyleOptionGroupBox bare(box);
        bare.text.clear();
        bare.subControls &= ~SC_GroupBoxLabel;
        bare.features |= QStyleOptionFrame::Flat;
        return bare;
    }
};

// Lays out a group box of the binder, titled as the model groups its first control.
QGroupBox* Box(TMK_SetParamsDlg& dialog, const QStringList& names) {
    return dialog.Binder().Group(dialog.Editor().RowOrThrow(names.first()).Group, names);
}

QLabel* Heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

class TLimitsPages : public TEditorPage {
public:
    void Build(TMK_SetParamsDlg& dialog) override {
        Dialog = &dialog;
        BuildLimits(dialog);
        BuildVoice(dialog);
    }

    void Refresh() override {
        const TSettingsEditor& editor = Dialog->Editor();
        const auto& rows = WarningRows();
        for (int i = 0; i < int(rows.size()); ++i)
            RowCaptions[i]->setVisible(
                editor.Visible(WarningGroupName(rows[std::size_t(i)], false)));
    }

private:
    static void BuildLimits(TMK_SetParamsDlg& dialog) {
        auto* columns = new QHBoxLayout;
        columns->setSpacing(10);
        auto* engine = new QVBoxLayout;
        engine->addWidget(Box(dialog, {"seLiqTemperLimit", "seLiqTemperReady", "seRevolutionsLimit",
                                       "seVentTempLimit", "seInjTimeLimit", "seVAGSFilterLimit"}));
        engine->addWidget(Box(dialog, {"seOilAKPPTemperLimit", "seOilEngTemperLimit",
                                       "seCVTFDeteriorLim", "seRetarderOilTemperLimit"}));
        engine->addStretch(1);
        auto* road = new QVBoxLayout;
        road->addWidget(Box(dialog, {"seVelocityLimit", "seStopVelocityLimit", "seVel100",
                                     "seVel100Down", "seTankLimit"}));
        road->addWidget(Box(dialog, {"seUaccLowLimit", "seUaccHighLimit", "rg24VMode"}));
        road->addWidget(Box(dialog, {"seInvTemperLimit", "seHVBTemperLimit"}));
        road->addWidget(dialog.Binder().Field(QStringLiteral("rgExp100ArrowLim")));
        road->addStretch(1);
        columns->addLayout(engine, 1);
        columns->addLayout(road, 1);
        columns->addStretch(1);
        Place(dialog.Sheet(QStringLiteral("TabSheet1")), columns);
    }

    void BuildVoice(TMK_SetParamsDlg& dialog) {
        TBinder& binder = dialog.Binder();
        QGroupBox* general = binder.Group(dialog.Editor().RowOrThrow("seSoundVolume").Group, {});
        auto* cells = new QWidget;
        auto* grid = new QGridLayout(cells);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(2);
        // The long captions share the first column; the shorter ones and the choices the second.
        const QList<QStringList> rows{
            {"seAlarmVelSecNoSayMax", "rgFlagSound"},
            {"seSayParamPeriod", "rgSayHelloMode"},
            {"seSoundVolume", "seSayEconomPeriod"},
            {"cbSoundKeys", "cbSoundLock"},
        };
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                grid->addWidget(binder.Field(rows[r][c]), r, c, Qt::AlignVCenter);
        grid->setColumnStretch(2, 1);
        general->layout()->addWidget(cells);

        auto* sheet = dialog.Sheet(QStringLiteral("tsVoice"));
        // The warning table needs nearly the whole width of the page.
        sheet->layout()->setContentsMargins(4, 4, 4, 4);
        sheet->layout()->addWidget(general);
        sheet->layout()->addWidget(WarningTable(dialog));
        static_cast<QVBoxLayout*>(sheet->layout())->addStretch(1);
    }

    // Two blocks of twelve rows side by side: caption, the group for the first occurrence,
    // the group for later ones. Each block closes up over the rows its protocol hides.
    QWidget* WarningTable(TMK_SetParamsDlg& dialog) {
        Bare = new TBareGroupStyle;
        Bare->setParent(dialog.Sheet(QStringLiteral("tsVoice")));
        auto* table = new QWidget;
        auto* blocks = new QHBoxLayout(table);
        blocks->setContentsMargins(0, 0, 0, 0);
        blocks->setSpacing(10);
        const int perBlock = int(WarningRows().size() + 1) / 2;
        for (int first = 0; first < int(WarningRows().size()); first += perBlock)
            blocks->addLayout(WarningBlock(dialog, first, perBlock), 0);
        blocks->addStretch(1);
        return table;
    }

    QGridLayout* WarningBlock(TMK_SetParamsDlg& dialog, int first, int count) {
        TBinder& binder = dialog.Binder();
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(2);
        grid->setVerticalSpacing(0);
        grid->addWidget(Heading(dialog.Editor().RowOrThrow("rgapVel_F").Group), 0, 0);
        grid->addWidget(Heading(QStringLiteral("Первое")), 0, 1, Qt::AlignHCenter);
        grid->addWidget(Heading(QStringLiteral("Последующие")), 0, 2, Qt::AlignHCenter);
        const auto& rows = WarningRows();
        for (int i = first; i < first + count && i < int(rows.size()); ++i) {
            const TWarningRow& w = rows[std::size_t(i)];
            auto* caption = new QLabel(QString::fromUtf8(w.Caption));
            RowCaptions.append(caption);
            const int r = i - first + 1;
            grid->addWidget(caption, r, 0);
            for (const bool later : {false, true}) {
                if (later && !w.HasLater)
                    continue;
                QWidget* group = binder.Control(WarningGroupName(w, later));
                group->setStyle(Bare);
                if (QLayout* inner = group->layout()) {
                    inner->setContentsMargins(0, 0, 0, 0);
                    inner->setSpacing(0);
                }
                grid->addWidget(group, r, later ? 2 : 1);
            }
        }
        grid->setRowStretch(count + 1, 1);
        return grid;
    }

    TMK_SetParamsDlg* Dialog = nullptr;
    TBareGroupStyle* Bare = nullptr;
    QList<QLabel*> RowCaptions;
};

} // namespace

std::unique_ptr<TEditorPage> MakeLimitsPages() {
    return std::make_unique<TLimitsPages>();
}
