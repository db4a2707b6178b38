#include "controls/StdReg.h"

#include "classes/ComponentPalette.h"
#include "controls/TButton.h"
#include "controls/TCheckBox.h"
#include "controls/TComboBox.h"
#include "controls/TEdit.h"
#include "controls/TGroupBox.h"
#include "controls/TLabel.h"
#include "controls/TListBox.h"
#include "controls/TMemo.h"
#include "controls/TPanel.h"
#include "controls/TSpeedButton.h"
#include "controls/TSplitter.h"

namespace StdReg {

void Register() {
    const TClassInfo* const standard[] = {
        &TLabel::StaticClassInfo(),    &TEdit::StaticClassInfo(),     &TMemo::StaticClassInfo(),
        &TButton::StaticClassInfo(),   &TCheckBox::StaticClassInfo(), &TListBox::StaticClassInfo(),
        &TComboBox::StaticClassInfo(), &TGroupBox::StaticClassInfo(), &TPanel::StaticClassInfo(),
    };
    RegisterComponents("Standard", standard, static_cast<int>(std::size(standard)) - 1);
    const TClassInfo* const additional[] = {&TSpeedButton::StaticClassInfo(),
                                            &TSplitter::StaticClassInfo()};
    RegisterComponents("Additional", additional, static_cast<int>(std::size(additional)) - 1);
}

}  // namespace StdReg
