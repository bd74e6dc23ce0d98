// Lookup in a generated resource table.
#include "platform/ResourceTable.h"

#include <cstring>

const ResourceEntry* FindResourceEntry(const ResourceTable* table, int id, const char* type) {
  if (!table) return nullptr;
  for (int i = 0; i < table->count; ++i) {
    const ResourceEntry& entry = table->entries[i];
    if (entry.id == id && std::strcmp(entry.type, type) == 0) return &entry;
  }
  return nullptr;
}
