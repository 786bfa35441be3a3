// ctest-labels: engine
// The engine's small parts without threads: queues and their seq, the decoder's packet in
// flight, the clock's epochs and pacing, the target-size table, the view-mode picture sizes and
// the relative-seek clamp.
#include "logcapture.h"
#include "media/framequeue.h"
#include "media/mediaclock.h"
#include "media/mediacontext.h"
#include "media/mediadecoder.h"
#include "media/mediaframe.h"
#include "media/packetqueue.h"
#include "media/videostate.h"

#include <QtTest>

#include <cmath>
#include <cstring>

class TestEngineQueues : public QObject
{
    Q_OBJECT

private slots:
    void packetQueue_clearIncrementsSeq_andStampsPackets();
    void packetQueue_isFull_atCapacity();
    void frameQueue_takeIf_refusesAFrameReplacedByAClear();
    void decoderThreads_shareTheCores_data();
    void decoderThreads_shareTheCores();
    void frameQueue_fullByCountOrBytes_data();
    void frameQueue_fullByCountOrBytes();
    void decoder_resendsARefusedPacket_dropsItAfterASeek();
    void clock_newEpoch_onSeqSpeedOrReset();
    void clock_masterPts_onlyForItsSeq();
    void clock_masterPts_afterEndOfStream();
    void pace_lateAndEarlyFrames();
    void pace_dropsWithoutMasterTime();
    void pace_followsTheAudioPlayhead();
    void targetSize_table_data();
    void targetSize_table();
    void outputSize_viewModes_data();
    void outputSize_viewModes();
    void relativeSeekTarget_clamps_data();
    void relativeSeekTarget_clamps();
    void context_secondSeekWhilePending_isRefused();
};

namespace {

av::PacketPtr packetOfSize(int size)
{
    av::PacketPtr p = av::makePacket();
    av_new_packet(p.get(), size);
    return p;
}

// A packet of one 2x2 grey picture whose pixels are all value.
av::PacketPtr greyPicture(int value)
{
    av::PacketPtr p = packetOfSize(4);
    memset(p->data, value, 4);
    return p;
}

// The pixel value of the next picture the codec gives, -1 when it gives none.
int receivedPicture(AVCodecContext *codec)
{
    av::FramePtr frame = av::makeFrame();
    if (avcodec_receive_frame(codec, frame.get()) < 0)
        return -1;
    return frame->data[0][0];
}

MediaFrame frameAt(double pts, int seq, double speed = 1.0)
{
    MediaFrame f;
    f.pts = pts;
    f.seq = seq;
    f.speed = speed;
    return f;
}

} // namespace

void TestEngineQueues::packetQueue_clearIncrementsSeq_andStampsPackets()
{
    LogCapture log;
    PacketQueue queue(25);
    queue.setStreamIndex(3);
    QCOMPARE(queue.seq(), 0);
    queue.clear(); // empty: still a new epoch
    QCOMPARE(queue.seq(), 1);
    QVERIFY(log.contains(QStringLiteral("stream 3 packet q# 0  clear, seq 0 -> 1")));

    av::PacketPtr p = packetOfSize(100);
    QCOMPARE(queue.put(p.get()), 0);
    QCOMPARE(p->size, 0); // the reference moved into the queue
    QCOMPARE(queue.size(), 1);
    queue.clear();
    QCOMPARE(queue.size(), 0);
    QCOMPARE(queue.seq(), 2);
    av::PacketPtr q = packetOfSize(10);
    queue.put(q.get());
    std::unique_ptr<MediaPacket> taken = queue.take();
    QVERIFY(taken);
    QCOMPARE(taken->seq, 2);
    QCOMPARE(taken->pkt->size, 10);
    QVERIFY(!queue.take());
}

