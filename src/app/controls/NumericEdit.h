#pragma once
// A single-line edit for integers with a range. Value is read and written through the text:
// reading a text that is no integer gives MinValue; writing limits the value to
// MinValue..MaxValue (no limits when both are equal). Up and down arrows step by one; leaving the
// field corrects an out-of-range or non-numeric entry. Only '+', '-', digits, the decimal
// separator and control characters can be typed. With Decimals d > 0 the field shows decimal
// numbers with d places and Value is the number times 10^d (rounded), so 1.25 reads as 125.
// A field that loses the focus because it is disabled (a dialog standing still while it
// computes) keeps its text as typed and gets the focus back without selecting it, so typing
// goes on where it was.
#include <QLineEdit>

namespace kalvo {

class TpxNumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TpxNumericEdit(QWidget* parent = nullptr);

    int Value() const;
    void SetValue(int value);
    int MinValue() const { return FMinValue; }
    int MaxValue() const { return FMaxValue; }
    void SetMinValue(int value) { FMinValue = value; }
    void SetMaxValue(int value) { FMaxValue = value; }
    void SetRange(int minValue, int maxValue);
    int Decimals() const { return FDecimals; }
    void SetDecimals(int decimals);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool on) { FAutoSelect = on; }

signals:
    // Raised whenever the text changes, typed or written.
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int limit(long long value) const;
    // The text's value in units of 10^-Decimals; false when it is no number.
    bool parse(long long& value) const;

    int FMinValue = 0;
    int FMaxValue = 100;
    bool FAutoSelect = true;
    int FDecimals = 0;
    // The focus went while the field was being disabled.
    bool FFocusLostToDisable = false;
};

} // namespace kalvo
