#pragma once

#include <QDialog>
#include <QImage>
#include <optional>

class QScrollBar;
class TChoiceGroup;
class TMK;
struct TOscilloscopeRecord;

// The oscilloscope viewer: the capture drawn as a trace on a grid, scrollable, with a
// choice of time base. It changes only the capture's time division in the record.
class TMK_ViewOscDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMK_ViewOscDlg(TOscilloscopeRecord& capture, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Prepare();
    void Draw();
    void TimeDivClicked(int index);
    void VoltDivClicked();

    TOscilloscopeRecord& Capture;
    QImage Bitmap;
    // The time base the capture was recorded with; unknown while its header is unusable.
    std::optional<float> OpenTimeScale;
    int ScrollPos = 0;
    int Offset = 0;
    bool Prepared = false;
    // A failing drawing is reported once, not again on every scroll step.
    bool DrawingFailed = false;

    QWidget* PB;
    QScrollBar* sbSclollOffset;
    TChoiceGroup* rgOscTimeDiv;
    TChoiceGroup* rgOscVoltDiv;
    TChoiceGroup* rgOscInDivider;
};

// The oscilloscope step of the main window: refusals and errors go to an error box.
void RunViewOscilloscope(TMK& mk, QWidget* parent);
