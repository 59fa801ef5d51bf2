#pragma once
// A growable array of strings, indexed from 0.

#include <vector>

#include "framework/CString.h"

class CStringArray {
  public:
    // Appends and returns the new element's index.
    int Add(const CString& text) {
        items_.push_back(text);
        return static_cast<int>(items_.size()) - 1;
    }
    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return items_.empty(); }

    const CString& GetAt(int index) const { return items_[static_cast<size_t>(index)]; }
    CString& operator[](int index) { return items_[static_cast<size_t>(index)]; }
    const CString& operator[](int index) const { return GetAt(index); }
    void SetAt(int index, const CString& text) { items_[static_cast<size_t>(index)] = text; }

    void RemoveAll() { items_.clear(); }

  private:
    std::vector<CString> items_;
};
