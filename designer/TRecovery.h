// The recovery file of a form being designed: the form as it stands, written while it is not
// saved, so that a crash or a killed session loses at most the last minute of work. A crash
// signal writes the last edit too: the bytes are kept ready after every edit, and the signal
// handler only writes them out.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TRecovery {
public:
    // dir holds the recovery files; documentPath is the form's file ("" for a new form). The
    // recovery file is named after the document's file name and a hash of its full path.
    TRecovery(std::string dir, const std::string& documentPath);
    ~TRecovery();
    TRecovery(const TRecovery&) = delete;
    TRecovery& operator=(const TRecovery&) = delete;

    // $XDG_STATE_HOME/quillmere/recovery, or ~/.local/state/quillmere/recovery.
    static std::string DefaultDirectory();

    const std::string& FileName() const { return FFileName; }
    bool Exists() const;
    // The form stream the file holds; raises std::runtime_error naming the file.
    std::vector<std::uint8_t> Read() const;
    // When the file was written, as local time ("2024-05-01 14:03").
    std::string WrittenAt() const;
    // Writes the stream to the recovery file, through a temporary file, so that a crash while
    // writing leaves the previous one.
    void Write(std::span<const std::uint8_t> stream);
    void Remove();
    // What a crash signal writes to the recovery file (empty: nothing to recover).
    void SetCrashContent(std::span<const std::uint8_t> stream);

private:
    std::string FDirectory;
    std::string FFileName;
};
