// PointerList: an ordered list of object pointers kept in a GrowBuffer. An owning list deletes
// its elements, the last first.
#pragma once

#include "support/GrowBuffer.h"

enum class ListOwnership { Owns, Borrows };

template <class T>
class PointerList {
 public:
  explicit PointerList(ListOwnership ownership = ListOwnership::Owns) : ownership_(ownership) {}
  ~PointerList() { Clear(); }
  PointerList(const PointerList&) = delete;
  PointerList& operator=(const PointerList&) = delete;

  int Count() const { return buffer_.Size() / static_cast<int>(sizeof(T*)); }

  // Null outside 0 .. Count() - 1.
  T* Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return Items()[index];
  }

  // Answers the item, or null when the list could not grow (the caller keeps the item then).
  T* Add(T* item) {
    const int count = Count();
    buffer_.Resize((count + 1) * static_cast<int>(sizeof(T*)), false);
    if (Count() != count + 1) return nullptr;
    Items()[count] = item;
    return item;
  }

  // Inserts before index (0 .. Count()); answers the item, or null when the list could not grow
  // or the index is outside that range (the caller keeps the item then).
  T* Insert(int index, T* item) {
    const int count = Count();
    if (index < 0 || index > count) return nullptr;
    if (!Add(item)) return nullptr;
    for (int i = count; i > index; --i)
      Items()[i] = Items()[i - 1];
    Items()[index] = item;
    return item;
  }

  // Removes one entry, deleting it when the list owns its elements.
  void Remove(int index) {
    const int count = Count();
    if (index < 0 || index >= count) return;
    T* item = Items()[index];
    for (int i = index; i < count - 1; ++i)
      Items()[i] = Items()[i + 1];
    buffer_.Resize((count - 1) * static_cast<int>(sizeof(T*)), false);
    if (ownership_ == ListOwnership::Owns) delete item;
  }

  void Clear() {
    if (ownership_ == ListOwnership::Owns) {
      for (int i = Count() - 1; i >= 0; --i)
        delete Items()[i];
    }
    buffer_.Resize(0);
  }

 private:
  T** Items() const { return static_cast<T**>(buffer_.Data()); }

  GrowBuffer buffer_{4096};
  ListOwnership ownership_;
};
