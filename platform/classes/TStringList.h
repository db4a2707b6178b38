// A list of strings with change notification: a list box's Items, a tab set's Tabs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classes/TPersistent.h"

class TStringList : public TPersistent {
    DECLARE_CLASSINFO()

public:
    TStringList() = default;

    int Count() const { return static_cast<int>(FStrings.size()); }
    const std::string& operator[](int index) const { return FStrings.at(static_cast<std::size_t>(index)); }
    const std::string& Strings(int index) const { return (*this)[index]; }
    void SetStrings(int index, const std::string& s);
    const std::vector<std::string>& All() const { return FStrings; }

    // Adds s (at its sorted place when Sorted) and returns its index.
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& s) const;
    void Assign(const TPersistent* source) override;
    void SetAll(std::vector<std::string> strings);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);

    // The strings joined with CR LF after each, and split again.
    std::string Text() const;
    void SetText(const std::string& text);

    // Batches changes: OnChange runs once, at the outermost EndUpdate.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    std::function<void()> OnChange;

    // How the strings moved, for owners that keep something per string (a list box's
    // selection). It runs at once, also between BeginUpdate and EndUpdate: a string was
    // inserted at an index, deleted from one, or the list was rebuilt (index -1).
    enum class TChange : std::uint8_t { Inserted, Deleted, Rebuilt };
    std::function<void(TChange, int)> OnStructureChange;

    void DefineProperties(TFiler& filer) override;

private:
    void Changed();
    void Moved(TChange change, int index);
    void Sort();

    std::vector<std::string> FStrings;
    bool FSorted = false;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};
