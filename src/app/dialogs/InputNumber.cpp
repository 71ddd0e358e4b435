#include "app/dialogs/InputNumber.h"

#include "app/controls/NumericEdit.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace kalvo {

namespace {

// a * b / c with rounding, as the dialog units are computed.
int mulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * b / c));
}

} // namespace

QSize AverageCharSize(const QFontMetrics& metrics)
{
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QSize(metrics.horizontalAdvance(letters) / 52, metrics.height());
}

bool InputNumber(const QString& caption, const QString& prompt, int& value, int maximum, int minimum)
{
    QDialog form;
    form.setWindowTitle(caption);
    const QSize unit = AverageCharSize(QFontMetrics(form.font()));
    const int cw = unit.width();
    const int ch = unit.height();
    form.setFixedSize(mulDiv(180, cw, 4), mulDiv(63, ch, 8));

    auto* label = new QLabel(prompt, &form);
    label->adjustSize();
    label->move(mulDiv(8, cw, 4), mulDiv(8, ch, 8));

    auto* edit = new TpxNumericEdit(&form);
    edit->setGeometry(label->x(), mulDiv(19, ch, 8), mulDiv(164, cw, 4), edit->sizeHint().height());
    edit->setMaxLength(255);
    edit->SetRange(minimum, maximum);
    edit->SetValue(value);
    edit->selectAll();

    auto* ok = new QPushButton(QStringLiteral("OK"), &form);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &form);
    ok->setGeometry(mulDiv(38, cw, 4), mulDiv(41, ch, 8), mulDiv(50, cw, 4), mulDiv(14, ch, 8));
    cancel->setGeometry(mulDiv(92, cw, 4), mulDiv(41, ch, 8), mulDiv(50, cw, 4), mulDiv(14, ch, 8));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &form, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    edit->setFocus();

    if (form.exec() != QDialog::Accepted)
        return false;
    // OK by Enter does not leave the field: bring the typed value into range first.
    edit->SetValue(edit->Value());
    value = edit->Value();
    return true;
}

} // namespace kalvo
