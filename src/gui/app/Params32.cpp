#include "app/DemoMode.h"
#include "app/Main32Pars.h"
#include "catalog/Pictures.h"
#include "base/MKError.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Params32"));
    std::unique_ptr<TDemoMode> demo;
    TMainFormSetup setup;
    if (TDemoMode::Requested(QApplication::arguments())) {
        try {
            demo = std::make_unique<TDemoMode>();
        } catch (const TMKError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        setup = demo->Setup();
    }
    TMainForm form(setup);
    if (!form.IsOnlyCopy())
        return 0;
    TPicturesForm::Instance();
    form.show();
    return QApplication::exec();
}
