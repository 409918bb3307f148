#pragma once

// The list of settings that did not fit the MK they were carried to: page › caption, the
// value they had, and why the MK kept its own.

#include <QDialog>

class QTreeWidget;
struct TCarryReport;

class TCarryReportForm : public QDialog {
    Q_OBJECT

public:
    explicit TCarryReportForm(const TCarryReport& report, QWidget* parent = nullptr);

    QTreeWidget* tvNotCarried;
};
