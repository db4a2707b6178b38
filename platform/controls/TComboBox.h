// The drop-down list: a field showing one item, and a button that drops a list of all of them
// below it. With csDropDown the field is an edit box that also takes any text; with
// csDropDownList it shows the selected item only. The dropped list lies on top of the form;
// a click on an item, or Enter, takes it, Escape or leaving the control closes it. Up and Down
// step through the items, dropped or not; Alt+Down and F4 drop the list.
#pragma once

#include <cstdint>
#include <memory>

#include "classes/TStringList.h"
#include "controls/TCustomControl.h"

class TEdit;
class TListBox;

enum TComboBoxStyle : std::uint8_t {
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable,
};
const TTypeInfo* TypeInfoTComboBoxStyle();

class TComboBox : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStringList* Items() const { return FItems.get(); }
    void SetItems(const TStringList* items) { FItems->Assign(items); }
    // The selected item (-1: none). Setting it shows that item's text.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    // The field's text: what was typed, or the selected item's.
    std::string Text() const;
    void SetText(const std::string& text);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) { FDropDownCount = std::max(1, v); }

    bool DroppedDown() const { return FDropped; }
    void SetDroppedDown(bool v);
    // The edit box of a csDropDown combo box (null for the other styles).
    TEdit* EditBox() const;
    // The dropped list, while it is shown (null otherwise).
    TListBox* DropList() const;

    TRect NonClientInsets() const override;
    void PaintNonClient(HDC dc) override;
    void Dispatch(TMessage& message) override;
    void SetBounds(int left, int top, int width, int height) override;

    // Runs when the user changes the text: typing, or choosing an item.
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool Editable() const { return FStyle == csDropDown || FStyle == csSimple; }
    TRect ButtonRect() const;
    void LayOut();
    // Selects an item on the user's behalf: the text follows and OnChange runs.
    void Choose(int index);
    // Handles the keys that step through or drop the list; true when the key was one.
    bool ListKey(WORD key, TShiftState shift);
    void CloseUp(bool accept);
    void ItemsChanged();

    std::unique_ptr<TStringList> FItems;
    TEdit* FEdit = nullptr;     // owned by the combo box, a child of it with csDropDown
    TListBox* FList = nullptr;  // owned by the combo box, on the form while dropped
    int FItemIndex = -1;
    std::string FText;  // the text of a csDropDownList
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    bool FDropped = false;
};
