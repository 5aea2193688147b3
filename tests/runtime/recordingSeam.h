#pragma once
// A stand-in for GLUT that records what the Sequencer and the scenes ask of
// it, so they run without a display.
#include <vector>

#include "platform/glutSeam.h"
#include "runtime/sequencer.h"

struct SeamRecord {
  IdleFn registeredIdle = nullptr;
  int redisplays = 0;
  int cursorHides = 0;
  int exits = 0;
  int exitStatus = -1;
  // The number of the current entry each time a recording init or idle ran.
  std::vector<int> inits;
  std::vector<int> idles;
};

inline SeamRecord seamRecord;

inline void recordInit() { seamRecord.inits.push_back(sequencer.currentNumber); }
inline void recordIdle() { seamRecord.idles.push_back(sequencer.currentNumber); }
inline void recordDisplay() {}
inline void recordReshape(int, int) {}

inline void installRecordingSeam() {
  seamRecord = {};
  installGlutSeam(GlutSeam{
      [](ReshapeFn, DisplayFn, IdleFn idle) { seamRecord.registeredIdle = idle; },
      [](IdleFn idle) { seamRecord.registeredIdle = idle; },
      [] { ++seamRecord.redisplays; },
      [] { ++seamRecord.cursorHides; },
      [] {},
      [] {},
      [](int status) {
        ++seamRecord.exits;
        seamRecord.exitStatus = status;
      },
  });
}
