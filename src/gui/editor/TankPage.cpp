// Page "Бак": the tared table grid sgTarir beside the 2-point and 7-point lines, and the
// tank file buttons. The table's rules are the model's (editing/TankTable.h).

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/SettingsEditor.h"
#include "editing/TankFile.h"
#include "editing/TankTable.h"
#include "editor/Binder.h"
#include "editor/EditorPage.h"
#include "editor/PageParts.h"
#include "model/DeviceModel.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString TankPageName = QStringLiteral("tsOil");
constexpr int SevenPoints = 7;
enum TColumn { NumberColumn, LitresColumn, UnitsColumn };

// The digits a column's edit mask allows ("!999;0": up to three).
int MaskDigits(const QString& mask) {
    return int(mask.section(QLatin1Char(';'), 0, 0).count(QLatin1Char('9')));
}

// Cells take digits only, as many as the column's mask allows.
class TDigitsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* edit =
            qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!edit)
            return nullptr;
        const int digits = MaskDigits(index.column() == LitresColumn ? TankTable::LitresMask
                                                                     : TankTable::UnitsMask);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), edit));
        edit->setMaxLength(digits);
        return edit;
    }
};

// The program's folder, unless the user cannot write there: then the documents.
QString StartFolder() {
    const QString folder = QCoreApplication::applicationDirPath();
    if (QFileInfo(folder).isWritable())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

class TTankPage : public QObject, public TEditorPage {
public:
    void Build(TEditorPageHost& host) override;
    void Shown() override;
    void Refresh() override;
    void MainPageChanged(const QString& page) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QGroupBox* TaredGroup();
    QWidget* FilePanel();
    void FillGrid();
    bool InGrid(const QWidget* widget) const;
    void GridLeft();
    void StoreGrid();
    void SaveFile();
    void LoadFile();

    TSettingsEditor* Model = nullptr;
    TBinder* Binder = nullptr;
    QWidget* Sheet = nullptr;
    QTableWidget* Tarir = nullptr;
    QString Folder;
    bool StorePending = false;
};

QGroupBox* TTankPage::TaredGroup() {
    auto* box = new QGroupBox(QStringLiteral("Тарированный"));
    auto* column = new QVBoxLayout(box);
    column->addWidget(Binder->Field("seTarirLeng"));
    column->addWidget(Binder->Control("cbTarirFlagFinish"));
    Tarir = PageParts::Grid(QStringLiteral("sgTarir"),
                            {QStringLiteral("#"), QStringLiteral("литры"), QStringLiteral("уе")},
                            {40, 90, 90});
    Tarir->setItemDelegate(new TDigitsDelegate(Tarir));
    Tarir->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    column->addWidget(Tarir, 1);
    column->addWidget(Binder->Control("rgTarirIncline"));
    connect(Tarir, &QTableWidget::itemChanged, this, [this] { Model->TarirEdited = true; });
    Tarir->installEventFilter(this);
    // A cell editor that loses the focus to outside the grid: store once it has committed.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && old != Tarir && InGrid(old) && !InGrid(now))
            GridLeft();
    });
    return box;
}

QWidget* TTankPage::FilePanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(PageParts::Note(QStringLiteral(
        "Внмание! Для правильной работы программы МК НЕОБХОДИМО использовать последние версии ПО "
        "МК и программы настройки.")));
    column->addSpacing(8);
    column->addWidget(PageParts::Note(
        QStringLiteral("Перед сменой ПО МК сохраните настройки бака кнопкой \"%1\", а после смены "
                       "ПО считайте их обратно кнопкой \"%2\".")
            .arg(QStringLiteral("Сохранить настройки бака"),
                 QStringLiteral("Считать настройки бака"))));
    auto* save = new QPushButton(QStringLiteral("Сохранить настройки бака в файл"));
    save->setObjectName(QStringLiteral("bOilSave"));
    auto* load = new QPushButton(QStringLiteral("Считать настройки бака из файла"));
    load->setObjectName(QStringLiteral("bOilLoad"));
    connect(save, &QPushButton::clicked, this, &TTankPage::SaveFile);
    connect(load, &QPushButton::clicked, this, &TTankPage::LoadFile);
    column->addWidget(save);
    column->addWidget(load);
    column->addSpacing(16);
    column->addWidget(
        PageParts::Note(QStringLiteral("Внмание! Установка значений пользователем вручную НЕ "
                                       "РЕКОМЕНДУЕТСЯ! ") +
                        QLatin1Char('\n') +
                        QStringLiteral("Некорректная установка может привести к неправильной "
                                       "работе МК!")));
    column->addStretch(1);
    return panel;
}

