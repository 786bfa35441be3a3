#pragma once

#include "avptr.h"

#include <cstdint>

// One demultiplexed packet on its way from the packet reader to a decoder.
//
// Owned by the PacketQueue that holds it, then by the decoder thread that took it. A "null
// packet" (size 0, only the stream index set) asks the decoder to drain at end of file.
struct MediaPacket
{
    av::PacketPtr pkt;
    // The queue's seq when the packet was put: the seek epoch the packet belongs to.
    int32_t seq = 0;
};
