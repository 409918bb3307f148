// The table of the 24 warnings on "Озвуч.сообщения": two blocks of rows side by side, each
// a caption and the presentation groups for the first and the later occurrences.

#include "editing/SettingsEditor.h"
#include "editing/WarningTable.h"
#include "editor/Binder.h"
#include "editor/EditorPage.h"

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

QLabel* Heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

class TVoiceWarnings : public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        Model = &host.Editor();
        BuildWarnings(host);
    }

    void Refresh() override {
        const TSettingsEditor& editor = *Model;
        const auto& rows = WarningRows();
        for (int i = 0; i < int(rows.size()); ++i)
            RowCaptions[i]->setVisible(
                editor.Visible(WarningGroupName(rows[std::size_t(i)], false)));
    }

private:
    // The general controls stand above, where their rows say.
    void BuildWarnings(TEditorPageHost& host) {
        auto* sheet = host.Sheet(QStringLiteral("tsVoice"));
        // The warning table needs nearly the whole width of the page.
        sheet->layout()->setContentsMargins(4, 4, 4, 4);
        sheet->layout()->addWidget(WarningTable(host));
        static_cast<QVBoxLayout*>(sheet->layout())->addStretch(1);
    }

    // Two blocks of twelve rows side by side: caption, the group for the first occurrence,
    // the group for later ones. Each block closes up over the rows its protocol hides.
    QWidget* WarningTable(TEditorPageHost& host) {
        Bare = new TBareGroupStyle;
        Bare->setParent(host.Sheet(QStringLiteral("tsVoice")));
        auto* table = new QWidget;
        auto* blocks = new QHBoxLayout(table);
        blocks->setContentsMargins(0, 0, 0, 0);
        blocks->setSpacing(10);
        const int perBlock = int(WarningRows().size() + 1) / 2;
        for (int first = 0; first < int(WarningRows().size()); first += perBlock)
            blocks->addLayout(WarningBlock(host, first, perBlock), 0);
        blocks->addStretch(1);
        return table;
    }

    QGridLayout* WarningBlock(TEditorPageHost& host, int first, int count) {
        TBinder& binder = host.Binder();
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(2);
        grid->setVerticalSpacing(0);
        grid->addWidget(
            Heading(host.Editor().RowOrThrow(WarningGroupName(WarningRows().front(), false)).Group),
            0, 0);
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

    const TSettingsEditor* Model = nullptr;
    TBareGroupStyle* Bare = nullptr;
    QList<QLabel*> RowCaptions;
};

} // namespace

std::unique_ptr<TEditorPage> MakeVoiceWarnings() {
    return std::make_unique<TVoiceWarnings>();
}
