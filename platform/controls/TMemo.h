// The edit box of several lines: Enter breaks a line, Up and Down move between lines, and the
// lines are also a string list, which form files store.
#pragma once

#include <memory>

#include "classes/TStringList.h"
#include "controls/TCustomEdit.h"

class TMemo : public TCustomEdit {
    DECLARE_CLASSINFO()

public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    // The text's lines; changing them changes the text, and typing changes them.
    TStringList* Lines() const { return FLines.get(); }
    void SetLines(const TStringList* lines) { FLines->Assign(lines); }

protected:
    void Change() override;

private:
    std::unique_ptr<TStringList> FLines;
    bool FSyncing = false;
};
