#pragma once
// How long each kind of camera exchange waits for its answer, in milliseconds: the one table
// of time-outs. Every operation of the camera layer takes its time-out from here, so that
// one camera action waits alike whichever window or tool starts it; where two roads once
// waited differently for the same line, the longer wait is kept.
#include <cstdint>

namespace Timeouts {

// Status reads and triggers the camera answers at once (temperature, blemish counts,
// sequencer index and reset, soft trigger).
constexpr uint32_t kStatusMs = 500;
// A setting line built here and written directly (sequencer, command-line families, gain
// mode), and the text settings of a setting file: the wait for "COMPLETE".
constexpr uint32_t kAcknowledgeMs = 1000;
// Brief queries: the model name, counters, lens and multi-ROI mode reads.
constexpr uint32_t kBriefQueryMs = 1000;
// Ordinary queries and settings of one parameter.
constexpr uint32_t kExchangeMs = 2500;
// Writing the model name into the camera.
constexpr uint32_t kModelNameWriteMs = 3000;
// Pair settings ("n,v") of blemish and lookup-table points, and blemish clears.
constexpr uint32_t kPairSetMs = 4000;
// One lookup-table entry, read or written; and the camera reset.
constexpr uint32_t kLutEntryMs = 5000;
constexpr uint32_t kCameraResetMs = 5000;
// Settings the camera takes long over: identity writes, recalibrations of the factory page,
// automatic-function modes, the motor lens.
constexpr uint32_t kLongSetMs = 10000;
// Loading a flash area (LD=n) into the working settings.
constexpr uint32_t kFlashLoadMs = 10000;
// Storing the working settings into a flash area (SA=n, SA00=0).
constexpr uint32_t kFlashStoreMs = 40000;
// The shading recalibration (RS=0).
constexpr uint32_t kShadingMs = 20000;
// The one-shot white balance (AWB=2).
constexpr uint32_t kBalanceOnceMs = 50000;
// GenCP: the answer to one request, and the longest the camera may keep one pending.
constexpr uint32_t kGenCpAnswerMs = 1000;
constexpr uint32_t kGenCpMaxPendingMs = 10000;
// lumora-cli send: after the first answer line, a pause this long ends the answer.
constexpr uint32_t kFurtherLineMs = 200;

} // namespace Timeouts
