#pragma once
// The save dialog with an options button: the standard (non-native) save dialog with the button
// "設定(&O)..." under its buttons, which raises OnButtonClick while the dialog stays open.
#include <QFileDialog>

#include <functional>

class QPushButton;

namespace kalvo {

class TOptionSaveDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit TOptionSaveDialog(QWidget* parent = nullptr, const QString& caption = QString());

    // Raised on each press of OptionButton1.
    std::function<void()> OnButtonClick;

    QWidget* BasePanel;
    QPushButton* OptionButton1;
};

} // namespace kalvo
