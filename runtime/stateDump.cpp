#include "runtime/stateDump.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>

#include "platform/random.h"
#include "runtime/sceneTimers.h"
#include "runtime/sequencer.h"
#include "runtime/viewControls.h"

namespace {

struct Registered {
  std::string name;
  StateDumpFn dump;
};

struct StateDumpRegistry {
  std::vector<Registered> modules;
  // Files that could not be written (a full disk, a folder gone), counted
  // across every writer.
  uint64_t failedWrites = 0;
  // While the dumps run only to look for values that are not finite, the
  // writers write nothing and note the first such value here.
  bool checking = false;
  std::string nonFinite;
};

StateDumpRegistry registry;

bool noteWrite(bool written) {
  if (!written) ++registry.failedWrites;
  return written;
}

// Version 1.0 of the format: magic, version, a little-endian 16-bit header
// length, then a Python dict literal padded with spaces so that the data
// starts on a 64-byte boundary. descr is the dict's value as written.
bool writeNpyFile(const std::string& path, const std::string& descr, const std::vector<size_t>& shape,
                  const void* data, size_t bytes) {
  std::string dims;
  for (size_t d : shape) dims += std::to_string(d) + ", ";
  // Drop the last ", " but keep the comma of a one-element tuple: "(3, 4)" but "(3,)".
  if (!shape.empty()) dims.resize(dims.size() - (shape.size() > 1 ? 2 : 1));
  std::string header = "{'descr': " + descr + ", 'fortran_order': False, 'shape': (" + dims + "), }";
  const size_t preamble = 10;
  const size_t total = (preamble + header.size() + 1 + 63) / 64 * 64;
  header.append(total - preamble - header.size() - 1, ' ');
  header.push_back('\n');

  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return noteWrite(false);
  const unsigned char magic[8] = {0x93, 'N', 'U', 'M', 'P', 'Y', 1, 0};
  const unsigned char length[2] = {static_cast<unsigned char>(header.size() & 0xFF),
                                   static_cast<unsigned char>(header.size() >> 8)};
  bool ok = std::fwrite(magic, 1, 8, file) == 8 && std::fwrite(length, 1, 2, file) == 2 &&
            std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
            (bytes == 0 || std::fwrite(data, 1, bytes, file) == bytes);
  ok = std::fclose(file) == 0 && ok;
  return noteWrite(ok);
}

// The name of a dumped value in a check's report: the file's name without
// the frame's folder, and what follows it.
void noteNonFinite(const std::string& path, const std::string& element, double value) {
  if (!registry.nonFinite.empty()) return;
  const size_t slash = path.find_last_of('/');
  registry.nonFinite = (slash == std::string::npos ? path : path.substr(slash + 1)) + element + " is " +
                       (std::isnan(value) ? "NaN" : value > 0 ? "+infinity" : "-infinity");
}

// "[i, j]" for the element at flat index `at` of an array of that shape.
std::string arrayIndex(size_t at, const std::vector<size_t>& shape) {
  std::vector<size_t> index(shape.size());
  for (size_t d = shape.size(); d-- > 0;) {
    index[d] = shape[d] == 0 ? 0 : at % shape[d];
    at = shape[d] == 0 ? 0 : at / shape[d];
  }
  std::string text = "[";
  for (size_t d = 0; d < index.size(); ++d) text += (d > 0 ? ", " : "") + std::to_string(index[d]);
  return text + "]";
}

template <typename T>
void checkFinite(const std::string& path, const T* data, size_t count, const std::vector<size_t>& shape) {
  if constexpr (std::is_floating_point_v<T>) {
    for (size_t i = 0; i < count; ++i) {
      if (!std::isfinite(data[i])) {
        noteNonFinite(path, arrayIndex(i, shape), static_cast<double>(data[i]));
        return;
      }
    }
  }
}

template <typename T>
bool writeNpyArray(const std::string& path, const char* descr, const T* data,
                   const std::vector<size_t>& shape) {
  size_t count = 1;
  for (size_t d : shape) count *= d;
  if (registry.checking) {
    checkFinite(path, data, count, shape);
    return true;
  }
  return writeNpyFile(path, "'" + std::string(descr) + "'", shape, data, count * sizeof(T));
}

// The float and double fields of packed records, record by record.
void checkFiniteRecords(const std::string& path, const std::vector<NpyField>& fields, const std::string& records,
                        size_t count) {
  size_t at = 0;
  for (size_t r = 0; r < count; ++r) {
    for (const NpyField& field : fields) {
      const size_t size = static_cast<size_t>(std::atoi(field.type + 2));
      const bool isFloat = field.type[1] == 'f' && (size == 4 || size == 8);
      for (size_t k = 0; k < field.count; ++k, at += size) {
        if (!isFloat) continue;
        double value = 0.0;
        if (size == 4) {
          float f = 0.0f;
          std::memcpy(&f, records.data() + at, sizeof f);
          value = static_cast<double>(f);
        } else {
          std::memcpy(&value, records.data() + at, sizeof value);
        }
        if (!std::isfinite(value)) {
          std::string element = "[" + std::to_string(r) + "]." + field.name;
          if (field.count > 1) element += "[" + std::to_string(k) + "]";
          noteNonFinite(path, element, value);
          return;
        }
      }
    }
  }
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string number(double value, int digits) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

}  // namespace

bool writeNpy(const std::string& path, const float* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "<f4", data, shape);
}
bool writeNpy(const std::string& path, const double* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "<f8", data, shape);
}
bool writeNpy(const std::string& path, const int32_t* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "<i4", data, shape);
}
bool writeNpy(const std::string& path, const uint32_t* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "<u4", data, shape);
}
bool writeNpy(const std::string& path, const int16_t* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "<i2", data, shape);
}
bool writeNpy(const std::string& path, const int8_t* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "|i1", data, shape);
}
bool writeNpy(const std::string& path, const uint8_t* data, const std::vector<size_t>& shape) {
  return writeNpyArray(path, "|u1", data, shape);
}

