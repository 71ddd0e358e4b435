// The colour menu of the main window: reduction and enlargement of the colours, the colour
// count and the palette commands.
#include "app/ImageCommand.h"
#include "app/MainForm.h"
#include "app/MessageService.h"
#include "canvas/PxImage.h"
#include "imaging/colour/CountColors.h"
#include "imaging/colour/EnlargeColors.h"

#include <QAction>

namespace kalvo {

void TKalvoMainForm::createColorActions()
{
    const struct {
        QAction*& action;
        const char* name;
        const char* caption;
        int bits;
    } enlarge[] = {
        {acEnlarge4bitColors, "acEnlarge4bitColors", "16色(&4)", 4},
        {acEnlarge8bitColors, "acEnlarge8bitColors", "256色(&8)", 8},
        {acEnlarge24bitColors, "acEnlarge24bitColors", "1677万色(&F)", 24},
    };
    for (const auto& e : enlarge) {
        e.action = new QAction(QString::fromUtf8(e.caption), this);
        e.action->setObjectName(QString::fromLatin1(e.name));
        e.action->setData(e.bits);
        const int bits = e.bits;
        connect(e.action, &QAction::triggered, this, [this, bits] { RunCommand([this, bits] { acEnlargeColorsExecute(bits); }); });
    }
    acColorCount = makeAction(QStringLiteral("使用色数計算(&U)..."), QString(), QKeySequence(),
                              &TKalvoMainForm::acColorCountExecute);
    acColorCount->setObjectName(QStringLiteral("acColorCount"));
}

void TKalvoMainForm::acEnlargeColorsExecute(int bits)
{
    TUpdateLockGuard lock(*pxImage1);
    RunImageCommand(*this, QStringLiteral("増色"), 0, [bits](TImageCommandInput& in) { return EnlargeColors(in.Image, bits); });
}

void TKalvoMainForm::acColorCountExecute()
{
    if (!pxImage1->HasImage())
        return;
    int count = -1;
    {
        TUpdateLockGuard lock(*pxImage1);
        TBusyScope busy(*this);
        count = CountColors(pxImage1->Bitmap());
    }
    if (count < 0)
        ShowMessageBox(QStringLiteral("処理に失敗しました．"), MB_ICONERROR);
    else
        ShowMessageBox(QStringLiteral("このイメージは %1 色使用されています．").arg(count), MB_ICONINFORMATION);
}

} // namespace kalvo
