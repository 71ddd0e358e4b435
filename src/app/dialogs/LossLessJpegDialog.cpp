#include "app/dialogs/LossLessJpegDialog.h"

#include "app/dialogs/MessageService.h"
#include "app/settings/IniFile.h"
#include "app/settings/ProgramDirectory.h"
#include "codecs/jpegtran/LosslessReplace.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("LosslessTransform");

// Runs the busy hooks around a scope, on every path.
class TBusyScope {
public:
    TBusyScope(const std::function<void()>& begin, const std::function<void()>& end) : end_(end)
    {
        if (begin)
            begin();
    }
    ~TBusyScope()
    {
        if (end_)
            end_();
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    const std::function<void()>& end_;
};

} // namespace

QString LosslessSettingsFileName()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("kalvo");
    return ProgramDirectory() + name + QStringLiteral(".ini");
}

TKVfrmLosslessJpeg::TKVfrmLosslessJpeg(QWidget* parent, const QString& iniFileName)
    : QDialog(parent), FIniFileName(iniFileName.isEmpty() ? LosslessSettingsFileName() : iniFileName)
{
    setWindowTitle(QStringLiteral("ロスレス回転"));
    RadioGroup1 = new QGroupBox(QStringLiteral("種類"), this);
    RadioButtons = new QButtonGroup(this);
    auto* items = new QVBoxLayout(RadioGroup1);
    const QString captions[] = {QStringLiteral("&1. 時計回りに  90°回転"), QStringLiteral("&2. 時計回りに 180°回転"),
                                QStringLiteral("&3. 時計回りに 270°回転"), QStringLiteral("&4. 上下反転"),
                                QStringLiteral("&5. 左右反転")};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QRadioButton(captions[i], RadioGroup1);
        RadioButtons->addButton(button, i);
        items->addWidget(button);
    }
    CheckBox1 = new QCheckBox(QStringLiteral("オリジナルの更新日時を維持する(&T)"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setBackgroundRole(QPalette::Button);
    Memo1->setPlainText(QStringLiteral("ロスレス回転はディスク上に保存されているオリジナルの画像ファ\n"
                                       "イルを直接更新します。重要なデータは事前のバックアップをお勧\n"
                                       "めします。また、Kalvo上で今まで行った加工はすべてキャンセル\n"
                                       "されるので注意してください。"));
    // Four unwrapped lines, all visible.
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics = Memo1->fontMetrics();
    int textWidth = 0;
    for (const QString& line : Memo1->toPlainText().split(QLatin1Char('\n')))
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int margins = 2 * (Memo1->frameWidth() + int(Memo1->document()->documentMargin())) + 4;
    Memo1->setFixedSize(textWidth + margins, metrics.lineSpacing() * 4 + margins);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button3 = new QPushButton(QStringLiteral("ヘルプ"), this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TKVfrmLosslessJpeg::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, [] {
        ShowMessageBox(QStringLiteral("JPEG ファイルを再圧縮せずに回転・反転します。"
                                      "ファイルはディスク上で置き換えられ、開き直されます。"),
                       MB_OK);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(CheckBox1);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);

    const TIniFile ini(FIniFileName);
    SetItemIndex(ini.ReadInteger(kSection, QStringLiteral("Transform"), 0));
    CheckBox1->setChecked(ini.ReadBool(kSection, QStringLiteral("KeepOriginalTimestamp"), true));
    setFixedSize(sizeHint());
}

int TKVfrmLosslessJpeg::ItemIndex() const
{
    return RadioButtons->checkedId();
}

void TKVfrmLosslessJpeg::SetItemIndex(int index)
{
    if (QAbstractButton* button = RadioButtons->button(index)) {
        button->setChecked(true);
        return;
    }
    // No item: uncheck all, which an exclusive group does not allow directly.
    RadioButtons->setExclusive(false);
    for (QAbstractButton* button : RadioButtons->buttons())
        button->setChecked(false);
    RadioButtons->setExclusive(true);
}

void TKVfrmLosslessJpeg::writeSettings()
{
    TIniFile ini(FIniFileName);
    ini.WriteInteger(kSection, QStringLiteral("Transform"), ItemIndex());
    ini.WriteBool(kSection, QStringLiteral("KeepOriginalTimestamp"), CheckBox1->isChecked());
}

int TKVfrmLosslessJpeg::transform()
{
    const QString source = SourceFileName;
    if (source.isEmpty() || !QFileInfo::exists(source))
        return kResultAbort;
    const int code = LosslessCodeForDialogItem(ItemIndex());
    if (code < 0)
        return kResultAbort;
    try {
        // The file is replaced only by a complete new file; on failure it stays as it was.
        ReplaceJpegLossless(source.toStdString(), code, CheckBox1->isChecked());
    } catch (const std::exception&) {
        return kResultAbort;
    }
    return kResultOk;
}

void TKVfrmLosslessJpeg::Button1Click()
{
    int result = kResultAbort;
    {
        TBusyScope busy(BeginBusy, EndBusy);
        writeSettings();
        result = transform();
    }
    done(result);
}

} // namespace kalvo