void TestEngineQueues::packetQueue_isFull_atCapacity()
{
    PacketQueue queue(25);
    for (int i = 0; i < 24; ++i) {
        av::PacketPtr p = packetOfSize(1);
        queue.put(p.get());
    }
    QVERIFY(!queue.isFull());
    av::PacketPtr p = packetOfSize(1);
    queue.put(p.get());
    QVERIFY(queue.isFull());
    // put never refuses: the reader throttles itself
    av::PacketPtr extra = packetOfSize(1);
    QCOMPARE(queue.put(extra.get()), 0);
    QCOMPARE(queue.size(), 26);
}

void TestEngineQueues::frameQueue_takeIf_refusesAFrameReplacedByAClear()
{
    FrameQueue queue(25);
    av::FramePtr f = av::makeFrame();
    QCOMPARE(queue.push(f.get(), 4, 1.5, 0.04, 2.0, 1), 0);
    FrameQueue::Head head;
    QVERIFY(queue.peek(&head));
    QCOMPARE(head.seq, 4);
    QCOMPARE(head.pts, 1.5);
    queue.clear(); // a seek between peek and take
    av::FramePtr g = av::makeFrame();
    queue.push(g.get(), 5, 0.0, 0.04, 1.0, 0);
    QVERIFY(!queue.takeIf(head.id));
    FrameQueue::Head second;
    QVERIFY(queue.peek(&second));
    std::unique_ptr<MediaFrame> taken = queue.takeIf(second.id);
    QVERIFY(taken);
    QCOMPARE(taken->seq, 5);
    QCOMPARE(taken->speed, 1.0);
    QVERIFY(queue.isEmpty());
    for (int i = 0; i < 25; ++i) {
        av::FramePtr h = av::makeFrame();
        queue.push(h.get(), 0, i, 0, 1, 0);
    }
    QVERIFY(queue.isFull());
}

void TestEngineQueues::decoderThreads_shareTheCores_data()
{
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("videoStreams");
    QTest::addColumn<int>("threads");
    QTest::newRow("three channels on two cores: one each") << 2 << 3 << 1;
    QTest::newRow("one channel on two cores") << 2 << 1 << 2;
    QTest::newRow("two channels on two cores") << 2 << 2 << 1;
    QTest::newRow("three channels on eight cores") << 8 << 3 << 3;
    QTest::newRow("three channels on sixteen cores") << 16 << 3 << 6;
    QTest::newRow("no count known") << 0 << 0 << 1;
}

void TestEngineQueues::decoderThreads_shareTheCores()
{
    QFETCH(int, cores);
    QFETCH(int, videoStreams);
    QFETCH(int, threads);
    QCOMPARE(MediaState::decoderThreadsFor(cores, videoStreams), threads);
}

void TestEngineQueues::frameQueue_fullByCountOrBytes_data()
{
    QTest::addColumn<int>("width"); // YUV 4:2:0 pictures of this size
    QTest::addColumn<int>("height");
    QTest::addColumn<size_t>("budget");
    QTest::addColumn<int>("full"); // pictures held when the queue says full

    const size_t video = VideoState::FrameQueueBytes;
    QTest::newRow("small pictures: the capacity") << 160 << 90 << video << 25;
    QTest::newRow("1280x720: 25 within 48 MB") << 1280 << 720 << (size_t(48) << 20) << 25;
    QTest::newRow("1280x720 in a video queue") << 1280 << 720 << video << 18;
    QTest::newRow("1920x1080 in a video queue") << 1920 << 1080 << video << 9;
    QTest::newRow("2560x1440 in a video queue") << 2560 << 1440 << video << 5;
    QTest::newRow("1920x1080 without a budget") << 1920 << 1080 << size_t(0) << 25;
}

