// The README's example: a conical gradient panel on a form, rendered to hello.png.
#include "controls/TForm.h"
#include "hosts/THeadlessHost.h"
#include "io/PngWriter.h"
#include "panels/TQELGradient.h"

int main() {
    TForm form(nullptr);
    form.SetClientWidth(240);
    form.SetClientHeight(80);

    auto* gradient = new Qelpanel::TQELGradient(&form);  // the form owns and frees it
    gradient->SetBounds(8, 8, 224, 64);
    gradient->SetGradientType(Qelpanel::gtConical);
    gradient->SetColorStart(clNavy);
    gradient->SetColorEnd(clAqua);
    gradient->SetCaption("Hello");
    gradient->SetParent(&form);

    THeadlessHost host(&form);
    PngWriter::Write(host.Render(), "hello.png");
}
