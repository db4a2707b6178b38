#include "controls/TCustomEdit.h"

#include <algorithm>
#include <cctype>

#include "controls/TClipboard.h"
#include "graphics/Graphics.h"

namespace {

// The text keeps clear of the border by this much.
constexpr int kMargin = 2;

bool IsWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || u >= 0xC0;
}

}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

// ---------------------------------------------------------------------------------------------
// Text and selection.

void TCustomEdit::SetText(const std::string& text) {
    FChanging = true;
    TControl::SetText(text);
    FChanging = false;
    FCaret = FAnchor = static_cast<int>(GetText().size());
    FGoalX = -1;
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SetSelStart(int v) {
    FCaret = FAnchor = std::clamp(v, 0, static_cast<int>(GetText().size()));
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SetSelLength(int v) {
    FAnchor = SelStart();
    FCaret = std::clamp(FAnchor + v, 0, static_cast<int>(GetText().size()));
    ScrollToCaret();
    Invalidate();
}

std::string TCustomEdit::SelText() const {
    return GetText().substr(static_cast<std::size_t>(SelStart()),
                            static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& text) {
    Replace(SelStart(), SelLength(), text);
}

void TCustomEdit::SelectAll() {
    FAnchor = 0;
    FCaret = static_cast<int>(GetText().size());
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::Replace(int start, int length, const std::string& inserted) {
    std::string text = GetText();
    std::string piece = inserted;
    if (!FMultiLine)
        piece.erase(std::remove_if(piece.begin(), piece.end(),
                                   [](char c) { return c == '\r' || c == '\n'; }),
                    piece.end());
    if (FMaxLength > 0) {
        const int room = FMaxLength - (static_cast<int>(text.size()) - length);
        piece.resize(static_cast<std::size_t>(std::clamp(room, 0, static_cast<int>(piece.size()))));
    }
    text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), piece);
    FCaret = FAnchor = start + static_cast<int>(piece.size());
    FGoalX = -1;
    FChanging = true;
    TControl::SetText(text);
    FChanging = false;
    ScrollToCaret();
}

void TCustomEdit::CopyToClipboard() {
    if (SelLength() > 0 && !FPasswordChar) Clipboard().SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (FReadOnly || SelLength() == 0) return;
    CopyToClipboard();
    SetSelText("");
}

void TCustomEdit::PasteFromClipboard() {
    if (!FReadOnly) SetSelText(Clipboard().AsText());
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    RecreateWnd();
    Realign();
}

void TCustomEdit::SetPasswordChar(char v) {
    if (v == FPasswordChar) return;
    FPasswordChar = v;
    Invalidate();
}

void TCustomEdit::Change() {
    OnChange(this);
}

bool TCustomEdit::ShowsFocus() const {
    return FFocusOwner ? FFocusOwner->Focused() : Focused();
}

void TCustomEdit::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    switch (message.Msg) {
        case CM_TEXTCHANGED:
            if (!FChanging) FCaret = FAnchor = static_cast<int>(GetText().size());
            FCaret = std::min(FCaret, static_cast<int>(GetText().size()));
            FAnchor = std::min(FAnchor, static_cast<int>(GetText().size()));
            Change();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FSelecting = false;
            Invalidate();
            break;
        case WM_SIZE:
            // Scrolled no further than the caret needs at the new size.
            FScrollX = 0;
            ScrollToCaret();
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Layout: lines, widths, offsets.

std::vector<TCustomEdit::TLine> TCustomEdit::Lines() const {
    const std::string& text = GetText();
    std::vector<TLine> lines;
    int start = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        if (!FMultiLine || text[static_cast<std::size_t>(i)] != '\n') continue;
        const int end = i > start && text[static_cast<std::size_t>(i - 1)] == '\r' ? i - 1 : i;
        lines.push_back(TLine{start, end - start});
        start = i + 1;
    }
    lines.push_back(TLine{start, static_cast<int>(text.size()) - start});
    return lines;
}

int TCustomEdit::LineOf(int offset) const {
    const std::vector<TLine> lines = Lines();
    for (int i = static_cast<int>(lines.size()) - 1; i > 0; --i)
        if (offset >= lines[static_cast<std::size_t>(i)].Start) return i;
    return 0;
}

std::string TCustomEdit::Shown() const {
    return FPasswordChar ? std::string(GetText().size(), FPasswordChar) : GetText();
}

int TCustomEdit::LineHeight() const {
    return Font()->TextMetrics().tmHeight;
}

int TCustomEdit::TextWidth(int line, int length) const {
    const TLine l = Lines()[static_cast<std::size_t>(line)];
    const std::string shown = Shown();
    return Font()->TextWidth(shown.data() + l.Start, std::min(length, l.Length));
}

TPoint TCustomEdit::LineOrigin(int line) const {
    if (FMultiLine) return TPoint{kMargin, 1 + (line - FTopLine) * LineHeight()};
    return TPoint{kMargin - FScrollX, (ClientHeight() - LineHeight()) / 2};
}

int TCustomEdit::OffsetAt(TPoint p) const {
    const std::vector<TLine> lines = Lines();
    int line = 0;
    if (FMultiLine) {
        const int h = std::max(1, LineHeight());
        const int row = p.Y < 1 ? -1 : (p.Y - 1) / h;
        line = std::clamp(FTopLine + row, 0, static_cast<int>(lines.size()) - 1);
    }
    const TLine l = lines[static_cast<std::size_t>(line)];
    const int x = p.X - LineOrigin(line).X;
    // The boundary nearest x: past a character's middle the caret goes after it.
    int previous = 0;
    for (int n = 1; n <= l.Length; ++n) {
        const int w = TextWidth(line, n);
        if (x < (previous + w + 1) / 2) return l.Start + n - 1;
        previous = w;
    }
    return l.Start + l.Length;
}

int TCustomEdit::PreviousBoundary(int offset) const {
    const std::string& t = GetText();
    if (offset <= 0) return 0;
    const bool lineBreak = offset > 1 && t[static_cast<std::size_t>(offset - 1)] == '\n' &&
                           t[static_cast<std::size_t>(offset - 2)] == '\r';
    return offset - (lineBreak ? 2 : 1);
}

int TCustomEdit::NextBoundary(int offset) const {
    const std::string& t = GetText();
    const int n = static_cast<int>(t.size());
    if (offset >= n) return n;
    const bool lineBreak = offset + 1 < n && t[static_cast<std::size_t>(offset)] == '\r' &&
                           t[static_cast<std::size_t>(offset + 1)] == '\n';
    return offset + (lineBreak ? 2 : 1);
}

int TCustomEdit::WordStart(int offset) const {
    const std::string& t = GetText();
    while (offset > 0 && !IsWordChar(t[static_cast<std::size_t>(offset - 1)])) --offset;
    while (offset > 0 && IsWordChar(t[static_cast<std::size_t>(offset - 1)])) --offset;
    return offset;
}

int TCustomEdit::WordEnd(int offset) const {
    const std::string& t = GetText();
    const int n = static_cast<int>(t.size());
    while (offset < n && IsWordChar(t[static_cast<std::size_t>(offset)])) ++offset;
    while (offset < n && !IsWordChar(t[static_cast<std::size_t>(offset)])) ++offset;
    return offset;
}

void TCustomEdit::ScrollToCaret() {
    const int line = LineOf(FCaret);
    if (FMultiLine) {
        const int visible = std::max(1, (ClientHeight() - 2) / std::max(1, LineHeight()));
        if (line < FTopLine) FTopLine = line;
        if (line >= FTopLine + visible) FTopLine = line - visible + 1;
        return;
    }
    const int x = TextWidth(0, FCaret);
    const int room = std::max(1, ClientWidth() - 2 * kMargin);
    if (x - FScrollX > room) FScrollX = x - room + room / 3;
    if (x < FScrollX) FScrollX = std::max(0, x - room / 3);
}

void TCustomEdit::MoveCaret(int offset, bool extend) {
    FCaret = std::clamp(offset, 0, static_cast<int>(GetText().size()));
    if (!extend) FAnchor = FCaret;
    ScrollToCaret();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Painting.

TRect TCustomEdit::NonClientInsets() const {
    return FBorderStyle == bsSingle ? SingleBorderInsets(Ctl3D(), Width(), Height()) : TRect{};
}

void TCustomEdit::PaintNonClient(HDC dc) {
    if (FBorderStyle == bsSingle) PaintSingleBorder(dc, TRect{0, 0, Width(), Height()}, Ctl3D());
}

// Each line is drawn in up to three runs: before the selection, the selection (highlight
// colours), after it; then the caret, a one-pixel bar, when the edit has the focus.
void TCustomEdit::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    canvas->FillRect(ClientRect());
    const std::string shown = Shown();
    const std::vector<TLine> lines = Lines();
    const int h = LineHeight();
    const bool showSelection = ShowsFocus() && SelLength() > 0;
    for (int i = FMultiLine ? FTopLine : 0; i < static_cast<int>(lines.size()); ++i) {
        const TLine& l = lines[static_cast<std::size_t>(i)];
        const TPoint o = LineOrigin(i);
        if (o.Y > ClientHeight()) break;
        const int cuts[4] = {l.Start, std::clamp(SelStart(), l.Start, l.Start + l.Length),
                             std::clamp(SelStart() + SelLength(), l.Start, l.Start + l.Length),
                             l.Start + l.Length};
        for (int run = 0; run < 3; ++run) {
            if (cuts[run + 1] <= cuts[run]) continue;
            const bool selected = run == 1 && showSelection;
            const int x = o.X + TextWidth(i, cuts[run] - l.Start);
            const int right = o.X + TextWidth(i, cuts[run + 1] - l.Start);
            canvas->Brush()->SetColor(selected ? clHighlight : Enabled() ? Color() : clBtnFace);
            canvas->Font()->SetColor(selected    ? clHighlightText
                                     : Enabled() ? Font()->Color()
                                                 : clGrayText);
            canvas->TextRect(TRect{x, o.Y, right, o.Y + h}, x, o.Y,
                             shown.substr(static_cast<std::size_t>(cuts[run]),
                                          static_cast<std::size_t>(cuts[run + 1] - cuts[run])));
        }
    }
    if (!ShowsFocus()) return;
    const int line = LineOf(FCaret);
    const TPoint o = LineOrigin(line);
    const int x = o.X + TextWidth(line, FCaret - lines[static_cast<std::size_t>(line)].Start);
    canvas->Brush()->SetColor(clWindowText);
    canvas->FillRect(TRect{x, o.Y, x + 1, o.Y + h});
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard.

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    const int at = OffsetAt(TPoint{x, y});
    if (shift.Contains(ssDouble)) {
        FAnchor = at > 0 && (at == static_cast<int>(GetText().size()) ||
                             !IsWordChar(GetText()[static_cast<std::size_t>(at)]))
                      ? WordStart(at)
                      : WordStart(at + 1);
        FCaret = FAnchor;
        while (FCaret < static_cast<int>(GetText().size()) &&
               IsWordChar(GetText()[static_cast<std::size_t>(FCaret)]))
            ++FCaret;
        Invalidate();
        return;
    }
    MoveCaret(at, shift.Contains(ssShift));
    FSelecting = true;
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (FSelecting) MoveCaret(OffsetAt(TPoint{x, y}), true);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const bool extend = shift.Contains(ssShift), ctrl = shift.Contains(ssCtrl);
    const int length = static_cast<int>(GetText().size());
    const std::vector<TLine> lines = Lines();
    const int line = LineOf(FCaret);
    const TLine& l = lines[static_cast<std::size_t>(line)];
    auto lineMove = [&](int to) {
        if (to < 0 || to >= static_cast<int>(lines.size())) return;
        if (FGoalX < 0) FGoalX = TextWidth(line, FCaret - l.Start);
        const int goal = FGoalX;
        const TPoint o = LineOrigin(to);
        MoveCaret(OffsetAt(TPoint{o.X + goal, o.Y}), extend);
        FGoalX = goal;
    };
    switch (key) {
        case VK_LEFT:
            if (!extend && SelLength() > 0)
                MoveCaret(SelStart(), false);
            else
                MoveCaret(ctrl ? WordStart(FCaret) : PreviousBoundary(FCaret), extend);
            break;
        case VK_RIGHT:
            if (!extend && SelLength() > 0)
                MoveCaret(SelStart() + SelLength(), false);
            else
                MoveCaret(ctrl ? WordEnd(FCaret) : NextBoundary(FCaret), extend);
            break;
        case VK_HOME:
            MoveCaret(ctrl ? 0 : l.Start, extend);
            break;
        case VK_END:
            MoveCaret(ctrl ? length : l.Start + l.Length, extend);
            break;
        case VK_UP:
        case VK_DOWN:
            if (!FMultiLine) return;
            lineMove(line + (key == VK_UP ? -1 : 1));
            key = 0;
            return;
        case VK_DELETE:
            if (FReadOnly) break;
            if (extend) {
                CutToClipboard();
            } else if (SelLength() > 0) {
                SetSelText("");
            } else if (FCaret < length) {
                Replace(FCaret, NextBoundary(FCaret) - FCaret, "");
            }
            break;
        case VK_INSERT:
            if (ctrl)
                CopyToClipboard();
            else if (extend)
                PasteFromClipboard();
            break;
        case 'A':
        case 'C':
        case 'V':
        case 'X':
            if (!ctrl) return;
            if (key == 'A') SelectAll();
            if (key == 'C') CopyToClipboard();
            if (key == 'V') PasteFromClipboard();
            if (key == 'X') CutToClipboard();
            break;
        default:
            return;
    }
    if (key != VK_UP && key != VK_DOWN) FGoalX = -1;
    key = 0;
    Invalidate();
}

void TCustomEdit::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    const auto c = static_cast<unsigned char>(key);
    if (c == 0 || FReadOnly) return;
    if (c == '\b') {
        if (SelLength() > 0) {
            SetSelText("");
        } else if (FCaret > 0) {
            const int previous = PreviousBoundary(FCaret);
            Replace(previous, FCaret - previous, "");
        }
    } else if (c == '\r') {
        if (!FMultiLine) return;
        SetSelText("\r\n");
    } else if (c >= 0x20 && c != 0x7F) {
        SetSelText(std::string(1, key));
    } else {
        return;
    }
    key = 0;
    Invalidate();
}

void TCustomEdit::DoEnter() {
    if (FAutoSelect && !FMultiLine) SelectAll();
    TCustomControl::DoEnter();
}

const TClassInfo& TCustomEdit::StaticClassInfo() {
    static const TClassInfo info{
        "TCustomEdit", &TCustomControl::StaticClassInfo(), "StdCtrls", {}, nullptr};
    return info;
}

namespace EditProps {
using namespace PropBuild;
using E = TCustomEdit;

TPropInfo AutoSelect() {
    return Ord("AutoSelect", TypeInfoBoolean(), &E::AutoSelect, &E::SetAutoSelect, 1);
}
TPropInfo BorderStyle() {
    return Ord("BorderStyle", TypeInfoTBorderStyle(), &E::BorderStyle, &E::SetBorderStyle,
               bsSingle);
}
TPropInfo MaxLength() {
    return Ord("MaxLength", TypeInfoInteger(), &E::MaxLength, &E::SetMaxLength, 0);
}
TPropInfo ReadOnly() {
    return Ord("ReadOnly", TypeInfoBoolean(), &E::ReadOnly, &E::SetReadOnly, 0);
}
TPropInfo OnChange() {
    return Event("OnChange", TypeInfoNotifyEvent(), &E::OnChange);
}
}  // namespace EditProps