// Large pictures fill a video queue before its 25 frames; taking one makes room again, and a
// clear forgets the bytes.
void TestEngineQueues::frameQueue_fullByCountOrBytes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(size_t, budget);
    QFETCH(int, full);

    FrameQueue queue(MediaState::FrameCapacity, budget);
    auto push = [&] {
        av::FramePtr f = av::makeFrame();
        f->format = AV_PIX_FMT_YUV420P;
        f->width = width;
        f->height = height;
        return av_frame_get_buffer(f.get(), 0) == 0 && queue.push(f.get(), 0, 0, 0, 1, 0) == 0;
    };
    int pushed = 0;
    while (!queue.isFull() && pushed < 100) {
        QVERIFY(push());
        ++pushed;
    }
    QCOMPARE(pushed, full);
    QVERIFY(!queue.waitForRoom(std::chrono::milliseconds(1)));
    FrameQueue::Head head;
    QVERIFY(queue.peek(&head));
    QVERIFY(queue.takeIf(head.id));
    QVERIFY(!queue.isFull());
    QVERIFY(queue.waitForRoom(std::chrono::milliseconds(1)));
    QVERIFY(push());
    QVERIFY(queue.isFull());
    queue.clear();
    QCOMPARE(queue.bytes(), size_t(0));
    for (int i = 0; i < full; ++i)
        QVERIFY(push());
    QVERIFY(queue.isFull());
}

void TestEngineQueues::decoder_resendsARefusedPacket_dropsItAfterASeek()
{
    LogCapture log;
    // The raw video decoder holds one decoded picture and one packet: a third packet sent
    // before anything is received is refused with EAGAIN.
    const AVCodec *raw = avcodec_find_decoder(AV_CODEC_ID_RAWVIDEO);
    QVERIFY(raw);
    av::CodecContextPtr codec(avcodec_alloc_context3(raw));
    codec->width = 2;
    codec->height = 2;
    codec->pix_fmt = AV_PIX_FMT_GRAY8;
    QCOMPARE(avcodec_open2(codec.get(), raw, nullptr), 0);
    MediaState state(MediaState::Video, nullptr);
    MediaDecoder decoder(&state);
    PacketQueue &queue = state.packetQueue();
    for (int value = 1; value <= 4; ++value)
        queue.put(greyPicture(value).get());

    using Next = MediaDecoder::Next;
    for (int sent = 1; sent <= 2; ++sent) {
        QCOMPARE(decoder.takePacket(), Next::Send);
        QCOMPARE(decoder.sendPacket(codec.get()), 0);
    }
    QCOMPARE(decoder.takePacket(), Next::Send);
    QCOMPARE(decoder.sendPacket(codec.get()), AVERROR(EAGAIN));
    QCOMPARE(receivedPicture(codec.get()), 1);
    QCOMPARE(receivedPicture(codec.get()), 2);
    // The refused packet is offered again, before the queue's next one, and only once.
    QCOMPARE(decoder.takePacket(), Next::Send);
    QCOMPARE(queue.size(), 1);
    QCOMPARE(decoder.sendPacket(codec.get()), 0);
    QCOMPARE(receivedPicture(codec.get()), 3);
    QCOMPARE(decoder.takePacket(), Next::Send);
    QCOMPARE(decoder.sendPacket(codec.get()), 0);
    QCOMPARE(receivedPicture(codec.get()), 4);
    QCOMPARE(receivedPicture(codec.get()), -1);

    // A packet refused before a seek belongs to the old seq: it is dropped with a flush, and
    // the first packet of the new seq flushes once more when it is taken.
    for (int value = 5; value <= 7; ++value)
        queue.put(greyPicture(value).get());
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(decoder.takePacket(), Next::Send);
        QCOMPARE(decoder.sendPacket(codec.get()), 0);
    }
    QCOMPARE(decoder.takePacket(), Next::Send);
    QCOMPARE(decoder.sendPacket(codec.get()), AVERROR(EAGAIN));
    queue.clear();
    queue.put(greyPicture(8).get());
    QCOMPARE(decoder.takePacket(), Next::FlushAndRetry);
    QVERIFY(log.contains(
            QStringLiteral("pkt seq mismatch 0 : 0 flush buffers , has pending true")));
    avcodec_flush_buffers(codec.get());
    QCOMPARE(decoder.takePacket(), Next::FlushAndSend);
    QCOMPARE(decoder.packetSeq(), 1);
    avcodec_flush_buffers(codec.get());
    QCOMPARE(decoder.sendPacket(codec.get()), 0);
    QCOMPARE(receivedPicture(codec.get()), 8);
    QCOMPARE(receivedPicture(codec.get()), -1);
}

