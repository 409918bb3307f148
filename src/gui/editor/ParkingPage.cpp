// Page "Парковка": the sensor type above the rear and front groups.

#include "editor/Binder.h"
#include "editor/EditorPage.h"
#include "editor/MK_SetParams.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

class TParkingPage : public TEditorPage {
public:
    void Build(TMK_SetParamsDlg& dialog) override {
        TBinder& binder = dialog.Binder();
        auto* page = static_cast<QVBoxLayout*>(dialog.Sheet(QStringLiteral("tsPark"))->layout());
        auto* top = new QHBoxLayout;
        top->addWidget(binder.Control(QStringLiteral("rgParkType")));
        top->addStretch(1);
        page->addLayout(top);

        auto* groups = new QHBoxLayout;
        groups->addWidget(Sized(
            binder.Group(QStringLiteral("Задний"),
                         {"cbParkUse0", "seParkProbesQntReal0", "seParkSense0", "seParkSpeed0",
                          "seParkMinLeng0", "rgParkBeepType", "seParkStopVel0", "seParkStopLeng0",
                          "seParkStopLengBeep", "seParkFarkopLen"})));
        groups->addWidget(Sized(binder.Group(QStringLiteral("Передний"),
                                             {"cbParkUse1", "seParkProbesQntReal1", "seParkSense1",
                                              "seParkSpeed1", "seParkMinLeng1", "seParkStopVel1",
                                              "seParkStopLeng1", "rgParkForwConstOff"})),
                          0, Qt::AlignTop);
        groups->addStretch(1);
        page->addLayout(groups);
        page->addStretch(1);
    }

private:
    static QGroupBox* Sized(QGroupBox* box) {
        box->setFixedWidth(330);
        return box;
    }
};

} // namespace

std::unique_ptr<TEditorPage> MakeParkingPage() {
    return std::make_unique<TParkingPage>();
}
