#pragma once
// Reading and writing one channel's table on the camera. Neither line carries an entry index:
// a transfer is a run of 32 queries ("LUTSG?") or 32 settings ("LUTSG=v") for the entries 0
// to 31 in order, each waiting up to 5000 ms. A transfer is a walk over the camera (Walk.h):
// it stops at the first entry that fails, on Cancel and when the link is lost, and reports
// once. Qt-free; user-interface thread only.
#include "Command.h"
#include "LutTable.h"
#include "Progress.h"

#include <cstdint>
#include <string>

// A transfer's progress: the walk's, and the line that counts the entries done.
class Camera;
class LutProgress : public Progress {
public:
    virtual void say(const std::string& message) = 0;
};

namespace LutTransfer {


// The command index of a channel's run (LUTSR, LUTSG, LUTSB); -1 for any other channel.
int CommandOf(int channel);

// The progress text of a read of the channel after done of its entries (0: the opening text).
std::string ReadText(int channel, int done);
// The same for a write.
std::string WriteText(int done);

// Queries the channel's 32 entries in order and stores each answer in table at once (an
// answer above 4095 as 4095); entries after a failed query keep their values. Answered when
// all 32 came; else cancelled, or how the exchange that ended the transfer went.
Command::Result Read(Camera& camera, int channel, Lut::Table& table, LutProgress& progress);
// Sets the channel's 32 entries in order from table. Answered when the camera took all 32;
// not sent for a channel outside 0...2.
Command::Result Write(Camera& camera, int channel, const Lut::Table& table, LutProgress& progress);

} // namespace LutTransfer