void TestEngineQueues::clock_newEpoch_onSeqSpeedOrReset()
{
    MediaClock clock;
    QVERIFY(clock.update(1.0, 0, 1.0, 1, 100.0)); // first update
    QVERIFY(!clock.update(1.04, 0, 1.0, 1, 100.04));
    QCOMPARE(clock.frameCount(), 2);
    QVERIFY(clock.update(1.04, 1, 1.0, 1, 100.1)); // new seq, same pts
    QCOMPARE(clock.firstPts(), 1.04);
    QCOMPARE(clock.baseTime(), 100.1);
    QVERIFY(clock.update(1.08, 1, 2.0, 1, 100.2)); // speed 1 -> 2
    QCOMPARE(clock.speed(), 2.0);
    QVERIFY(!clock.update(1.12, 1, 2.0, 1, 100.22));
    clock.reset();
    QVERIFY(clock.update(1.16, 1, 2.0, 1, 100.3));
    QCOMPARE(clock.frameCount(), 1);
}

void TestEngineQueues::clock_masterPts_onlyForItsSeq()
{
    MediaClock clock;
    double pts = -1;
    QVERIFY(!clock.masterPts(0, &pts));
    clock.update(2.5, 3, 1.0, 1, 10.0);
    QVERIFY(clock.masterPts(3, &pts));
    QCOMPARE(pts, 2.5);
    QVERIFY(!clock.masterPts(4, &pts));
    clock.reset();
    QVERIFY(!clock.masterPts(3, &pts));
    // The first audio of a recording sits at pts 0: a time, not the lack of one.
    clock.update(0.0, 4, 1.0, 9600, 11.0);
    QVERIFY(clock.masterPts(4, &pts));
    QCOMPARE(pts, 0.0);
}

void TestEngineQueues::clock_masterPts_afterEndOfStream()
{
    VideoState owner(nullptr); // never opened: only its flags are used
    owner.clock().update(7.0, 2, 1.0, 1, 10.0);
    owner.clock().reset();
    double pts = -1;
    QVERIFY(!owner.clock().masterPts(5, &pts));
    owner.setEndOfStream(true);
    QVERIFY(owner.clock().masterPts(5, &pts));
    QCOMPARE(pts, 7.0);
}

void TestEngineQueues::pace_lateAndEarlyFrames()
{
    MediaClock clock;
    int64_t sleepUs = -1;
    // first frame of an epoch: at once
    QCOMPARE(clock.pace(frameAt(0.0, 0), &clock, false, &sleepUs, 100.0), 0);
    QCOMPARE(sleepUs, 0);
    // 40 ms late: at once, lag -0.04
    QCOMPARE(clock.pace(frameAt(0.04, 0), &clock, false, &sleepUs, 100.08), 0);
    QCOMPARE(sleepUs, 0);
    QVERIFY(std::fabs(clock.lag() + 0.04) < 1e-9);
    // 40 ms early: sleep 40,000 us, lag 0
    QCOMPARE(clock.pace(frameAt(0.12, 0), &clock, false, &sleepUs, 100.08), 0);
    QVERIFY(std::abs(sleepUs - 40000) <= 1);
    QCOMPARE(clock.lag(), 0.0);
    // at speed 2 the same pts distance is due in half the time
    MediaClock fast;
    fast.pace(frameAt(0.0, 0, 2.0), &fast, false, &sleepUs, 50.0);
    QCOMPARE(fast.pace(frameAt(0.2, 0, 2.0), &fast, false, &sleepUs, 50.0), 0);
    QVERIFY(std::abs(sleepUs - 100000) <= 1);
    // no timestamp: shown at once
    QCOMPARE(fast.pace(frameAt(std::nan(""), 0, 2.0), &fast, false, &sleepUs, 50.0), 0);
    QCOMPARE(sleepUs, 0);
}