bool writeNpyRecords(const std::string& path, const std::vector<NpyField>& fields, const std::string& records,
                     size_t count) {
  std::string descr = "[";
  size_t recordBytes = 0;
  for (const NpyField& field : fields) {
    if (std::strlen(field.type) < 3) return false;
    if (descr.size() > 1) descr += ", ";
    descr += "('" + std::string(field.name) + "', '" + field.type + "'";
    if (field.count > 1) descr += ", (" + std::to_string(field.count) + ",)";
    descr += ")";
    recordBytes += field.count * static_cast<size_t>(std::atoi(field.type + 2));
  }
  descr += "]";
  if (records.size() != recordBytes * count) return false;
  if (registry.checking) {
    checkFiniteRecords(path, fields, records, count);
    return true;
  }
  return writeNpyFile(path, descr, {count}, records.data(), records.size());
}

// NaN and the infinities are written as Python's json module reads them.
void JsonScalars::add(const char* name, double value) { fields_.emplace_back(name, number(value, 17)); }
void JsonScalars::add(const char* name, float value) {
  fields_.emplace_back(name, number(static_cast<double>(value), 9));
}
void JsonScalars::add(const char* name, int64_t value) {
  fields_.emplace_back(name, std::to_string(value));
}
void JsonScalars::add(const char* name, bool value) { fields_.emplace_back(name, value ? "true" : "false"); }
void JsonScalars::add(const char* name, const char* value) { fields_.emplace_back(name, quoted(value)); }

std::string JsonScalars::text() const {
  std::string out = "{\n";
  for (size_t i = 0; i < fields_.size(); ++i) {
    out += "  " + quoted(fields_[i].first) + ": " + fields_[i].second;
    out += i + 1 < fields_.size() ? ",\n" : "\n";
  }
  out += "}\n";
  return out;
}

