// The designer in a desktop window: the designer's form on an SDL2 host, the system clipboard,
// the preview in a second window, and the message loop that serves both windows on the real
// clock (the designed form's timers run in it, autosave too).
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "controls/StdReg.h"
#include "controls/TClipboard.h"
#include "core/Cp1252.h"
#include "designer/DesignerWindow.h"
#include "designer/TDesigner.h"
#include "designer/TDesignerWindow.h"
#include "io/PngWriter.h"
#include "loop/TMessageLoop.h"
#include "loop/TSteadyClock.h"
#include "loop/TTimer.h"
#include "modules/PackageInfo.h"
#include "modules/TModuleRecordImpl.h"
#include "sdl/TSdlHost.h"
#include "vclx/Tabs.h"

namespace {

std::string Utf8FromAnsi(const std::string& ansi) {
    std::string out;
    for (unsigned char ch : ansi) {
        const std::uint32_t c = Cp1252ToUnicode(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// UTF-8 as code page 1252; characters it lacks become '?', malformed bytes are skipped.
std::string AnsiFromUtf8(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        std::uint32_t c = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : extra == 1 ? b & 0x1F : b;
        ++i;
        if (b >= 0x80 && b < 0xC0) continue;
        for (; extra > 0 && i < utf8.size(); --extra, ++i) c = (c << 6) | (utf8[i] & 0x3F);
        char ansi = '?';
        for (int ch = 0; ch < 256; ++ch)
            if (Cp1252ToUnicode(static_cast<unsigned char>(ch)) == c) {
                ansi = static_cast<char>(ch);
                break;
            }
        out += ansi;
    }
    return out;
}

std::string PackageDescription(HMODULE package) {
    if (!package) return "no package";
    if (const TResourceEntry* r = package->Find(RT_RCDATA, "DESCRIPTION", kLangEnglishUS)) {
        try {
            return ResourceRecords::DecodeDescription(r->Data, r->Size);
        } catch (const std::exception&) {
        }
    }
    return std::filesystem::path(package->FileName).filename().string();
}

bool IsCloseOf(const SDL_Event& e, unsigned windowId) {
    return e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.windowID == windowId &&
                                  e.window.event == SDL_WINDOWEVENT_CLOSE);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int QmDesignerWindowMain(
    const TDesignerWindowOptions& options) {
    StdReg::Register();
    Tabs::Register();
    TDesigner designer;
    std::string opened;
    try {
        if (!options.FormFile.empty()) {
            if (std::filesystem::exists(options.FormFile)) {
                designer.Open(options.FormFile);
                opened = "Opened " + options.FormFile;
            } else {
                designer.New("TForm", options.FormFile);
                opened =
                    options.FormFile + " does not exist yet: a new form, which Save writes there";
            }
        }
        designer.EnableRecovery(options.RecoveryDir);
        if (options.Recover) designer.Recover();
    } catch (const std::exception& e) {
        std::cerr << "quillmere design: " << e.what() << "\n";
        return 1;
    }

    TDesignerWindow window(designer, options.Package, PackageDescription(options.Package));
    if (!opened.empty()) window.SetMessage(opened);
    std::unique_ptr<TSdlHost> host;
    try {
        host = std::make_unique<TSdlHost>(&window, options.Scale);
    } catch (const ENoDisplay& e) {
        std::cerr << "quillmere design: no display: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "quillmere design: " << e.what() << "\n";
        return 1;
    }
    Clipboard().SetProvider(
        [] {
            char* text = SDL_GetClipboardText();
            std::string ansi = text ? AnsiFromUtf8(text) : std::string();
            SDL_free(text);
            return ansi;
        },
        [](const std::string& text) { SDL_SetClipboardText(Utf8FromAnsi(text).c_str()); });
    struct TForgetClipboard {
        ~TForgetClipboard() { Clipboard().SetProvider(nullptr, nullptr); }
    } forgetClipboard;

    TMessageLoop& loop = TMessageLoop::Current();
    std::unique_ptr<TForm> previewForm;
    std::unique_ptr<TSdlHost> preview;
    window.OnPreview = [&] {
        preview.reset();
        previewForm = designer.PreviewForm();
        preview = std::make_unique<TSdlHost>(previewForm.get(), options.Scale);
        window.SetMessage("Preview: the form as it runs, read from what Save would write");
    };
    window.OnClose = [&] { loop.PostQuitMessage(0); };
    if (!options.Recover) window.OfferRecovery();
    designer.Update();
    host->Present();
    std::cout << "Designing " << (designer.FileName().empty() ? "a new form" : designer.FileName())
              << " in a window on " << TSdlHost::VideoDriver() << "; close it to quit\n"
              << std::flush;

    int status = 0;
    std::unique_ptr<TTimer> shot;
    if (!options.Screenshot.empty()) {
        shot = std::make_unique<TTimer>(nullptr);
        shot->SetInterval(static_cast<std::uint32_t>(std::max(1, options.AfterMs)));
        shot->OnTimer = [&](TPersistent*) {
            shot->SetEnabled(false);
            designer.Update();
            try {
                PngWriter::Write(host->ReadPresentedPixels(), options.Screenshot);
                std::cout << "Wrote the window's pixels to " << options.Screenshot << "\n";
            } catch (const std::exception& e) {
                std::cerr << "quillmere design: " << e.what() << "\n";
                status = 1;
            }
            loop.PostQuitMessage(status);
        };
    }

    loop.SetClock(std::make_shared<TSteadyClock>());
    const int idle = loop.AddIdleHandler([&] {
        designer.Update();
        if (preview) preview->Present();
        host->Present();
    });
    auto handle = [&](const SDL_Event& e) {
        if (IsCloseOf(e, host->WindowId())) {
            if (window.CloseQuery()) loop.PostQuitMessage(0);
            return;
        }
        if (preview && !preview->HandleEvent(e)) {
            preview.reset();
            previewForm.reset();
        }
        host->HandleEvent(e);
    };
    int code = 0;
    try {
        code = loop.Run([&](std::optional<TMilliseconds> timeout) {
            SDL_Event e;
            const int ms =
                timeout ? static_cast<int>(std::min<TMilliseconds>(*timeout, INT32_MAX)) : -1;
            if (SDL_WaitEventTimeout(&e, ms)) {
                handle(e);
                while (SDL_PollEvent(&e)) handle(e);
            }
        });
    } catch (const std::exception& e) {
        std::cerr << "quillmere design: " << e.what() << "\n";
        code = 1;
    }
    loop.RemoveIdleHandler(idle);
    loop.SetClock(nullptr);
    shot.reset();
    preview.reset();
    previewForm.reset();
    host.reset();
    return status ? status : code;
}