void TestEngineQueues::pace_dropsWithoutMasterTime()
{
    MediaClock master;
    MediaClock video;
    int64_t sleepUs = 0;
    QCOMPARE(video.pace(frameAt(1.0, 2), &master, false, &sleepUs, 10.0), -1);
    master.update(1.0, 2, 1.0, 1, 10.0);
    QCOMPARE(video.pace(frameAt(1.04, 2), &master, false, &sleepUs, 10.0), 0);
    QCOMPARE(video.pace(frameAt(1.08, 2), nullptr, false, &sleepUs, 10.0), -1); // closed
    QCOMPARE(video.pace(frameAt(1.12, 2), &video, true, &sleepUs, 10.0), -1); // aborting

    // Audio whose first chunk starts at pts 0 gives the pictures a time at once.
    MediaClock audio;
    MediaClock fromStart;
    audio.update(0.0, 3, 1.0, 9600, 20.0);
    QCOMPARE(fromStart.pace(frameAt(0.0, 3), &audio, false, &sleepUs, 20.0), 0);
}

// The audio clock's playhead moves on with the wall clock up to what the device was given and
// stands still while held; a picture paced against it follows it: a jump at once, a small
// difference a tenth per picture.
void TestEngineQueues::pace_followsTheAudioPlayhead()
{
    MediaClock audio;
    audio.update(0.0, 1, 1.0, 9600, 10.0);
    audio.setPlayhead(0.0, 10.0, 1.0, 0.2);
    QCOMPARE(audio.playheadAt(10.1), 0.1);
    QCOMPARE(audio.playheadAt(11.0), 0.2); // no further than the device was given
    audio.holdPlayhead(10.05);
    QCOMPARE(audio.playheadAt(12.0), 0.05);
    audio.releasePlayhead(12.0, 1.0);
    QVERIFY(std::fabs(audio.playheadAt(12.1) - 0.15) < 1e-9);

    MediaClock video;
    int64_t sleepUs = 0;
    audio.setPlayhead(0.0, 20.0, 1.0, 10.0);
    QCOMPARE(video.pace(frameAt(0.0, 1), &audio, false, &sleepUs, 20.0), 0); // epoch start
    // The audio is heard 0.5 s later than the pictures' own clock says: taken at once, so the
    // picture at 0.1 s is due 0.6 s after the epoch began.
    audio.setPlayhead(0.0, 20.5, 1.0, 10.0);
    QCOMPARE(video.pace(frameAt(0.1, 1), &audio, false, &sleepUs, 20.5), 0);
    QVERIFY(std::abs(sleepUs - 100000) <= 1);
    // 20 ms apart: a tenth of it (2 ms) is taken by this picture.
    audio.setPlayhead(0.2, 20.7 + 0.02, 1.0, 10.0);
    QCOMPARE(video.pace(frameAt(0.3, 1), &audio, false, &sleepUs, 20.72), 0);
    QVERIFY2(std::abs(sleepUs - (100000 - 18000)) <= 2, qPrintable(QString::number(sleepUs)));
}

void TestEngineQueues::targetSize_table_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("view");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("1080p in 1000") << 1920 << 1080 << 1000 << QSize(1280, 720);
    QTest::newRow("1080p in 2000 not scaled") << 1920 << 1080 << 2000 << QSize(1920, 1080);
    QTest::newRow("view 1280") << 1920 << 1080 << 1280 << QSize(1280, 720);
    QTest::newRow("view 1281") << 1920 << 1080 << 1281 << QSize(1440, 810);
    QTest::newRow("small view") << 1920 << 1080 << 500 << QSize(640, 360);
    QTest::newRow("square 2880 in 1300") << 2880 << 2880 << 1300 << QSize(1440, 810);
    QTest::newRow("4k in 3000") << 3840 << 2160 << 3000 << QSize(2560, 1440);
    QTest::newRow("never scaled up") << 320 << 180 << 160 << QSize(320, 180);
    QTest::newRow("source narrower than view") << 320 << 180 << 1000 << QSize(320, 180);
    QTest::newRow("unknown size") << 0 << 0 << 1000 << QSize(1280, 720);
}

