#pragma once
// The lossless JPEG dialog: rotates or flips the JPEG file on disk without re-encoding it. Its
// choice and the time-stamp switch are kept in section "LosslessTransform" of the INI file named
// after the executable (LosslessSettingsFileName).
#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace kalvo {

// "<program directory>/<executable name>.ini".
QString LosslessSettingsFileName();

class TKVfrmLosslessJpeg : public QDialog {
    Q_OBJECT
public:
    // Dialog results besides Cancel (0): the file was replaced, or the attempt failed.
    static constexpr int kResultOk = 1;
    static constexpr int kResultAbort = 3;

    // Reads the settings from iniFileName (LosslessSettingsFileName() when empty).
    explicit TKVfrmLosslessJpeg(QWidget* parent = nullptr, const QString& iniFileName = QString());

    // The JPEG file to transform; set before showing the dialog.
    QString SourceFileName;
    // Put the canvas into its busy state and out again around the transformation.
    std::function<void()> BeginBusy;
    std::function<void()> EndBusy;

    // The selected list item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);

    QGroupBox* RadioGroup1;
    QButtonGroup* RadioButtons;
    QCheckBox* CheckBox1;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

    void Button1Click();

private:
    void writeSettings();
    // The dialog result of a transformation attempt.
    int transform();

    QString FIniFileName;
};

} // namespace kalvo
