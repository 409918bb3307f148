#include "editor/SettingsDialog.h"

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/PageTree.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/ChangeControls.h"
#include "editor/EditorKeys.h"
#include "editor/EditorPage.h"
#include "editor/SettingSearch.h"
#include "editor/SheetPreview.h"
#include "model/DeviceModel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 1021;
constexpr int DialogHeight = 562;
constexpr int PagesHeight = 529;

// The page control inside a page that has sub-pages.
QString PageControlName(const QString& page) {
    static const QHash<QString, QString> names = {
        {"tsDisp", "pcDisp"},           {"tsColors", "pcColorDisp"}, {"tsColorDigit", "pcColorDig"},
        {"tsDisp4", "pcDisp4"},         {"tsDisp7", "pcDisp7"},      {"tsDispGraph", "pcDispGraph"},
        {"tsDispArrow", "pcDispArrow"},
    };
    return names.value(page);
}

// A grid or button a page module made without a name of its own: named by its box, or by
// its page.
QString UnnamedStopName(QWidget* stop, const QString& page) {
    if (auto* button = qobject_cast<QAbstractButton*>(stop); button && !button->text().isEmpty())
        return button->text();
    for (QWidget* p = stop->parentWidget(); p; p = p->parentWidget())
        if (auto* box = qobject_cast<QGroupBox*>(p); box && !box->title().isEmpty())
            return box->title();
    return page;
}

} // namespace

TMK_SetParamsDlg::TMK_SetParamsDlg(TMK& mk, QWidget* parent)
    : QDialog(parent), Model(std::make_unique<TSettingsEditor>(mk)),
      Bind(std::make_unique<TBinder>(*Model)) {
    setObjectName(QStringLiteral("MK_SetParamsDlg"));
    setWindowTitle(QStringLiteral("Настройки МК"));
    setFixedSize(DialogWidth, DialogHeight);
    Model->Confirm = [](const QString& question) { return Dialogs::Confirm(question); };
    // The dialog's own focus widget: it stays put while the window is inactive.
    Model->HasFocus = [this](const QString& name) {
        QWidget* control = Bind->Control(name);
        QWidget* focus = focusWidget();
        return control && focus && (focus == control || control->isAncestorOf(focus));
    };
    // A value typed but not yet stored already shows what depends on it (the rows a count
    // shows); the record is unchanged, so the model tells nothing.
    Bind->ShownChanged = [this] { RefreshAll(); };
    Bind->CreateAll();

    auto* main = new QTabWidget(this);
    main->setObjectName(QStringLiteral("pcMain"));
    main->setGeometry(0, 0, DialogWidth, PagesHeight);
    PageControls.insert(main->objectName(), main);
    BuildPages();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("bCancel"));
    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("pButtons"));
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(8, 2, 8, 4);
    auto* search = new TSettingSearch(*Model, buttons);
    search->setFixedWidth(320);
    search->Go = [this](const TFoundSetting& found) { GoTo(found.Page, found.Control); };
    row->addWidget(search);
    new TEditorKeys(this, main, search);
    History = std::make_unique<TChangeControls>(*Model, *Bind, row, this);
    History->WatchPages(PageControls.values());
    History->GoTo = [this](const QString& page, const QString& control) { GoTo(page, control); };
    row->addStretch(1);
    auto* sheet = new QPushButton(QStringLiteral("Отчёт…"), buttons);
    sheet->setObjectName(QStringLiteral("bSettingsSheet"));
    sheet->setAccessibleName(QStringLiteral("Отчёт о настройках"));
    connect(sheet, &QPushButton::clicked, this, [this] { SheetPreview::Run(*Model, this); });
    row->addWidget(sheet);
    row->addWidget(ok);
    row->addWidget(cancel);
    buttons->setGeometry(0, PagesHeight, DialogWidth, DialogHeight - PagesHeight);
    OrderTabs();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(main, &QTabWidget::currentChanged, this, [this, main](int index) {
        const QString page = main->widget(index) ? main->widget(index)->objectName() : QString();
        for (auto& group : Groups)
            group->MainPageChanged(page);
    });
}

TMK_SetParamsDlg::~TMK_SetParamsDlg() = default;

