// The ordered-label controls of the gallery: group boxes, a list box and tab sets that carry
// ordinals.
#include "app/Gallery.h"
#include "graphics/Graphics.h"
#include "ordered/TOrderedGroupBox.h"
#include "ordered/TOrderedListBox.h"
#include "ordered/TOrderedTabSet.h"

namespace Gallery {
namespace {

using namespace Qelgroup;

TOrderedGroupBox* GroupBox(TForm& form, const char* name, TRect r, const char* caption) {
    auto* box = new TOrderedGroupBox(&form);
    box->SetName(name);
    box->SetBoundsRect(r);
    box->SetCaption(caption);
    box->SetParent(&form);
    return box;
}

TOrderedTabSet* TabSet(TForm& form, const char* name, TRect r, TTabAlign align, int selected) {
    auto* tabs = new TOrderedTabSet(&form);
    tabs->SetName(name);
    tabs->SetBoundsRect(r);
    tabs->Tabs()->Add("Third");
    tabs->Tabs()->Add("Fourth");
    tabs->SetTabAlign(align);
    tabs->SetTabIndex(selected);
    // What loading from a form file does: the tabs take the label font's height.
    tabs->SetTabHeight();
    tabs->SetParent(&form);
    return tabs;
}

}  // namespace

void AddOrdered(TForm& form, const TRect& area) {
    const int top = area.Top + 6;
    auto* etched =
        GroupBox(form, "OrderedGroupEtched", TRect{8, top, 216, top + 78}, "Etched, numeric");
    TFont labelFont;
    labelFont.SetName("Arial");
    labelFont.SetStyle(TFontStyles{fsBold});
    labelFont.SetColor(clWhite);
    etched->SetLabelFont(&labelFont);

    auto* flat =
        GroupBox(form, "OrderedGroupFlat", TRect{224, top, 440, top + 78}, "Flat, alphabetic");
    flat->SetCtl3D(false);
    flat->SetLabelType(ltAlphabetic);
    flat->SetLabelOrder(2);
    flat->SetLabelColor(clGreen);
    flat->SetLabelFont(&labelFont);

    const int tabsTop = top + 84;
    TabSet(form, "OrderedTabsBottom", TRect{8, tabsTop, 440, tabsTop + 21}, TTabAlign::taBottom, 0);
    auto* centred = TabSet(form, "OrderedTabsCenter", TRect{8, tabsTop + 30, 440, tabsTop + 51},
                           TTabAlign::taCenter, 1);
    centred->SetLabelType(ltAlphabetic);
    auto* topped = TabSet(form, "OrderedTabsTop", TRect{8, tabsTop + 60, 440, tabsTop + 81},
                          TTabAlign::taTop, 2);
    topped->SetLabelColor(clMaroon);

    auto* steps = new TOrderedListBox(&form);
    steps->SetName("OrderedList");
    steps->SetBoundsRect(TRect{448, top, 672, area.Bottom - 8});
    steps->Items()->SetAll({"Unpack the archive", "Read the notes", "Install", "Configure",
                            "Run the tests", "Clean up", "Done"});
    steps->SetItemHeight(22);
    steps->SetMultiSelect(true);
    steps->SetSelected(2, true);
    steps->SetSelected(3, true);
    steps->SetParent(&form);
}

}  // namespace Gallery
