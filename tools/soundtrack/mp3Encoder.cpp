#include "tools/soundtrack/mp3Encoder.h"

#include <lame.h>

#include <algorithm>
#include <cstring>

std::vector<uint8_t> encodeMp3(const std::vector<float>& left, const std::vector<float>& right,
                               int bitrate) {
  std::vector<uint8_t> out;
  if (left.size() != right.size()) return out;
  lame_global_flags* lame = lame_init();
  if (lame == nullptr) return out;
  lame_set_in_samplerate(lame, 44100);
  lame_set_out_samplerate(lame, 44100);
  lame_set_num_channels(lame, 2);
  lame_set_mode(lame, JOINT_STEREO);
  lame_set_brate(lame, bitrate);
  lame_set_VBR(lame, vbr_off);
  lame_set_quality(lame, 5);
  // The Info frame carries the delay and padding a gapless decoder removes.
  lame_set_bWriteVbrTag(lame, 1);
  lame_set_write_id3tag_automatic(lame, 0);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    return out;
  }

  constexpr size_t chunk = 8192;
  std::vector<uint8_t> buffer(chunk * 5 / 4 + 7200);
  bool failed = false;
  for (size_t at = 0; at < left.size() && !failed; at += chunk) {
    const int count = static_cast<int>(std::min(chunk, left.size() - at));
    const int written = lame_encode_buffer_ieee_float(lame, left.data() + at, right.data() + at,
                                                      count, buffer.data(),
                                                      static_cast<int>(buffer.size()));
    if (written < 0) failed = true;
    else out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  }
  const int flushed = failed ? -1 : lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
  if (flushed < 0) failed = true;
  else out.insert(out.end(), buffer.begin(), buffer.begin() + flushed);

  // The first frame was written blank; it becomes the finished Info frame.
  if (!failed) {
    std::vector<uint8_t> tag(4096);
    const size_t size = lame_get_lametag_frame(lame, tag.data(), tag.size());
    if (size == 0 || size > tag.size() || size > out.size()) failed = true;
    else std::memcpy(out.data(), tag.data(), size);
  }
  lame_close(lame);
  if (failed) out.clear();
  return out;
}
