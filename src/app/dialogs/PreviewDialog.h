#pragma once
// The base of the dialogs that preview an effect: a preview canvas scrolled with the hand, a
// zoom ratio a : b, four track bars each paired with a numeric field, the preview button and the
// auto-preview toggle. A change of a value restarts a one-shot timer (1000 ms with auto-preview
// on); the preview button starts it with 100 ms; when it fires the subclass computes the preview
// with the dialog disabled.
#include <QDialog>
#include <QTimer>

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSlider;

namespace kalvo {

class TpxImage;
class TpxNumericEdit;

// The preview zoom ratio steps (a in 1..20, b in 1..10). Each returns false, changing nothing,
// when the step would leave the range.
bool PreviewZoomIn(int& a, int& b);
bool PreviewZoomOut(int& a, int& b);

class TKVfrmPreviewBase : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFieldCount = 4;
    static constexpr int kChangeDelay = 1000;
    static constexpr int kButtonDelay = 100;

    explicit TKVfrmPreviewBase(QWidget* parent = nullptr);

    TpxImage* pxPreview;
    QLabel* lblCaption[kFieldCount];
    QSlider* TrackBar[kFieldCount];
    TpxNumericEdit* Edit[kFieldCount];
    QPushButton* btnZoomIn;
    QPushButton* btnZoomOut;
    QLabel* lblZoom;
    QPushButton* btnPreview;
    QCheckBox* cbAutoPreview;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    int ZoomA() const { return FZoomA; }
    int ZoomB() const { return FZoomB; }
    void ZoomIn();
    void ZoomOut();
    bool AutoPreview() const;
    void SetAutoPreview(bool on);
    // The one-shot preview timer; tests fire it with PreviewTimerTimer instead of waiting.
    const QTimer& PreviewTimer() const { return FTimer; }
    void PreviewTimerTimer();
    // A value changed: restarts the timer with the change delay when auto-preview is on.
    void ValueChanged();
    // How many previews were computed.
    int PreviewCount() const { return FPreviewCount; }

protected:
    // Sets field i's caption, range and track-bar tick spacing.
    void SetupField(int index, const QString& caption, int minimum, int maximum, int ticks);
    // Moves every track bar to its field's value.
    void SyncTrackBars();
    // The grid of the fields (caption, track bar, field per row); subclasses may add rows.
    QGridLayout* FieldGrid;
    // Computes the preview into pxPreview (the dialog is disabled meanwhile).
    virtual void Preview() = 0;
    // The explanation the help button shows.
    virtual QString HelpText() const = 0;

private:
    void applyZoom();

    QTimer FTimer;
    int FZoomA = 1;
    int FZoomB = 1;
    int FPreviewCount = 0;
};

} // namespace kalvo
