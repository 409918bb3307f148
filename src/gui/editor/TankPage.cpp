#include "editor/EditorPage.h"

namespace {

class TPlainPage : public TEditorPage {
public:
    void Build(TMK_SetParamsDlg&) override {}
};

} // namespace

std::unique_ptr<TEditorPage> MakeTankPage() {
    return std::make_unique<TPlainPage>();
}