bool JsonScalars::write(const std::string& path) const {
  if (registry.checking) {
    // A value that is not finite is written as exactly one of these.
    for (const auto& [name, value] : fields_) {
      if (value == "NaN" || value == "Infinity" || value == "-Infinity") {
        noteNonFinite(path, " " + name, value == "NaN" ? std::nan("") : value[0] == '-' ? -HUGE_VAL : HUGE_VAL);
        break;
      }
    }
    return true;
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return noteWrite(false);
  const std::string body = text();
  bool ok = std::fwrite(body.data(), 1, body.size(), file) == body.size();
  ok = std::fclose(file) == 0 && ok;
  return noteWrite(ok);
}

void registerStateDump(const char* name, StateDumpFn dump) {
  for (Registered& module : registry.modules) {
    if (module.name == name) {
      module.dump = dump;
      return;
    }
  }
  registry.modules.push_back({name, dump});
}

std::string firstNonFiniteState() {
  registry.checking = true;
  registry.nonFinite.clear();
  writeStateDumps("");
  registry.checking = false;
  return registry.nonFinite;
}

bool writeStateDumps(const std::string& frameDirectory) {
  JsonScalars rng;
  rng.add("state", demoRandState());
  rng.add("draws", static_cast<int64_t>(demoRandDraws()));
  bool written = rng.write(frameDirectory + "/rng.json");

  const SequencerState& s = sequencer;
  JsonScalars seq;
  seq.add("currentEntry", s.currentNumber);
  seq.add("nextEntry", static_cast<int64_t>(s.nextEntry) + 1);
  seq.add("startTick", s.startTick);
  seq.add("nowMs", s.nowMs);
  seq.add("frameMs", s.frameMs);
  seq.add("timelineMs", timelineMs());
  seq.add("endMs", s.currentEntry.endMs);
  seq.add("loadOffsetMs", s.loadOffsetMs);
  seq.add("trackTwoOffsetMs", s.trackTwoOffsetMs);
  seq.add("forceAdvance", s.forceAdvance);
  seq.add("quitRequested", s.quitRequested);
  seq.add("quitFade", s.quitFade);
  seq.add("paused", s.paused);
  const ViewControls& v = viewControls;
  seq.add("viewScaleX", v.viewScaleX);
  seq.add("viewScaleY", v.viewScaleY);
  seq.add("viewScaleZ", v.viewScaleZ);
  seq.add("viewAngleX", v.viewAngleX);
  seq.add("viewAngleY", v.viewAngleY);
  seq.add("viewAngleZ", v.viewAngleZ);
  seq.add("viewShiftX", v.viewShiftX);
  seq.add("viewShiftY", v.viewShiftY);
  seq.add("viewShiftZ", v.viewShiftZ);
  written = seq.write(frameDirectory + "/sequencer.json") && written;

  // The decoration rectangles as a 3 x 5 float32 array: base, centreX,
  // centreY, growX, growY per rectangle.
  float decor[3][5];
  for (int n = 0; n < 3; ++n) {
    const DecorRect& r = s.decor.rect[n];
    decor[n][0] = r.base;
    decor[n][1] = r.centreX;
    decor[n][2] = r.centreY;
    decor[n][3] = r.growX;
    decor[n][4] = r.growY;
  }
  written = writeNpy(frameDirectory + "/sceneDecor.npy", &decor[0][0], {3, 5}) && written;

  JsonScalars fade;
  fade.add("fadeCounter", engineFade.fadeCounter);
  written = fade.write(frameDirectory + "/engineFade.json") && written;

  // The scenes' own dumps report nothing; a file of theirs that could not
  // be written shows in the count of failed writes.
  const uint64_t failedBefore = registry.failedWrites;
  for (const Registered& module : registry.modules) module.dump(frameDirectory);
  return written && registry.failedWrites == failedBefore;
}
