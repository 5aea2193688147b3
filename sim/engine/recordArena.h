#pragma once
// Storage for the records of the particle engines' linked lists.
//
// Scene inits replace their lists often; the records of the abandoned lists
// belong to the arena of their generation and are released together when the
// next generation starts. Records are handed out from blocks, so their
// addresses stay put while the generation lives and neighbouring records of a
// list lie next to each other in memory.
#include <cstddef>
#include <memory>
#include <vector>

template <typename T>
class RecordArena {
 public:
  static constexpr size_t blockRecords = 128;

  // A fresh record with its member initialisers applied.
  T* make() {
    if (blocks_.empty() || used_ == blockRecords) {
      blocks_.push_back(std::make_unique<T[]>(blockRecords));
      used_ = 0;
    }
    return &blocks_.back()[used_++];
  }

  // Frees every record handed out so far.
  void release() {
    blocks_.clear();
    used_ = 0;
  }

  size_t recordCount() const { return blocks_.empty() ? 0 : (blocks_.size() - 1) * blockRecords + used_; }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
  size_t used_ = 0;
};

// The last record of the chain that starts at node (none for none).
template <typename T>
T* lastInList(T* node) {
  if (node == nullptr) return nullptr;
  while (node->next != nullptr) node = node->next;
  return node;
}

// Links record behind the last record of the list that starts at head; with
// no head the record stays on its own.
template <typename T>
T* linkBehind(T* head, T* record) {
  if (T* last = lastInList(head)) last->next = record;
  return record;
}
