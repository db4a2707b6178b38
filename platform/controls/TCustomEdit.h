// The edit control: text with a caret and a selection, edited by keyboard and mouse, with the
// clipboard. One line (TEdit), which scrolls sideways to keep the caret in view, or several
// (TMemo), which scroll up and down. Positions are byte offsets into the text (code page
// 1252); a memo's lines are separated by CR LF.
//
// Keys: arrows (Ctrl: by words), Home and End (Ctrl: the whole text), Shift with any of them
// extends the selection; Backspace and Delete; Ctrl+A selects everything, Ctrl+C, Ctrl+X and
// Ctrl+V copy, cut and paste (also Ctrl+Insert, Shift+Delete, Shift+Insert). Mouse: a click
// puts the caret, a drag selects, a double click selects a word, Shift+click extends.
#pragma once

#include <string>
#include <vector>

#include "controls/TCustomControl.h"

class TCustomEdit : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TCustomEdit(TComponent* owner);

    std::string Text() const { return GetText(); }
    // Sets the text and puts the caret at its end.
    void SetText(const std::string& text);

    int SelStart() const { return std::min(FAnchor, FCaret); }
    int SelLength() const { return std::abs(FCaret - FAnchor); }
    void SetSelStart(int v);
    void SetSelLength(int v);
    std::string SelText() const;
    // Replaces the selection with text, as typing it does.
    void SetSelText(const std::string& text);
    void SelectAll();
    // The caret's offset in the text.
    int CaretPos() const { return FCaret; }

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = std::max(0, v); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char v);

    // An edit box that is part of another control (a combo box's field) shows its caret and
    // selection while that control has the focus; the control hands it its keys.
    void SetFocusOwner(TWinControl* owner) { FFocusOwner = owner; }
    bool ShowsFocus() const;

    // The offset of the character boundary nearest a client point.
    int OffsetAt(TPoint client) const;

    TRect NonClientInsets() const override;
    void PaintNonClient(HDC dc) override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    friend class TComboBox;
    // A memo: Enter breaks the line, Up and Down move between lines.
    void SetMultiLine(bool v) { FMultiLine = v; }
    bool MultiLine() const { return FMultiLine; }
    virtual void Change();

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;

private:
    struct TLine {
        int Start;
        int Length;
    };
    std::vector<TLine> Lines() const;
    int LineOf(int offset) const;
    std::string Shown() const;  // the text as drawn: password characters for a password
    int LineHeight() const;
    int TextWidth(int line, int length) const;
    // Where a line's first character is drawn, after scrolling.
    TPoint LineOrigin(int line) const;
    void MoveCaret(int offset, bool extend);
    void ScrollToCaret();
    void Replace(int start, int length, const std::string& text);
    // The offsets one character before and after offset; a line break (CR LF) counts as one.
    int PreviousBoundary(int offset) const;
    int NextBoundary(int offset) const;
    int WordStart(int offset) const;
    int WordEnd(int offset) const;

    int FCaret = 0;
    int FAnchor = 0;
    int FScrollX = 0;    // pixels the text is scrolled left (one line)
    int FTopLine = 0;    // the first line shown (several lines)
    int FGoalX = -1;     // where Up and Down aim, in pixels
    int FMaxLength = 0;  // 0: no limit
    bool FReadOnly = false;
    bool FAutoSelect = true;
    bool FMultiLine = false;
    bool FSelecting = false;
    bool FChanging = false;
    char FPasswordChar = 0;
    TBorderStyle FBorderStyle = bsSingle;
    TWinControl* FFocusOwner = nullptr;
};

namespace EditProps {
TPropInfo AutoSelect();
TPropInfo BorderStyle();
TPropInfo MaxLength();
TPropInfo ReadOnly();
TPropInfo OnChange();
}  // namespace EditProps
