#pragma once
// The number of records in a particle engine's linked list, its head
// included.
template <typename T>
int listLength(const T* head) {
  int n = 0;
  for (; head != nullptr; head = head->next) ++n;
  return n;
}
