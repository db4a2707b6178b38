#include "designer/window/TDesignerSession.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <filesystem>
#include <iostream>

#include "controls/StdReg.h"
#include "controls/TClipboard.h"
#include "core/Cp1252.h"
#include "designer/TDesigner.h"
#include "designer/TDesignerWindow.h"
#include "hosts/RealClockRun.h"
#include "io/PngWriter.h"
#include "loop/TMessageLoop.h"
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
        const auto b = static_cast<unsigned char>(utf8[i++]);
        if (b >= 0x80 && b < 0xC0) continue;
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        std::uint32_t c = extra == 3   ? b & 0x07u
                          : extra == 2 ? b & 0x0Fu
                          : extra == 1 ? b & 0x1Fu
                                       : b;
        for (; extra > 0 && i < utf8.size(); --extra, ++i) c = (c << 6) | (utf8[i] & 0x3Fu);
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
            // A description that cannot be read is shown as the package's file name.
        }
    }
    return std::filesystem::path(package->FileName).filename().string();
}

bool IsCloseOf(const SDL_Event& e, unsigned windowId) {
    return e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.windowID == windowId &&
                                  e.window.event == SDL_WINDOWEVENT_CLOSE);
}

}  // namespace

TDesignerSession::TDesignerSession(const TDesignerWindowOptions& options)
    : FOptions(options), FDesigner(std::make_unique<TDesigner>()) {
    StdReg::Register();
    Tabs::Register();
    std::string opened;
    if (!options.FormFile.empty()) {
        if (std::filesystem::exists(options.FormFile)) {
            FDesigner->Open(options.FormFile);
            opened = "Opened " + options.FormFile;
        } else {
            FDesigner->New("TForm", options.FormFile);
            opened = options.FormFile + " does not exist yet: a new form, which Save writes there";
        }
    }
    if (!options.RecoveryDir.empty()) FDesigner->EnableRecovery(options.RecoveryDir);
    if (options.Recover) FDesigner->Recover();

    FWindow = std::make_unique<TDesignerWindow>(*FDesigner, options.Package,
                                                PackageDescription(options.Package));
    if (!opened.empty()) FWindow->SetMessage(opened);
    FHost = std::make_unique<TSdlHost>(FWindow.get(), options.Scale);
    Clipboard().SetProvider(
        [] {
            char* text = SDL_GetClipboardText();
            std::string ansi = text ? AnsiFromUtf8(text) : std::string();
            SDL_free(text);
            return ansi;
        },
        [](const std::string& text) { SDL_SetClipboardText(Utf8FromAnsi(text).c_str()); });
    FWindow->OnPreview = [this] { OpenPreview(); };
    FWindow->OnClose = [this] {
        FQuit = true;
        TMessageLoop::Current().PostQuitMessage(0);
    };
    if (!options.Recover) FWindow->OfferRecovery();
    Present();
}

TDesignerSession::~TDesignerSession() {
    Clipboard().SetProvider(nullptr, nullptr);
    FPreview.reset();
    FPreviewForm.reset();
    FHost.reset();
    FWindow.reset();
    FDesigner.reset();
}

void TDesignerSession::OpenPreview() {
    FPreview.reset();
    FPreviewForm = FDesigner->PreviewForm();
    FPreview = std::make_unique<TSdlHost>(FPreviewForm.get(), FOptions.Scale);
    FWindow->SetMessage("Preview: the form as it runs, read from what Save would write");
}

void TDesignerSession::HandleEvent(const SDL_Event& e) {
    if (IsCloseOf(e, FHost->WindowId())) {
        if (FWindow->CloseQuery()) {
            FQuit = true;
            TMessageLoop::Current().PostQuitMessage(0);
        }
        return;
    }
    if (FPreview && !FPreview->HandleEvent(e)) {
        FPreview.reset();
        FPreviewForm.reset();
    }
    FHost->HandleEvent(e);
}

void TDesignerSession::PumpEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) HandleEvent(e);
    Present();
}

void TDesignerSession::Present() {
    FDesigner->Update();
    if (FPreview) FPreview->Present();
    FHost->Present();
}

int TDesignerSession::Run() {
    TMessageLoop& loop = TMessageLoop::Current();
    int status = 0;
    std::unique_ptr<TTimer> shot;
    if (!FOptions.Screenshot.empty()) {
        shot = std::make_unique<TTimer>(nullptr);
        shot->SetInterval(static_cast<std::uint32_t>(std::max(1, FOptions.AfterMs)));
        shot->OnTimer = [&](TPersistent*) {
            shot->SetEnabled(false);
            Present();
            try {
                PngWriter::Write(FHost->ReadPresentedPixels(), FOptions.Screenshot);
                std::cout << "Wrote the window's pixels to " << FOptions.Screenshot << "\n";
            } catch (const std::exception& e) {
                std::cerr << "quillmere design: " << e.what() << "\n";
                status = 1;
            }
            loop.PostQuitMessage(status);
        };
    }
    const int code = RunOnRealClock(
        [this] { Present(); },
        [this](std::optional<TMilliseconds> timeout) {
            SDL_Event e;
            const int ms =
                timeout ? static_cast<int>(std::min<TMilliseconds>(*timeout, INT32_MAX)) : -1;
            if (SDL_WaitEventTimeout(&e, ms)) {
                HandleEvent(e);
                while (!FQuit && SDL_PollEvent(&e)) HandleEvent(e);
            }
        });
    return status ? status : code;
}