void TTankPage::Build(TEditorPageHost& host) {
    Model = &host.Editor();
    Binder = &host.Binder();
    Sheet = host.Sheet(TankPageName);
    // The lines' groups, laid out from their rows, stand left of the tared table.
    QWidget* tared = TaredGroup();
    auto* row = new QHBoxLayout;
    row->addWidget(Binder->Rows(TankPageName), 0);
    row->addWidget(tared, 0);
    row->addWidget(FilePanel(), 1);
    static_cast<QVBoxLayout*>(Sheet->layout())->addLayout(row);
}

void TTankPage::Shown() {
    Folder = StartFolder();
    FillGrid();
}

bool TTankPage::InGrid(const QWidget* widget) const {
    return widget && (widget == Tarir || Tarir->isAncestorOf(widget));
}

bool TTankPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Tarir && event->type() == QEvent::FocusOut &&
        !InGrid(QApplication::focusWidget()))
        StoreGrid();
    return QObject::eventFilter(watched, event);
}

void TTankPage::GridLeft() {
    // A cell editor hands its text to the grid while it loses the focus: store after that,
    // once per focus change.
    if (StorePending)
        return;
    StorePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            StorePending = false;
            StoreGrid();
        },
        Qt::QueuedConnection);
}

void TTankPage::StoreGrid() {
    if (!Model->TarirEdited)
        return;
    QList<TankTable::TCells> cells;
    for (int r = 0; r < Tarir->rowCount(); ++r) {
        const auto text = [this, r](int c) {
            return Tarir->item(r, c) ? Tarir->item(r, c)->text() : QString();
        };
        cells.append({text(LitresColumn), text(UnitsColumn)});
    }
    try {
        TankTable::Store(*Model, cells);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
}

void TTankPage::FillGrid() {
    // The grid holds typed text until it is stored.
    if (Model->TarirEdited)
        return;
    const TMK& mk = Model->Mk;
    const QList<TankTable::TCells> cells = TankTable::Cells(mk);
    const QSignalBlocker blocker(Tarir);
    Tarir->setRowCount(TankTable::DataRows(mk));
    for (int r = 0; r < Tarir->rowCount(); ++r) {
        const bool point = r < cells.size();
        auto* number = new QTableWidgetItem(point ? QString::number(r + 1) : QString());
        number->setFlags(Qt::ItemIsEnabled);
        Tarir->setItem(r, NumberColumn, number);
        for (int c : {LitresColumn, UnitsColumn}) {
            const QString text = !point              ? QString()
                                 : c == LitresColumn ? cells[r].Litres
                                                     : cells[r].Units;
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Tarir->setItem(r, c, item);
        }
    }
}

void TTankPage::Refresh() {
    if (!Tarir)
        return;
    FillGrid();
}

void TTankPage::MainPageChanged(const QString& page) {
    if (page == TankPageName && Model)
        TankTable::LoadPage(*Model);
}

Dialogs::TFileDialogRequest TankFileRequest(const QString& folder, bool mustExist) {
    Dialogs::TFileDialogRequest request;
    request.Directory = folder;
    request.Filter = TankFile::Filter;
    request.DefaultSuffix = TankFile::Suffix;
    request.MustExist = mustExist;
    return request;
}

void TTankPage::SaveFile() {
    const QString path = Dialogs::SaveFile(Sheet->window(), TankFileRequest(Folder, false));
    if (path.isEmpty() || !Dialogs::MayOverwrite(path))
        return;
    try {
        TankFile::Save(Model->Mk, path);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
}

void TTankPage::LoadFile() {
    const QString path = Dialogs::OpenFile(Sheet->window(), TankFileRequest(Folder, true));
    if (path.isEmpty())
        return;
    try {
        const int bytes = TankFile::Load(Model->Mk, path);
        if (bytes < TankFile::Size)
            Dialogs::ShowInformation(TankFile::ShortFileNote(bytes));
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
    Model->TarirEdited = false;
    TankTable::LoadPage(*Model);
}

} // namespace

std::unique_ptr<TEditorPage> MakeTankPage() {
    return std::make_unique<TTankPage>();
}
