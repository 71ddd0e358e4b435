// Qt's own texts in the Japanese interface: the standard buttons of messages and the colour and
// file dialogs come from Qt's Japanese translation.
#include "ModalAnswer.h"
#include "app/dialogs/MessageService.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

using namespace kalvo;
using namespace kalvo::test;

TEST(QtTexts, MessageButtonsAndStandardDialogsAreJapanese)
{
    QStringList buttons;
    AnswerModal<QMessageBox>([&](QMessageBox* box) {
        for (const QAbstractButton* b : box->buttons())
            buttons << b->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(ShowMessageBox(QStringLiteral("保存しますか？"), MB_YESNOCANCEL_EXCLAMATION), IDCANCEL);
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"いいえ(&N)", "はい(&Y)", "キャンセル"}));

    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("色を選択"));
    QStringList colourTexts;
    for (const QLabel* l : colours.findChildren<QLabel*>())
        colourTexts << l->text();
    EXPECT_TRUE(colourTexts.contains(QStringLiteral("基本カラー(&B)"))) << colourTexts.join(' ').toStdString();

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QStringList fileTexts;
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        if (const auto* l = files.findChild<QLabel*>(QLatin1String(name)))
            fileTexts << l->text();
    EXPECT_EQ(fileTexts, QStringList({"アドレス:", "ファイル名(&N):", "ファイルの種類:"}));
}
