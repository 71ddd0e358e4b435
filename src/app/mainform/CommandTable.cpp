// The main window's commands, menus and tool bars: one entry per command (see Command.h). A new
// command is an entry here and its handler; its menu item, tool button, icon, shortcut, enabling
// and panel follow from the entry.
#include "app/commands/Command.h"
#include "app/commands/Enabling.h"
#include "app/mainform/AdjustCommands.h"
#include "app/mainform/GeometryCommands.h"
#include "app/mainform/MainForm.h"
#include "app/property/FrameBrush.h"
#include "app/property/FrameMagicWand.h"
#include "app/property/FrameMerge.h"
#include "app/property/FramePaint.h"
#include "app/property/FramePen.h"
#include "app/property/FrameShape.h"
#include "app/property/FrameText.h"

#include <cstring>

namespace kalvo {

namespace {

using F = TKalvoMainForm;
using enum TEnableOn;
using enum TCommandKind;

template <void (F::*Handler)()>
void run(F& form)
{
    (form.*Handler)();
}

} // namespace

std::span<const TCommand> Commands()
{
    using namespace enabling;
    // One entry per command, kept a few lines each for reading down the table.
    // clang-format off
    static const TCommand table[] = {
        // File menu; the basic tool bar.
        {.name = "acNewImage", .caption = "新規作成(&N)...", .hint = "新規作成", .shortcut = Qt::CTRL | Qt::Key_N,
         .icon = "document-new", .handler = run<&F::acNewImageExecute>, .menu = {"FileMenu", 1, 1},
         .toolBar = {"TBToolbar4", 2, 1}},
        {.name = "acOpen", .caption = "開く(&O)...", .hint = "ファイルを開く", .shortcut = Qt::CTRL | Qt::Key_O,
         .icon = "document-open", .handler = run<&F::acOpenExecute>, .menu = {"FileMenu", 1, 2},
         .toolBar = {"TBToolbar4", 2, 2}},
        {.name = "acSaveOption", .caption = "保存オプション(&V)...", .handler = run<&F::acSaveOptionExecute>,
         .menu = {"FileMenu", 2, 1}},
        {.name = "acSaveAs", .caption = "名前を付けて保存(&A)...", .hint = "名前を付けて保存",
         .shortcut = Qt::SHIFT | Qt::CTRL | Qt::Key_A, .icon = "document-save-as", .handler = run<&F::acSaveAsExecute>,
         .enableOn = Image, .enabled = HasImage, .menu = {"FileMenu", 2, 2}},
        {.name = "acSave", .caption = "上書き保存(&S)", .hint = "上書き保存", .shortcut = Qt::CTRL | Qt::Key_S,
         .icon = "document-save", .handler = run<&F::acSaveExecute>, .enableOn = Image, .enabled = HasImage,
         .menu = {"FileMenu", 2, 3}, .toolBar = {"TBToolbar4", 2, 3}},
        {.name = "acClose", .caption = "プログラムの終了(&X)", .hint = "プログラムの終了", .shortcut = Qt::ALT | Qt::Key_F4,
         .icon = "application-exit", .handler = run<&F::acCloseExecute>, .menu = {"FileMenu", 4, 1},
         .toolBar = {"TBToolbar4", 1, 1}},

        // Edit menu.
        {.name = "acUndo", .caption = "アンドゥ(&U)", .hint = "アンドゥ", .shortcut = Qt::CTRL | Qt::Key_Z,
         .icon = "edit-undo", .handler = run<&F::acUndoExecute>, .enableOn = Undo, .enabled = CanUndo,
         .menu = {"EditMenu", 1, 1}, .toolBar = {"TBToolbar4", 4, 1}},
        {.name = "acRedo", .caption = "リドゥ(&R)", .hint = "リドゥ", .shortcut = Qt::CTRL | Qt::Key_Y,
         .icon = "edit-redo", .handler = run<&F::acRedoExecute>, .enableOn = Undo, .enabled = CanRedo,
         .menu = {"EditMenu", 1, 2}, .toolBar = {"TBToolbar4", 4, 2}},
        {.name = "acCopy", .caption = "コピー(&C)", .hint = "コピー", .shortcut = Qt::CTRL | Qt::Key_C,
         .icon = "edit-copy", .handler = run<&F::acCopyExecute>, .enableOn = Image, .enabled = HasImage,
         .menu = {"EditMenu", 2, 1}, .toolBar = {"TBToolbar4", 3, 1}},
        {.name = "acCut", .caption = "切り取り(&X)", .hint = "切り取り", .shortcut = Qt::CTRL | Qt::Key_X,
         .icon = "edit-cut", .handler = run<&F::acCutExecute>, .enableOn = Region, .enabled = HasSelection,
         .menu = {"EditMenu", 2, 2}, .toolBar = {"TBToolbar4", 3, 2}},
        {.name = "acPaste", .caption = "貼り付け(&P)", .hint = "貼り付け", .shortcut = Qt::CTRL | Qt::Key_V,
         .icon = "edit-paste", .handler = run<&F::acPasteExecute>, .enableOn = Clipboard, .enabled = Pasteable,
         .menu = {"EditMenu", 2, 3}, .toolBar = {"TBToolbar4", 3, 3}},
        {.name = "acMergePaste", .caption = "合成貼り付け(&M)", .hint = "合成貼り付け", .shortcut = Qt::CTRL | Qt::Key_M,
         .handler = run<&F::acMergePasteExecute>, .enableOn = Clipboard, .enabled = MergePasteable,
         .menu = {"EditMenu", 2, 4}, .mode = mmMerge,
         .panel = [](F& f) -> TKVFrameBase* { return new TKVFrameMerge(*f.Canvas()); }},
        {.name = "acClear", .caption = "クリア(&L)", .hint = "クリア|選択範囲の中を背景色でクリアします",
         .shortcut = Qt::CTRL | Qt::Key_Delete, .icon = "edit-clear",
         .handler = run<&F::acClearExecute>, .enableOn = Region, .enabled = HasSelection, .menu = {"EditMenu", 3, 1}},

        // The tools: the Edit menu's mouse-mode submenu and the mouse-mode tool bar.
        {.name = "acHandScroll", .caption = "手のひらスクロール(&H)", .hint = "手のひらスクロール", .icon = ":hand-scroll",
         .menu = {"MouseModeMenu", 1, 1}, .toolBar = {"TBToolbar2", 1, 1}, .kind = Tool, .mode = mmNeko},
        {.name = "acZoom", .caption = "ズーム(&Z)", .hint = "ズーム", .icon = "zoom-select",
         .menu = {"MouseModeMenu", 1, 2}, .toolBar = {"TBToolbar2", 1, 2}, .kind = Tool, .mode = mmZoom},
        {.name = "acSpoit", .caption = "色抽出(&P)", .hint = "色抽出", .icon = "color-picker", .enableOn = Image,
         .enabled = HasImage, .toolBar = {"TBToolbar2", 1, 3}, .kind = Tool, .mode = mmSpoit,
         .buttonCaption = "スポイト"},
        {.name = "acSelectRect", .caption = "四角形選択(&R)", .hint = "四角形選択", .icon = "select-rectangular",
         .menu = {"MouseModeMenu", 2, 1}, .toolBar = {"TBToolbar2", 2, 1}, .kind = Tool, .mode = mmSelectRect},
        {.name = "acSelectEllipse", .caption = "円形選択(&E)", .hint = "円形選択", .icon = ":select-ellipse-centre",
         .menu = {"MouseModeMenu", 2, 2}, .toolBar = {"TBToolbar2", 2, 2}, .kind = Tool, .mode = mmSelectEllipse},
        {.name = "acSelectRegion", .caption = "自由選択(&F)", .hint = "自由選択", .icon = ":select-freehand",
         .menu = {"MouseModeMenu", 2, 3}, .toolBar = {"TBToolbar2", 2, 3}, .kind = Tool, .mode = mmSelectRegion},
        {.name = "acSelectMagicWand", .caption = "色域選択(&C)", .hint = "色域選択", .icon = ":select-magic-wand",
         .menu = {"MouseModeMenu", 2, 4}, .toolBar = {"TBToolbar2", 2, 4}, .kind = Tool, .mode = mmSelectMagicWand,
         .panel = [](F& f) -> TKVFrameBase* { return new TKVFrameMagicWand(*f.Canvas()); }},
        {.name = "acMoveRegion", .caption = "選択枠の移動(&M)", .hint = "選択枠の移動", .icon = ":move-outline",
         .enableOn = Region, .enabled = HasSelection, .menu = {"MouseModeMenu", 3, 1}, .toolBar = {"TBToolbar2", 3, 1},
         .kind = Tool, .mode = mmMoveRegion},
        {.name = "acMoveSelectArea", .caption = "選択領域の移動(&A)", .hint = "選択領域の移動", .icon = ":move-pixels",
         .enableOn = Region, .enabled = HasSelection, .menu = {"MouseModeMenu", 3, 2},
         .toolBar = {"TBToolbar2", 3, 2}, .kind = Tool, .mode = mmMoveSelectArea,
         .buttonCaption = "選択領域の移動/コピー"},
        {.name = "acPen", .caption = "ペン", .icon = "draw-freehand", .enableOn = Image, .enabled = HasImage,
         .menu = {"MouseModeMenu", 4, 1}, .toolBar = {"TBToolbar2", 4, 1}, .kind = Tool, .mode = mmPenFreehand,
         .panel = [](F& f) -> TKVFrameBase* {
             return new TKVFramePen(
                 *f.Canvas(), [&f] { return TMouseMode(f.FPenMode); }, [&f](TMouseMode m) { f.FPenMode = m; });
         }},
        {.name = "acBrush", .caption = "ブラシ", .icon = "draw-brush", .enableOn = Image, .enabled = HasImage,
         .menu = {"MouseModeMenu", 4, 2}, .toolBar = {"TBToolbar2", 4, 2}, .kind = Tool, .mode = mmBrush,
         .panel = [](F& f) -> TKVFrameBase* { return new TKVFrameBrush(*f.Canvas()); }},
        {.name = "acPaint", .caption = "ペイント(&P)", .hint = "ペイント", .icon = "fill-color", .enableOn = Image,
         .enabled = HasImage, .menu = {"MouseModeMenu", 4, 3}, .toolBar = {"TBToolbar2", 4, 3}, .kind = Tool,
         .mode = mmPaint, .panel = [](F& f) -> TKVFrameBase* { return new TKVFramePaint(*f.Canvas()); }},
        // The annotation modes, after the specified ones.
        {.name = "acShape", .caption = "図形(&S)", .hint = "図形|直線・矢印・四角形・楕円を描く", .icon = ":draw-shapes",
         .enableOn = Image, .enabled = HasImage, .menu = {"MouseModeMenu", 5, 1}, .toolBar = {"TBToolbar2", 5, 1},
         .kind = Tool, .mode = mmShape,
         .panel = [](F& f) -> TKVFrameBase* { return new TKVFrameShape(*f.Canvas()); }},
        {.name = "acText", .caption = "テキスト(&T)", .hint = "テキスト|クリックした位置に文字を書く", .icon = ":draw-text",
         .enableOn = Image, .enabled = HasImage, .menu = {"MouseModeMenu", 5, 2}, .toolBar = {"TBToolbar2", 5, 2},
         .kind = Tool, .mode = mmText,
         .panel = [](F& f) -> TKVFrameBase* { return new TKVFrameText(*f.Canvas()); }},

        // View menu: the tool-bar toggles, the property window, the status bar, full screen.
        {.name = "acViewTBToolbar4", .caption = "基本", .handler = [](F& f) { f.toggleBar("TBToolbar4", "acViewTBToolbar4"); },
         .menu = {"ToolBarMenu", 1, 1}, .kind = Checkable},
        {.name = "acViewTBToolbar3", .caption = "ズーム", .handler = [](F& f) { f.toggleBar("TBToolbar3", "acViewTBToolbar3"); },
         .menu = {"ToolBarMenu", 1, 2}, .kind = Checkable},
        {.name = "acViewTBToolbar2", .caption = "マウスモード",
         .handler = [](F& f) { f.toggleBar("TBToolbar2", "acViewTBToolbar2"); }, .menu = {"ToolBarMenu", 1, 3},
         .kind = Checkable},
        {.name = "acViewTBColorWindow", .caption = "前景色/背景色",
         .handler = [](F& f) { f.toggleBar("TBColorWindow", "acViewTBColorWindow"); }, .menu = {"ToolBarMenu", 1, 4},
         .kind = Checkable},
        {.name = "acViewTBToolbar5", .caption = "適用", .handler = [](F& f) { f.toggleBar("TBToolbar5", "acViewTBToolbar5"); },
         .menu = {"ToolBarMenu", 1, 5}, .kind = Checkable},
        // "前背景色" has two toggles, under both of its names.
        {.name = "acViewTBColorWindow2", .caption = "前背景色",
         .handler = [](F& f) { f.toggleBar("TBColorWindow", "acViewTBColorWindow2"); }, .menu = {"ToolBarMenu", 1, 6},
         .kind = Checkable},
        {.name = "acViewTBToolWindow1", .caption = "色",
         .handler = [](F& f) { f.toggleBar("TBToolWindow1", "acViewTBToolWindow1"); }, .menu = {"ToolBarMenu", 1, 7},
         .kind = Checkable},
        {.name = "acShowProperty", .caption = "プロパティウィンドウ（&P)", .icon = "document-properties",
         .handler = run<&F::acShowPropertyExecute>, .menu = {"ViewMenu", 1, 2}, .kind = Checkable},
        {.name = "acViewStatusBar", .caption = "ステータスバー", .handler = run<&F::acViewStatusBarExecute>,
         .menu = {"ViewMenu", 1, 3}, .kind = Checkable},
        {.name = "acViewMaximumSize", .caption = "全画面表示(&A)", .hint = "全画面表示", .shortcut = Qt::Key_F11,
         .icon = "view-fullscreen", .handler = run<&F::acViewMaximumSizeExecute>, .menu = {"ViewMenu", 2, 1},
         .kind = Checkable},

        // The zoom tool bar (with the zoom edit, see ToolBarWidgets) and the apply tool bar.
        {.name = "acZoomIn", .caption = "ズームイン(&I)", .hint = "ズームイン",
         .shortcut = Qt::KeypadModifier | Qt::Key_Plus, .icon = "zoom-in", .handler = run<&F::acZoomInExecute>,
         .toolBar = {"TBToolbar3", 1, 1}},
        {.name = "acZoomMenu", .caption = "ズーム(&Z)", .hint = "ズーム", .icon = "zoom",
         .handler = run<&F::acZoomMenuExecute>, .toolBar = {"TBToolbar3", 1, 3}},
        {.name = "acZoom100", .caption = "等倍", .hint = "等倍表示", .shortcut = Qt::Key_F10, .icon = "zoom-original",
         .handler = run<&F::acZoom100Execute>, .toolBar = {"TBToolbar3", 1, 4}},
        {.name = "acZoomAuto", .caption = "自動", .hint = "ウィンドウの大きさに合わせる", .icon = "zoom-fit-best",
         .handler = run<&F::acZoomAutoExecute>, .toolBar = {"TBToolbar3", 1, 5}, .kind = Checkable},
        {.name = "acZoomOut", .caption = "ズームアウト(&O)", .hint = "ズームアウト",
         .shortcut = Qt::KeypadModifier | Qt::Key_Minus, .icon = "zoom-out", .handler = run<&F::acZoomOutExecute>,
         .toolBar = {"TBToolbar3", 1, 6}},
        {.name = "acApply", .caption = "適用", .hint = "適用", .icon = "dialog-ok-apply", .handler = run<&F::acApplyExecute>,
         .toolBar = {"TBToolbar5", 1, 1}},
        {.name = "acCancel", .caption = "キャンセル", .hint = "キャンセル", .icon = "dialog-cancel",
         .handler = run<&F::acCancelExecute>, .toolBar = {"TBToolbar5", 1, 2}},

        // Image menu.
        {.name = "acResize", .caption = "リサイズ(&S)...", .shortcut = Qt::CTRL | Qt::Key_R, .icon = "transform-scale",
         .handler = run<&F::acResizeExecute>, .enableOn = Image, .enabled = HasImage, .menu = {"ImageMenu", 1, 1}},
        {.name = "acNegativeImage", .caption = "反転(&N)", .handler = run<&F::acNegativeImageExecute>,
         .enableOn = Image, .enabled = TrueColor, .menu = {"ImageMenu", 2, 1}},
        {.name = "acLoassLessJpeg", .caption = "JPEG ロスレス回転(&J)...",
         .hint = "JPEG ロスレス回転|画質を劣化させないでJPEG画像を回転させます", .icon = "object-rotate-right",
         .handler = run<&F::acLoassLessJpegExecute>, .enableOn = Image, .enabled = JpegFile,
         .menu = {"ImageMenu", 2, 2}},
        // The picture's geometry, behind the specified items; the turns in their submenu.
        {.name = "acCrop", .caption = "切り抜き(&C)", .hint = "切り抜き|選択範囲を囲む四角形でイメージを切り抜きます",
         .shortcut = Qt::SHIFT | Qt::CTRL | Qt::Key_X, .handler = RunCrop, .enableOn = Region,
         .enabled = HasSelection, .menu = {"ImageMenu", 3, 1}},
        {.name = "acRotateRight", .caption = "右へ90度回転(&R)", .hint = "右へ90度回転|イメージを時計回りに90度回転します",
         .handler = RunRotateRight, .enableOn = Image, .enabled = HasImage, .menu = {"RotateFlipMenu", 1, 1}},
        {.name = "acRotateLeft", .caption = "左へ90度回転(&L)", .hint = "左へ90度回転|イメージを反時計回りに90度回転します",
         .handler = RunRotateLeft, .enableOn = Image, .enabled = HasImage, .menu = {"RotateFlipMenu", 1, 2}},
        {.name = "acRotate180", .caption = "180度回転(&1)", .hint = "180度回転|イメージを180度回転します",
         .handler = RunRotate180, .enableOn = Image, .enabled = HasImage, .menu = {"RotateFlipMenu", 1, 3}},
        {.name = "acRotateAngle", .caption = "角度を指定して回転(&A)...",
         .hint = "角度を指定して回転|イメージを指定した角度だけ回転します", .handler = RunRotateByAngle,
         .enableOn = Image, .enabled = HasImage, .menu = {"RotateFlipMenu", 1, 4}},
        {.name = "acFlipHorizontal", .caption = "左右反転(&H)", .hint = "左右反転|イメージの左右を入れ替えます",
         .handler = RunFlipHorizontal, .enableOn = Image, .enabled = HasImage, .menu = {"RotateFlipMenu", 2, 1}},
        {.name = "acFlipVertical", .caption = "上下反転(&V)", .hint = "上下反転|イメージの上下を入れ替えます",
         .handler = RunFlipVertical, .enableOn = Image, .enabled = HasImage, .menu = {"RotateFlipMenu", 2, 2}},
        {.name = "acCanvasSize", .caption = "キャンバスサイズ(&V)...",
         .hint = "キャンバスサイズ|イメージの周りを切り取ったり広げたりします", .handler = RunCanvasSize,
         .enableOn = Image, .enabled = HasImage, .menu = {"ImageMenu", 3, 3}},

        // Effects menu.
        {.name = "acDropShadow", .caption = "影をつける(&S)...", .handler = run<&F::acDropShadowExecute>,
         .enableOn = Region, .enabled = TrueColorSelection, .menu = {"EffectsMenu", 1, 1}},
        {.name = "acBrightnessContrast", .caption = "明るさ・コントラスト(&B)...", .handler = RunBrightnessContrast,
         .enableOn = Image, .enabled = TrueColor, .menu = {"EffectsMenu", 2, 1}},
        {.name = "acHueSaturation", .caption = "色相・彩度(&H)...", .handler = RunHueSaturation, .enableOn = Image,
         .enabled = TrueColor, .menu = {"EffectsMenu", 2, 2}},
        {.name = "acLevels", .caption = "レベル補正(&L)...", .handler = RunLevels, .enableOn = Image,
         .enabled = TrueColor, .menu = {"EffectsMenu", 2, 3}},
        {.name = "acGaussianBlur", .caption = "ぼかし(&G)...", .handler = RunGaussianBlur, .enableOn = Image,
         .enabled = TrueColor, .menu = {"EffectsMenu", 2, 4}},
        {.name = "acSharpen", .caption = "シャープ(&U)...", .handler = RunSharpen, .enableOn = Image,
         .enabled = TrueColor, .menu = {"EffectsMenu", 2, 5}},
        {.name = "acGrayscale", .caption = "グレースケール(&R)", .handler = RunGrayscale, .enableOn = Image,
         .enabled = TrueColor, .menu = {"EffectsMenu", 2, 6}},

        // Colour menu.
        {.name = "acSelectForegroundColor", .caption = "前景色の選択(&F)...",
         .handler = run<&F::acSelectForegroundColorExecute>, .menu = {"ColorMenu", 1, 1}},
        {.name = "acSelectBackgroundColor", .caption = "背景色の選択(&B)...",
         .handler = run<&F::acSelectBackgroundColorExecute>, .menu = {"ColorMenu", 1, 2}},
        {.name = "acSwapFBColors", .caption = "前景色と背景色を交換(&S)", .hint = "前景色と背景色を交換",
         .shortcut = Qt::Key_F4, .icon = ":swap-colors", .handler = run<&F::acSwapFBColorsExecute>,
         .menu = {"ColorMenu", 1, 3}},
        {.name = "acPaletteEdit", .caption = "パレットの編集(&C)...", .handler = run<&F::acPaletteEditExecute>,
         .enableOn = Image, .enabled = PaletteImage, .menu = {"ColorMenu", 2, 1}},
        {.name = "acPaletteExport", .caption = "パレットのエクスポート(&E)...", .hint = "パレットのエクスポート",
         .handler = run<&F::acPaletteExportExecute>, .enableOn = Image, .enabled = PaletteImage,
         .menu = {"ColorMenu", 2, 2}},
        {.name = "acPaletteImport", .caption = "パレットのインポート(&I)...", .hint = "パレットのインポート",
         .handler = run<&F::acPaletteImportExecute>, .enableOn = Image, .enabled = HasImage,
         .menu = {"ColorMenu", 2, 3}},
        {.name = "acReduce8bitColor", .caption = "256色(&8)...", .handler = run<&F::acReduce8bitColorExecute>,
         .enableOn = Image, .enabled = TrueColor, .menu = {"ReduceColorMenu", 1, 1}},
        {.name = "acReduce4bitColor", .caption = "16色(&4)...", .handler = run<&F::acReduce4bitColorExecute>,
         .enableOn = Image, .enabled = AtLeast8Bits, .menu = {"ReduceColorMenu", 1, 2}},
        {.name = "acReduce1bitColor", .caption = "2色(&1)...", .handler = run<&F::acReduce1bitColorExecute>,
         .enableOn = Image, .enabled = AtLeast4Bits, .menu = {"ReduceColorMenu", 1, 3}},
        {.name = "acEnlarge4bitColors", .caption = "16色(&4)", .handler = [](F& f) { f.acEnlargeColorsExecute(4); },
         .enableOn = Image, .enabled = Below4Bits, .menu = {"EnlargeColorMenu", 1, 1}, .tag = 4},
        {.name = "acEnlarge8bitColors", .caption = "256色(&8)", .handler = [](F& f) { f.acEnlargeColorsExecute(8); },
         .enableOn = Image, .enabled = Below8Bits, .menu = {"EnlargeColorMenu", 1, 2}, .tag = 8},
        {.name = "acEnlarge24bitColors", .caption = "1677万色(&F)",
         .handler = [](F& f) { f.acEnlargeColorsExecute(24); }, .enableOn = Image, .enabled = Below24Bits,
         .menu = {"EnlargeColorMenu", 1, 3}, .tag = 24},
        {.name = "acColorCount", .caption = "使用色数計算(&U)...", .handler = run<&F::acColorCountExecute>,
         .enableOn = Image, .enabled = HasImage, .menu = {"ColorMenu", 4, 1}},

        // Selection menu.
        {.name = "acSelectAll", .caption = "すべて選択(&A)", .hint = "すべて選択", .shortcut = Qt::CTRL | Qt::Key_A,
         .icon = "edit-select-all", .handler = run<&F::acSelectAllExecute>, .enableOn = Image, .enabled = HasImage,
         .menu = {"SelectionMenu", 1, 1}},
        {.name = "acInvertRegion", .caption = "選択範囲の反転(&R)", .hint = "選択範囲の反転",
         .shortcut = Qt::SHIFT | Qt::CTRL | Qt::Key_I, .icon = "edit-select-invert",
         .handler = run<&F::acInvertRegionExecute>, .enableOn = Region, .enabled = HasSelection,
         .menu = {"SelectionMenu", 1, 2}},
        {.name = "acDeleteRegion", .caption = "選択範囲の消去(&E)", .hint = "選択範囲の消去",
         .shortcut = Qt::CTRL | Qt::Key_D, .icon = "edit-select-none", .handler = run<&F::acDeleteRegionExecute>,
         .enableOn = Region, .enabled = HasSelection, .menu = {"SelectionMenu", 1, 3}},
        {.name = "acObscureRegion", .caption = "境界をぼかす(&F)...", .handler = run<&F::acObscureRegionExecute>,
         .enableOn = Region, .enabled = TrueColorSelection, .menu = {"SelectionMenu", 2, 1}},
        {.name = "acDrawRegion", .caption = "選択範囲を描画(&D)", .handler = run<&F::acDrawRegionExecute>,
         .enableOn = Region, .enabled = HasSelection, .menu = {"SelectionMenu", 2, 2}},
        {.name = "acCopyRegion", .caption = "選択範囲のコピー(&C)", .hint = "選択範囲のコピー",
         .shortcut = Qt::SHIFT | Qt::CTRL | Qt::Key_C, .handler = run<&F::acCopyRegionExecute>, .enableOn = Region,
         .enabled = HasSelection, .menu = {"SelectionMenu", 3, 1}},
        {.name = "acPasteRegion", .caption = "選択範囲の貼り付け(&P)", .hint = "選択範囲の貼り付け",
         .shortcut = Qt::SHIFT | Qt::CTRL | Qt::Key_V, .handler = run<&F::acPasteRegionExecute>,
         .enableOn = Clipboard, .enabled = RegionPasteable, .menu = {"SelectionMenu", 3, 2}},
        {.name = "acHideRegion", .caption = "選択枠を隠す(&H)", .hint = "選択枠を隠す",
         .shortcut = Qt::SHIFT | Qt::CTRL | Qt::Key_M, .handler = run<&F::acHideRegionExecute>, .enableOn = Image,
         .enabled = HasImage, .menu = {"SelectionMenu", 4, 1}, .kind = Checkable},
    };
    // clang-format on
    return table;
}

std::span<const TMenuDef> MenuDefs()
{
    static constexpr TMenuDef menus[] = {
        {"FileMenu", "ファイル(&F)", {"MenuBar", 1, 1}},
        {"EditMenu", "編集(&E)", {"MenuBar", 1, 2}},
        {"ViewMenu", "表示(&V)", {"MenuBar", 1, 3}},
        {"ImageMenu", "イメージ(&I)", {"MenuBar", 1, 4}},
        {"EffectsMenu", "効果(&T)", {"MenuBar", 1, 5}},
        {"ColorMenu", "カラー(&C)", {"MenuBar", 1, 6}},
        {"SelectionMenu", "選択範囲(&R)", {"MenuBar", 1, 7}},
        // The recent files fill their submenu themselves.
        {"RecentMenu", "最近使ったファイル(&M)", {"FileMenu", 3, 1}},
        {"MouseModeMenu", "マウスモード(&M)", {"EditMenu", 4, 1}},
        {"ToolBarMenu", "ツールバー(&T)", {"ViewMenu", 1, 1}},
        {"ReduceColorMenu", "減色(&R)", {"ColorMenu", 3, 1}},
        {"EnlargeColorMenu", "増色(&L)", {"ColorMenu", 3, 2}},
        {"RotateFlipMenu", "回転・反転(&O)", {"ImageMenu", 3, 2}},
    };
    return menus;
}

std::span<const TToolBarDef> ToolBarDefs()
{
    static constexpr TToolBarDef bars[] = {
        {"TBToolbar4", "基本", Qt::TopToolBarArea},
        {"TBToolbar3", "ズーム", Qt::TopToolBarArea},
        {"TBToolbar5", "適用", Qt::TopToolBarArea},
        {"TBToolbar2", "マウスモード", Qt::LeftToolBarArea},
    };
    return bars;
}

std::span<const TWidgetPlace> ToolBarWidgets()
{
    static constexpr TWidgetPlace widgets[] = {
        {"edtZoom", {"TBToolbar3", 1, 2}},
    };
    return widgets;
}

const TCommand* FindCommand(const char* name)
{
    for (const TCommand& c : Commands())
        if (std::strcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}

const TCommand* PanelCommand(TMouseMode mode)
{
    if (mode == mmPenLine)
        mode = mmPenFreehand;
    for (const TCommand& c : Commands())
        if (c.panel && c.mode == mode)
            return &c;
    return nullptr;
}

} // namespace kalvo