void TestEngineQueues::targetSize_table()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, view);
    QFETCH(QSize, expected);
    QCOMPARE(VideoState::targetSizeFor(w, h, view), expected);
}

void TestEngineQueues::outputSize_viewModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("original") << 0 << QSize(1280, 720) << QSize(1920, 1080) << QSize(1280, 720);
    QTest::newRow("VR 2880") << 1 << QSize(1440, 810) << QSize(2880, 2880) << QSize(2880, 1620);
    QTest::newRow("panorama") << 2 << QSize(1440, 810) << QSize(2880, 2880) << QSize(1440, 810);
    QTest::newRow("stereo") << 3 << QSize(1440, 810) << QSize(2880, 2880) << QSize(1088, 810);
}

void TestEngineQueues::outputSize_viewModes()
{
    QFETCH(int, mode);
    QFETCH(QSize, target);
    QFETCH(QSize, source);
    QFETCH(QSize, expected);
    QCOMPARE(VideoState::outputSizeFor(
                     mode, target.width(), target.height(), source.width(), source.height()),
             expected);
}

void TestEngineQueues::relativeSeekTarget_clamps_data()
{
    QTest::addColumn<qint64>("delta");
    QTest::addColumn<double>("now");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("past the end") << qint64(5000000) << 58.0 << qint64(0) << qint64(60000000)
                                  << qint64(59900000);
    QTest::newRow("before the start")
            << qint64(-5000000) << 2.0 << qint64(0) << qint64(60000000) << qint64(0);
    QTest::newRow("inside") << qint64(5000000) << 10.0 << qint64(0) << qint64(60000000)
                            << qint64(15000000);
    QTest::newRow("past 35 min 47 s stays 64-bit") << qint64(1000000) << 3000.0 << qint64(0)
                                                   << qint64(4000000000LL) << qint64(3001000000LL);
    QTest::newRow("with a start time")
            << qint64(-9000000) << 12.0 << qint64(10000000) << qint64(60000000) << qint64(10000000);
}

void TestEngineQueues::relativeSeekTarget_clamps()
{
    QFETCH(qint64, delta);
    QFETCH(double, now);
    QFETCH(qint64, start);
    QFETCH(qint64, duration);
    QFETCH(qint64, expected);
    QCOMPARE(MediaContext::relativeSeekTarget(delta, now, start, duration), expected);
}

void TestEngineQueues::context_secondSeekWhilePending_isRefused()
{
    // A context without a reader keeps its request pending.
    LogCapture log;
    MediaContext context(nullptr);
    QCOMPARE(context.seekAbsolute(3000000000LL), 0);
    QVERIFY(context.isSeekRequested());
    QCOMPARE(context.seekAbsolute(7), -1);
    QCOMPARE(context.seekRelative(7), -1);
    QCOMPARE(context.seekPos(), int64_t(3000000000LL));
    QVERIFY(log.contains(QStringLiteral("MediaContext::seekAbsolute : still seeking")));
    // one frame back from 0 stays at 0 but still asks for a search
    QCOMPARE(context.seekRelativeByFrame(-1), 0);
    QCOMPARE(context.seeking_frame_pos.load(), int64_t(0));
    QVERIFY(context.is_seekingByFrame.load());
    QCOMPARE(context.seekRelativeByFrame(1), -1);
    // nothing to select or change without an open recording
    QCOMPARE(context.selectVideoStream(MediaInfo::AllChannels), -1);
    QCOMPARE(context.changeViewMode(0, 1), -1);
    QCOMPARE(context.abortStream(0), -1);
    QCOMPARE(context.close(), 0);
}

QTEST_GUILESS_MAIN(TestEngineQueues)
#include "tst_enginequeues.moc"
