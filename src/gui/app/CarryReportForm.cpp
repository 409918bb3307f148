#include "app/CarryReportForm.h"

#include "carry/CarryReport.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TCarryReportForm::TCarryReportForm(const TCarryReport& report, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CarryReportForm"));
    setWindowTitle(QStringLiteral("Не перенесено на этот МК"));
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(
        QStringLiteral("Перенесено настроек: %1. Эти настройки не подошли к МК и остались его "
                       "собственными:")
            .arg(report.Carried),
        this);
    heading->setObjectName(QStringLiteral("lCarried"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    tvNotCarried = new QTreeWidget(this);
    tvNotCarried->setObjectName(QStringLiteral("tvNotCarried"));
    tvNotCarried->setRootIsDecorated(false);
    tvNotCarried->setHeaderLabels(
        {QStringLiteral("Настройка"), QStringLiteral("Значение"), QStringLiteral("Причина")});
    for (const TCarryEntry& e : report.NotCarried)
        new QTreeWidgetItem(tvNotCarried, {QStringLiteral("%1 › %2").arg(
                                               e.Page, e.Caption.isEmpty() ? e.Name : e.Caption),
                                           e.From, e.Reason});
    tvNotCarried->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(tvNotCarried);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
