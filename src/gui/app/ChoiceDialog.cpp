#include "app/ChoiceDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* TextLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

TChoiceDialog::TChoiceDialog(const Dialogs::TChoiceRequest& request, QWidget* parent)
    : QDialog(parent), Groups(request.Groups) {
    setObjectName(QStringLiteral("ChoiceDialog"));
    setWindowTitle(QStringLiteral("Confirm"));

    // The question box's own icon, beside the text as a question box has it.
    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    lbChanges = new QListWidget(this);
    lbChanges->setObjectName(QStringLiteral("lbChanges"));
    for (const QString& line : request.Lines) {
        auto* item = new QListWidgetItem(line, lbChanges);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    connect(lbChanges, &QListWidget::itemChanged, this, &TChoiceDialog::FollowGroup);
    // Wide enough for the longest line and tall enough for twenty, within the screen.
    const QFontMetrics metrics = lbChanges->fontMetrics();
    int width = 0;
    for (const QString& line : request.Lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QSize available = screen()->availableSize();
    lbChanges->setMinimumWidth(std::min(width + 60, available.width() * 3 / 4));
    lbChanges->setMinimumHeight(
        std::min(int(std::min<qsizetype>(request.Lines.size(), 20) + 1) * (metrics.height() + 4),
                 available.height() / 2));

    auto* text = new QVBoxLayout;
    text->addWidget(TextLabel(request.Header, QStringLiteral("lHeader"), this));
    text->addWidget(lbChanges);
    text->addWidget(TextLabel(request.Question, QStringLiteral("lQuestion"), this));
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    bYes = buttons->addButton(QStringLiteral("&Yes"), QDialogButtonBox::YesRole);
    bYes->setObjectName(QStringLiteral("bYes"));
    bNo = buttons->addButton(QStringLiteral("&No"), QDialogButtonBox::NoRole);
    bNo->setObjectName(QStringLiteral("bNo"));
    bYes->setDefault(true);
    connect(bYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bNo, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
}

QList<int> TChoiceDialog::Ticked() const {
    QList<int> ticked;
    for (int line = 0; line < lbChanges->count(); ++line)
        if (lbChanges->item(line)->checkState() == Qt::Checked)
            ticked << line;
    return ticked;
}

void TChoiceDialog::FollowGroup(QListWidgetItem* item) {
    if (Following)
        return;
    Following = true;
    const int line = lbChanges->row(item);
    for (const QList<int>& group : Groups)
        if (group.contains(line))
            for (const int other : group)
                if (QListWidgetItem* member = lbChanges->item(other))
                    member->setCheckState(item->checkState());
    Following = false;
}
