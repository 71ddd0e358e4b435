#pragma once
// The text (mmText): a click places a text cursor; typed text (keys, the input method, Ctrl+V)
// shows live at that place, Enter starts a new line, Backspace, Delete and the arrow keys edit,
// and a drag on the text moves it. Ctrl+Enter, the panel's 適用 or a click outside draws it into
// the image (one undo step); Escape or キャンセル abandons it.
#include "canvas/tools/CanvasTool.h"

#include <QImage>

namespace kalvo {

class TTextTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;
    void Leave() override;
    void Press(const TToolMouse& mouse) override;
    void Move(const TToolMouse& mouse) override;
    void Release(const TToolMouse& mouse) override;
    bool KeyDown(const TToolKey& key) override;
    void Cancel() override;
    bool TakesTyping() const override { return FEditing; }
    void InputMethod(const QString& commit, const QString& preedit) override;
    QRect InputCaretArea() const override;
    void EndEdit(bool commit) override;
    std::optional<QCursor> Cursor() const override;
    void PaintOverlay(QPainter& painter) override;

    bool Editing() const { return FEditing; }
    const QString& Text() const { return FText; }
    QPoint Position() const { return FPos; }

private:
    // The text with the input method's composition at the caret.
    QString ShownText() const;
    QRect ClientBox() const;
    void Insert(const QString& text);
    void Changed(const QRect& before);
    void MoveCaretLine(int delta);
    void Commit();
    void Abandon();

    bool FEditing = false;
    bool FMoving = false;
    QPoint FPos;
    QPoint FGrab;
    QString FText;
    QString FPreedit;
    int FCaret = 0;
    // The preview picture (the text's coverage in the colour) and what it was made from.
    QImage FPreview;
    QPoint FPreviewOrigin;
    QString FPreviewKey;
};

} // namespace kalvo
