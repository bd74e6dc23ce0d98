// The Linux stand-in for a module's resources: a table of {id, type, bytes} generated at build
// time from files (cmake/EmbedResources.cmake). The module handle points at the table.
#pragma once

#include <cstdint>

struct ResourceEntry {
  int id;
  const char* type;
  const unsigned char* bytes;
  int32_t size;
};

struct ResourceTable {
  const ResourceEntry* entries;
  int count;
};

// The entry with this id and type (compared exactly), or null; a null table has none.
const ResourceEntry* FindResourceEntry(const ResourceTable* table, int id, const char* type);
