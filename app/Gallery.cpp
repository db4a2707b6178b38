#include "app/Gallery.h"

namespace Gallery {

std::unique_ptr<TForm> Build() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetName("Gallery");
    form->SetCaption("Quillmere gallery");
    form->SetClientWidth(kWidth);
    form->SetClientHeight(kHeight);
    AddPanels(*form, TRect{0, 0, kWidth, 180});
    AddLists(*form, TRect{0, 180, kWidth, 340});
    AddOrdered(*form, TRect{0, 340, kWidth, kHeight});
    return form;
}

}  // namespace Gallery
