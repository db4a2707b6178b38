#include "designer/TRecovery.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <stdexcept>

#include "streaming/FormFiles.h"

namespace fs = std::filesystem;

namespace {

// What the crash handler writes, made ready after every edit. A crash interrupts the thread
// that owns the form, so the data never change while the handler reads them.
struct TCrashData {
    std::string Path;
    std::vector<std::uint8_t> Bytes;
};
std::atomic<TCrashData*> gCrashData{nullptr};

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

extern "C" void WriteRecoveryOnCrash(int signal) {
    if (TCrashData* data = gCrashData.load()) {
        const int fd = open(data->Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            const std::uint8_t* p = data->Bytes.data();
            std::size_t left = data->Bytes.size();
            while (left > 0) {
                const ssize_t n = write(fd, p, left);
                if (n <= 0) break;
                p += n;
                left -= static_cast<std::size_t>(n);
            }
            close(fd);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void InstallCrashHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int s : kCrashSignals) {
            struct sigaction action {};
            action.sa_handler = WriteRecoveryOnCrash;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESETHAND;
            sigaction(s, &action, nullptr);
        }
    });
}

void ReplaceCrashData(TCrashData* data) {
    delete gCrashData.exchange(data);
}

std::uint64_t Fnv1a(const std::string& s) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

TRecovery::TRecovery(std::string dir, const std::string& documentPath)
    : FDirectory(std::move(dir)) {
    std::string stem = "Untitled";
    std::string key = "untitled";
    if (!documentPath.empty()) {
        std::error_code ec;
        fs::path full = fs::absolute(documentPath, ec);
        if (ec) full = documentPath;
        stem = full.filename().string();
        key = full.lexically_normal().string();
    }
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(key)));
    FFileName = (fs::path(FDirectory) / (stem + "-" + hash + ".recovery")).string();
}

TRecovery::~TRecovery() {
    TCrashData* data = gCrashData.load();
    if (data && data->Path == FFileName) ReplaceCrashData(nullptr);
}

std::string TRecovery::DefaultDirectory() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return (fs::path(state) / "quillmere" / "recovery").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".local" / "state" / "quillmere" / "recovery").string();
    return (fs::temp_directory_path() / ("quillmere-recovery-" + std::to_string(getuid())))
        .string();
}

bool TRecovery::Exists() const {
    std::error_code ec;
    return fs::is_regular_file(FFileName, ec);
}

std::vector<std::uint8_t> TRecovery::Read() const {
    return FormFiles::ReadFile(FFileName);
}

std::string TRecovery::WrittenAt() const {
    std::error_code ec;
    const auto written = fs::last_write_time(FFileName, ec);
    if (ec) return "an unknown time";
    const auto system = std::chrono::file_clock::to_sys(written);
    const std::time_t t = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

void TRecovery::Write(std::span<const std::uint8_t> stream) {
    std::error_code ec;
    fs::create_directories(FDirectory, ec);
    if (ec) throw std::runtime_error(FDirectory + ": cannot make the folder: " + ec.message());
    const std::string temporary = FFileName + ".part";
    FormFiles::WriteFile(temporary, stream);
    fs::rename(temporary, FFileName, ec);
    if (ec) throw std::runtime_error(FFileName + ": cannot write the file: " + ec.message());
}

void TRecovery::Remove() {
    std::error_code ec;
    fs::remove(FFileName, ec);
    SetCrashContent({});
}

void TRecovery::SetCrashContent(std::span<const std::uint8_t> stream) {
    if (stream.empty()) {
        TCrashData* data = gCrashData.load();
        if (data && data->Path == FFileName) ReplaceCrashData(nullptr);
        return;
    }
    InstallCrashHandlers();
    std::error_code ec;
    fs::create_directories(FDirectory, ec);
    ReplaceCrashData(new TCrashData{FFileName, {stream.begin(), stream.end()}});
}
