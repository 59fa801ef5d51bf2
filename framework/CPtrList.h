#pragma once
// A list of pointers that never owns what they point to. The program only appends
// and walks, so the entries sit in one array: appending is amortised O(1) and every
// step of a walk is O(1), also for hundreds of thousands of entries.

#include <cstdint>
#include <vector>

// Opaque position of an entry; null means "past the end".
struct PositionTag;
using POSITION = PositionTag*;

template <class T>
class CPtrList {
  public:
    POSITION AddTail(T* item) {
        items_.push_back(item);
        return ToPosition(items_.size() - 1);
    }
    POSITION GetHeadPosition() const { return items_.empty() ? nullptr : ToPosition(0); }
    POSITION GetTailPosition() const {
        return items_.empty() ? nullptr : ToPosition(items_.size() - 1);
    }

    // Returns the entry at `pos` and moves `pos` to the next one (null after the tail).
    T* GetNext(POSITION& pos) const {
        const size_t index = ToIndex(pos);
        pos = index + 1 < items_.size() ? ToPosition(index + 1) : nullptr;
        return items_[index];
    }
    // Returns the entry at `pos` and moves `pos` to the previous one (null before the head).
    T* GetPrev(POSITION& pos) const {
        const size_t index = ToIndex(pos);
        pos = index > 0 ? ToPosition(index - 1) : nullptr;
        return items_[index];
    }
    T* GetAt(POSITION pos) const { return items_[ToIndex(pos)]; }

    int GetCount() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    // Forgets every entry; what they point to is the caller's to delete.
    void RemoveAll() { items_.clear(); }

  private:
    // A position is the entry's index plus one, so that index 0 is not null.
    static POSITION ToPosition(size_t index) {
        return reinterpret_cast<POSITION>(static_cast<uintptr_t>(index + 1));
    }
    static size_t ToIndex(POSITION pos) { return reinterpret_cast<uintptr_t>(pos) - 1; }

    std::vector<T*> items_;
};
