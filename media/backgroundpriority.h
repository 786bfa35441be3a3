#pragma once

#include <thread>
#include <utility>

// Decoding yields the cores to the threads that keep time (runners, the audio renderer, the
// GUI): on a machine busy with three decoders, a runner whose pacing sleep ends must run at
// once, not after a decoder's time slice. On Linux a thread's nice value is its own and the
// threads it starts inherit it, so the video decoder thread lowers itself, and the codec's
// worker threads are started (avcodec_open2) from a short-lived thread of lowered priority.
// Raising a nice value needs no privilege; nothing here ever lowers one.
//
// Threads: any; each call acts on the calling thread or on a thread it starts and joins.
class BackgroundPriority
{
public:
    static constexpr int NiceIncrement = 5;

    // Lowers the calling thread's priority by NiceIncrement (once per thread is enough).
    static void lowerCurrentThread();

    // Runs work on a thread of lowered priority and waits for it to finish.
    template<class Work>
    static void runLowered(Work &&work)
    {
        std::thread thread([&work] {
            lowerCurrentThread();
            std::forward<Work>(work)();
        });
        thread.join();
    }
};
