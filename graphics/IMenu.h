// IMenu: a pop-up menu as the editor describes it to the window (entries with flags, optional
// submenus), and the chosen index the window writes back.
#pragma once

#include <cstdint>

#include "support/PointerList.h"
#include "support/TextBuffer.h"

class IMenu;

struct IMenuEntry {
  static constexpr int32_t MenuDisabled = 1;  // shown greyed
  static constexpr int32_t MenuInactive = 2;  // not selectable, not greyed
  static constexpr int32_t MenuChecked = 4;
  static constexpr int32_t MenuSeparator = 8;

  IMenuEntry(const char* label, int32_t entryFlags) : text(label), flags(entryFlags) {}
  ~IMenuEntry();
  IMenuEntry(const IMenuEntry&) = delete;
  IMenuEntry& operator=(const IMenuEntry&) = delete;

  TextBuffer text;
  IMenu* submenu = nullptr;  // owned
  int32_t flags = 0;
};

class IMenu {
 public:
  // 0: no numbering; 1, 2, 3: entries numbered "%1d: ", "%02d: ", "%03d: ".
  explicit IMenu(int32_t numberingPrefix = 0) : prefix_(numberingPrefix) {}

  IMenuEntry* AddEntry(const char* text, int32_t flags = 0);
  int NEntries() const { return entries_.Count(); }
  IMenuEntry* GetEntry(int index) const { return entries_.Get(index); }
  int32_t NumberingPrefix() const { return prefix_; }
  int32_t ChosenIndex() const { return chosen_; }
  void SetChosenIndex(int32_t index) { chosen_ = index; }

 private:
  int32_t prefix_;
  int32_t chosen_ = -1;
  [[maybe_unused]] bool flag_ = false;  // unused by this system; kept for the record's layout
  PointerList<IMenuEntry> entries_;
};

inline IMenuEntry::~IMenuEntry() {
  delete submenu;
}

inline IMenuEntry* IMenu::AddEntry(const char* text, int32_t flags) {
  auto* entry = new IMenuEntry(text, flags);
  if (!entries_.Add(entry)) {
    delete entry;
    return nullptr;
  }
  return entry;
}