void TMK_SetParamsDlg::BuildPages() {
    for (const TPageInfo& page : PageTree()) {
        auto* sheet = new QWidget;
        sheet->setObjectName(page.Name);
        new QVBoxLayout(sheet);
        Sheets.insert(page.Name, sheet);
        QTabWidget* holder = nullptr;
        if (page.Parent.isEmpty()) {
            holder = PageControls.value(QStringLiteral("pcMain"));
        } else {
            const QString name = PageControlName(page.Parent);
            holder = PageControls.value(name);
            if (!holder) {
                holder = new QTabWidget;
                holder->setObjectName(name);
                QWidget* parentSheet = Sheets.value(page.Parent);
                parentSheet->layout()->setContentsMargins(2, 2, 2, 2);
                parentSheet->layout()->addWidget(holder);
                PageControls.insert(name, holder);
            }
        }
        holder->addTab(sheet, page.Caption);
    }
    Groups.push_back(MakeServiceInfoPage());
    Groups.push_back(MakeVoiceWarnings());
    Groups.push_back(MakeDisplayPages());
    Groups.push_back(MakeTankPage());
    Groups.push_back(MakeBlocksPage());
    for (auto& group : Groups)
        group->Build(*this);
    // Every control no group placed stands where its row says.
    for (const TPageInfo& page : PageTree())
        Bind->LayoutPage(Sheets.value(page.Name), page.Name);
}

// A page control's tabs, then the stops of each of its pages in turn: Tab from the tabs
// enters the page shown, since the hidden pages' controls are skipped.
QWidgetList TMK_SetParamsDlg::PageStops(QTabWidget* pages) {
    QWidgetList stops = {pages->tabBar()};
    for (int i = 0; i < pages->count(); ++i) {
        QWidget* sheet = pages->widget(i);
        for (QWidget* stop : Bind->TabStops(sheet, sheet->objectName())) {
            if (auto* inner = qobject_cast<QTabWidget*>(stop)) {
                stops += PageStops(inner);
                continue;
            }
            if (stop->accessibleName().isEmpty())
                stop->setAccessibleName(UnnamedStopName(stop, pages->tabText(i)));
            stops.append(stop);
        }
    }
    return stops;
}

void TMK_SetParamsDlg::OrderTabs() {
    // Tab leaves a grid for the next control; the arrows move within it.
    for (auto* grid : findChildren<QAbstractItemView*>())
        grid->setTabKeyNavigation(false);
    QWidgetList stops = PageStops(PageControls.value(QStringLiteral("pcMain")));
    stops += findChild<QWidget*>(QStringLiteral("eFindSetting"));
    stops += History->Buttons();
    stops += {findChild<QWidget*>(QStringLiteral("bSettingsSheet")),
              findChild<QWidget*>(QStringLiteral("bOK")),
              findChild<QWidget*>(QStringLiteral("bCancel"))};
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

QWidget* TMK_SetParamsDlg::Sheet(const QString& page) const {
    return Sheets.value(page);
}

QTabWidget* TMK_SetParamsDlg::PageControl(const QString& name) const {
    return PageControls.value(name);
}

void TMK_SetParamsDlg::SelectPage(const QString& page) {
    const TPageInfo* info = FindPage(page);
    if (!info)
        return;
    if (!info->Parent.isEmpty())
        SelectPage(info->Parent);
    QWidget* sheet = Sheets.value(page);
    for (QTabWidget* control : std::as_const(PageControls)) {
        const int index = control->indexOf(sheet);
        if (index >= 0)
            control->setCurrentIndex(index);
    }
}

void TMK_SetParamsDlg::GoTo(const QString& page, const QString& control) {
    SelectPage(page);
    if (QWidget* w = Bind->Control(control))
        w->setFocus(Qt::OtherFocusReason);
}

void TMK_SetParamsDlg::ApplyPageVisibility() {
    for (const TPageInfo& page : PageTree()) {
        QWidget* sheet = Sheets.value(page.Name);
        for (QTabWidget* control : std::as_const(PageControls)) {
            const int index = control->indexOf(sheet);
            if (index >= 0)
                control->setTabVisible(index, Model->PageVisible(page.Name));
        }
    }
}

void TMK_SetParamsDlg::RefreshAll() {
    if (Refreshing)
        return;
    Refreshing = true;
    Model->RefreshInProgress = true;
    Bind->Refresh();
    for (auto& group : Groups)
        group->Refresh();
    History->Update();
    Model->RefreshInProgress = false;
    Refreshing = false;
}

void TMK_SetParamsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (Prepared)
        return;
    try {
        Prepare();
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

void TMK_SetParamsDlg::Prepare() {
    Prepared = true;
    for (QTabWidget* control : std::as_const(PageControls))
        control->setCurrentIndex(0);
    Model->Show();
    ApplyPageVisibility();
    for (auto& group : Groups)
        group->Shown();
    RefreshAll();
    Model->RecordChanged = [this] { RefreshAll(); };
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool TMK_SetParamsDlg::Run(TMK& mk, QWidget* parent) {
    return mk.EditSettings([&mk, parent] {
        TMK_SetParamsDlg dialog(mk, parent);
        dialog.Prepare();
        return Dialogs::Exec(dialog) == QDialog::Accepted;
    });
}
