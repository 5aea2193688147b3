#pragma once
// Frame-by-frame state dumps for people who study the simulations.
//
// Start-up registers one dump function per scene module and engine; the
// capture tool calls all of them for every frame it writes, each into the
// frame's folder. Arrays
// go to NumPy .npy files with their exact element types, scalars to one JSON
// file per module.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/vector3.h"

// Writes an array with the given shape (row-major) as a .npy file.
bool writeNpy(const std::string& path, const float* data, const std::vector<size_t>& shape);
bool writeNpy(const std::string& path, const double* data, const std::vector<size_t>& shape);
bool writeNpy(const std::string& path, const int32_t* data, const std::vector<size_t>& shape);
bool writeNpy(const std::string& path, const uint32_t* data, const std::vector<size_t>& shape);
bool writeNpy(const std::string& path, const int16_t* data, const std::vector<size_t>& shape);
bool writeNpy(const std::string& path, const int8_t* data, const std::vector<size_t>& shape);
bool writeNpy(const std::string& path, const uint8_t* data, const std::vector<size_t>& shape);

// One field of a record array: its name, its NumPy type ("<f4", "<u4",
// "<i4", "<f8", ...) and how many values of that type it holds.
struct NpyField {
  const char* name;
  const char* type;
  size_t count = 1;
};

// Writes count records of the given fields, packed in field order without
// padding, as a one-dimensional structured array. Fails without writing when
// the bytes do not match the fields.
bool writeNpyRecords(const std::string& path, const std::vector<NpyField>& fields, const std::string& records,
                     size_t count);
// Appends the bytes of one field value to a record buffer.
template <typename T>
void packField(std::string& records, const T& value) {
  records.append(reinterpret_cast<const char*>(&value), sizeof value);
}
// A vector is three doubles in the order x, y, z ("<f8" with count 3).
inline void packField(std::string& records, const Vector3& v) {
  packField(records, v.x);
  packField(records, v.y);
  packField(records, v.z);
}

// Positions of linked records in their list, in the order they are added,
// so that links can be written as indices: -1 for no record or for one that
// is not in the list.
template <typename Record>
class ListIndex {
 public:
  void add(const Record* record) { positions_.emplace(record, static_cast<int32_t>(positions_.size())); }
  int32_t of(const Record* record) const {
    const auto found = positions_.find(record);
    return found == positions_.end() ? int32_t{-1} : found->second;
  }

 private:
  std::unordered_map<const Record*, int32_t> positions_;
};

// A flat JSON object of named scalars, written in insertion order. Floats
// keep the digits that read back to the same single-precision value.
class JsonScalars {
 public:
  void add(const char* name, double value);
  void add(const char* name, float value);
  void add(const char* name, int64_t value);
  void add(const char* name, int32_t value) { add(name, static_cast<int64_t>(value)); }
  void add(const char* name, uint32_t value) { add(name, static_cast<int64_t>(value)); }
  void add(const char* name, bool value);
  void add(const char* name, const char* value);
  std::string text() const;
  bool write(const std::string& path) const;

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

// Writes one module's state into the frame's folder.
using StateDumpFn = void (*)(const std::string& frameDirectory);

void registerStateDump(const char* name, StateDumpFn dump);
// Writes rng.json, sequencer.json (the clocks and the 3D view), sceneDecor.npy,
// engineFade.json (the fade counter of the 3D engine scenes) and every
// registered module's dump; false when the first four could not be written.
bool writeStateDumps(const std::string& frameDirectory);
// Runs the same dumps without writing anything and names the first float or
// double among them that is NaN or infinite, by file and element
// ("world.json timeScale is NaN", "particles.npy[3].position[1] is
// +infinity"); empty when every value is finite.
std::string firstNonFiniteState();
