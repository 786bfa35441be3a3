#include "media/avptr.h"
#include "tools/framecode/framecode.h"

#include <QtTest>

#include <random>

Q_DECLARE_METATYPE(FrameCode::Layout)

namespace {

// A picture in memory with its own line size.
struct Picture
{
    int width = 0;
    int height = 0;
    int lineSize = 0;
    FrameCode::Layout layout = FrameCode::Layout::Bgr24;
    QByteArray bytes;

    uint8_t *data() { return reinterpret_cast<uint8_t *>(bytes.data()); }
    const uint8_t *data() const { return reinterpret_cast<const uint8_t *>(bytes.constData()); }
};

Picture makePicture(int width, int height, FrameCode::Layout layout, int padding = 0)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.layout = layout;
    picture.lineSize = width * FrameCode::bytesPerPixel(layout) + padding;
    // Filled with a value the drawing must overwrite everywhere it draws.
    picture.bytes = QByteArray(picture.lineSize * height, char(0x5A));
    return picture;
}

Picture drawn(
        int width, int height, FrameCode::Layout layout, int frame, int channel, int padding = 0)
{
    Picture picture = makePicture(width, height, layout, padding);
    FrameCode::draw(picture.data(), width, height, picture.lineSize, layout, frame, channel);
    return picture;
}

AVPixelFormat pixelFormat(FrameCode::Layout layout)
{
    switch (layout) {
    case FrameCode::Layout::Bgr24:
        return AV_PIX_FMT_BGR24;
    case FrameCode::Layout::Rgb24:
        return AV_PIX_FMT_RGB24;
    case FrameCode::Layout::Rgba32:
        return AV_PIX_FMT_RGBA;
    case FrameCode::Layout::Bgra32:
        return AV_PIX_FMT_BGRA;
    case FrameCode::Layout::Gray8:
        return AV_PIX_FMT_GRAY8;
    case FrameCode::Layout::Yuv420p:
        break; // a luma plane alone is not a swscale format of its own
    }
    return AV_PIX_FMT_NONE;
}

// Scales / converts a packed picture with swscale.
Picture convert(const Picture &source,
                int width,
                int height,
                FrameCode::Layout layout,
                int flags,
                int padding = 0)
{
    Picture target = makePicture(width, height, layout, padding);
    av::SwsContextPtr scaler(sws_getContext(source.width,
                                            source.height,
                                            pixelFormat(source.layout),
                                            width,
                                            height,
                                            pixelFormat(layout),
                                            flags,
                                            nullptr,
                                            nullptr,
                                            nullptr));
    if (!scaler)
        return Picture();
    const uint8_t *sourcePlanes[4] = {source.data(), nullptr, nullptr, nullptr};
    const int sourceLines[4] = {source.lineSize, 0, 0, 0};
    uint8_t *targetPlanes[4] = {target.data(), nullptr, nullptr, nullptr};
    const int targetLines[4] = {target.lineSize, 0, 0, 0};
    sws_scale(scaler.get(), sourcePlanes, sourceLines, 0, source.height, targetPlanes, targetLines);
    return target;
}

QPair<int, int> readPicture(const Picture &picture)
{
    int frame = -1;
    int channel = -1;
    if (!FrameCode::read(picture.data(),
                         picture.width,
                         picture.height,
                         picture.lineSize,
                         picture.layout,
                         &frame,
                         &channel))
        return {-1, -1};
    return {frame, channel};
}

} // namespace

class TestFrameCode : public QObject
{
    Q_OBJECT

private slots:
    void words_roundTripAndRejectEveryFlippedBit();

    void read_returnsDrawnNumbers_data();
    void read_returnsDrawnNumbers();

    void read_survivesScaling_data();
    void read_survivesScaling();

    void read_survivesBrightness_data();
    void read_survivesBrightness();

    void read_survivesLayoutConversion_data();
    void read_survivesLayoutConversion();

    void yuv420p_readFromLumaAndAfterConversion_data();
    void yuv420p_readFromLumaAndAfterConversion();

    void read_findsNothing_data();
    void read_findsNothing();

    void read_rejectsDamagedCell();
    void arguments_outOfRange_areRefused();
    void content_movesAndDiffersPerChannel();
};

void TestFrameCode::words_roundTripAndRejectEveryFlippedBit()
{
    const int frames[] = {0, 1, 2, 255, 256, 65535, 123456, FrameCode::MaxFrameNumber};
    for (int frame : frames) {
        for (int channel = 0; channel <= FrameCode::MaxChannel; ++channel) {
            const uint32_t word = FrameCode::encodeWord(frame, channel);
            int f = -1;
            int c = -1;
            QVERIFY(FrameCode::decodeWord(word, &f, &c));
            QCOMPARE(f, frame);
            QCOMPARE(c, channel);
            for (int bit = 0; bit < 32; ++bit)
                QVERIFY2(!FrameCode::decodeWord(word ^ (1u << bit), nullptr, nullptr),
                         qPrintable(QStringLiteral("bit %1 of frame %2").arg(bit).arg(frame)));
        }
    }
    // Numbers beyond the field widths wrap instead of spilling into the other field.
    int f = -1;
    int c = -1;
    QVERIFY(FrameCode::decodeWord(
            FrameCode::encodeWord(FrameCode::MaxFrameNumber + 6, 17), &f, &c));
    QCOMPARE(f, 5);
    QCOMPARE(c, 1);
}

void TestFrameCode::read_returnsDrawnNumbers_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<FrameCode::Layout>("layout");
    QTest::addColumn<int>("padding");
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("channel");

    using L = FrameCode::Layout;
    QTest::newRow("bgr24 1920x1080") << 1920 << 1080 << L::Bgr24 << 0 << 0 << 1;
    QTest::newRow("rgb24 1280x720") << 1280 << 720 << L::Rgb24 << 0 << 1 << 2;
    QTest::newRow("rgba32 640x360") << 640 << 360 << L::Rgba32 << 0 << 4242 << 3;
    QTest::newRow("bgra32 320x180") << 320 << 180 << L::Bgra32 << 0 << 99999 << 4;
    QTest::newRow("gray8 160x90") << 160 << 90 << L::Gray8 << 0 << FrameCode::MaxFrameNumber << 15;
    QTest::newRow("square surround 1024") << 1024 << 1024 << L::Bgr24 << 0 << 77 << 1;
    QTest::newRow("portrait 360x640") << 360 << 640 << L::Rgba32 << 0 << 5 << 0;
    QTest::newRow("odd size 333x187") << 333 << 187 << L::Bgr24 << 0 << 31 << 2;
    QTest::newRow("smallest picture")
            << FrameCode::MinWidth << FrameCode::MinHeight << L::Rgb24 << 0 << 1000 << 3;
    QTest::newRow("yuv420p luma 640x360") << 640 << 360 << L::Yuv420p << 0 << 4321 << 2;
    QTest::newRow("yuv420p luma line size +32") << 320 << 180 << L::Yuv420p << 32 << 7 << 1;
    QTest::newRow("bgr24 line size +1") << 640 << 360 << L::Bgr24 << 1 << 12 << 1;
    QTest::newRow("rgba32 line size +7") << 641 << 361 << L::Rgba32 << 7 << 13 << 2;
    QTest::newRow("gray8 line size +64") << 320 << 180 << L::Gray8 << 64 << 14 << 3;
    QTest::newRow("bgra32 line size +3") << 1280 << 720 << L::Bgra32 << 3 << 65536 << 4;
}

void TestFrameCode::read_returnsDrawnNumbers()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(FrameCode::Layout, layout);
    QFETCH(int, padding);
    QFETCH(int, frame);
    QFETCH(int, channel);

    Picture picture = drawn(width, height, layout, frame, channel, padding);
    QCOMPARE(readPicture(picture), qMakePair(frame, channel));

    // Every pixel was drawn; the padding bytes past each row were left alone.
    const int rowBytes = width * FrameCode::bytesPerPixel(layout);
    for (int y = 0; y < height; ++y) {
        const char *row = picture.bytes.constData() + y * picture.lineSize;
        for (int x = rowBytes; x < picture.lineSize; ++x)
            QCOMPARE(row[x], char(0x5A));
    }
}

void TestFrameCode::read_survivesScaling_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("scaledWidth");
    QTest::addColumn<int>("flags");

    const struct
    {
        int width, height, scaled;
    } sizes[] = {{1920, 1080, 640},
                 {1280, 720, 640},
                 {640, 360, 320},
                 {1920, 1080, 320},
                 {1280, 720, 320},
                 {640, 360, 160},
                 {2880, 1440, 640},
                 {1024, 1024, 320}};
    const struct
    {
        const char *name;
        int flags;
    } scalers[] = {{"bilinear", SWS_BILINEAR},
                   {"bicubic", SWS_BICUBIC},
                   {"area", SWS_AREA},
                   {"fast bilinear", SWS_FAST_BILINEAR}};
    for (const auto &size : sizes) {
        for (const auto &scaler : scalers) {
            QTest::addRow("%dx%d to %d %s", size.width, size.height, size.scaled, scaler.name)
                    << size.width << size.height << size.scaled << scaler.flags;
        }
    }
}

void TestFrameCode::read_survivesScaling()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, scaledWidth);
    QFETCH(int, flags);

    const Picture source = drawn(width, height, FrameCode::Layout::Bgr24, 314159, 3);
    const int scaledHeight = (height * scaledWidth / width) & ~1;
    const Picture scaled
            = convert(source, scaledWidth, scaledHeight, FrameCode::Layout::Bgr24, flags, 1);
    QVERIFY(!scaled.bytes.isEmpty());
    QCOMPARE(readPicture(scaled), qMakePair(314159, 3));
}

void TestFrameCode::read_survivesBrightness_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("scaledWidth");
    for (double factor : {0.5, 0.75, 1.25, 1.5}) {
        QTest::addRow("x%.2f full size", factor) << factor << 0;
        QTest::addRow("x%.2f scaled to 320", factor) << factor << 320;
    }
}

void TestFrameCode::read_survivesBrightness()
{
    QFETCH(double, factor);
    QFETCH(int, scaledWidth);

    Picture picture = drawn(1280, 720, FrameCode::Layout::Bgr24, 8675, 2);
    if (scaledWidth > 0)
        picture = convert(picture, scaledWidth, 180, FrameCode::Layout::Bgr24, SWS_BILINEAR);
    for (char &byte : picture.bytes) {
        const int value = static_cast<int>(static_cast<uint8_t>(byte) * factor);
        byte = static_cast<char>(std::min(255, value));
    }
    QCOMPARE(readPicture(picture), qMakePair(8675, 2));
}

void TestFrameCode::read_survivesLayoutConversion_data()
{
    QTest::addColumn<FrameCode::Layout>("from");
    QTest::addColumn<FrameCode::Layout>("to");
    using L = FrameCode::Layout;
    const QVector<QPair<const char *, L>> layouts = {{"bgr24", L::Bgr24},
                                                     {"rgb24", L::Rgb24},
                                                     {"rgba32", L::Rgba32},
                                                     {"bgra32", L::Bgra32},
                                                     {"gray8", L::Gray8}};
    for (const auto &from : layouts) {
        for (const auto &to : layouts) {
            if (from.second != to.second)
                QTest::addRow("%s to %s", from.first, to.first) << from.second << to.second;
        }
    }
}

void TestFrameCode::read_survivesLayoutConversion()
{
    QFETCH(FrameCode::Layout, from);
    QFETCH(FrameCode::Layout, to);

    const Picture source = drawn(640, 360, from, 2024, 1);
    const Picture converted = convert(source, 640, 360, to, SWS_BILINEAR, 3);
    QVERIFY(!converted.bytes.isEmpty());
    QCOMPARE(readPicture(converted), qMakePair(2024, 1));
}

void TestFrameCode::yuv420p_readFromLumaAndAfterConversion_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("scaledWidth");
    QTest::newRow("1920x1080") << 1920 << 1080 << 0;
    QTest::newRow("320x180") << 320 << 180 << 0;
    QTest::newRow("161x91 odd") << 161 << 91 << 0;
    QTest::newRow("1280x720 to 640") << 1280 << 720 << 640;
    QTest::newRow("640x360 to 320") << 640 << 360 << 320;
}

void TestFrameCode::yuv420p_readFromLumaAndAfterConversion()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, scaledWidth);

    av::FramePtr frame = av::makeFrame();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = width;
    frame->height = height;
    QVERIFY(av_frame_get_buffer(frame.get(), 0) >= 0);
    FrameCode::drawYuv420p(frame->data[0],
                           frame->linesize[0],
                           frame->data[1],
                           frame->linesize[1],
                           frame->data[2],
                           frame->linesize[2],
                           width,
                           height,
                           777,
                           4);

    int number = -1;
    int channel = -1;
    QVERIFY(FrameCode::read(frame->data[0],
                            width,
                            height,
                            frame->linesize[0],
                            FrameCode::Layout::Gray8,
                            &number,
                            &channel));
    QCOMPARE(qMakePair(number, channel), qMakePair(777, 4));
    QVERIFY(FrameCode::read(frame->data[0],
                            width,
                            height,
                            frame->linesize[0],
                            FrameCode::Layout::Yuv420p,
                            &number,
                            &channel));
    QCOMPARE(qMakePair(number, channel), qMakePair(777, 4));

    // draw() on the luma plane alone paints the same luma as the planar drawing.
    Picture luma = makePicture(width, height, FrameCode::Layout::Yuv420p, 3);
    FrameCode::draw(luma.data(), width, height, luma.lineSize, FrameCode::Layout::Yuv420p, 777, 4);
    for (int y = 0; y < height; ++y) {
        QCOMPARE(QByteArray(luma.bytes.constData() + y * luma.lineSize, width),
                 QByteArray(reinterpret_cast<const char *>(frame->data[0]) + y * frame->linesize[0],
                            width));
    }

    // To BGR24 (the display path), optionally scaled.
    const int targetWidth = scaledWidth > 0 ? scaledWidth : width;
    const int targetHeight = scaledWidth > 0 ? (height * scaledWidth / width) & ~1 : height;
    Picture target = makePicture(targetWidth, targetHeight, FrameCode::Layout::Bgr24, 5);
    av::SwsContextPtr scaler(sws_getContext(width,
                                            height,
                                            AV_PIX_FMT_YUV420P,
                                            targetWidth,
                                            targetHeight,
                                            AV_PIX_FMT_BGR24,
                                            SWS_BILINEAR,
                                            nullptr,
                                            nullptr,
                                            nullptr));
    QVERIFY(scaler);
    uint8_t *planes[4] = {target.data(), nullptr, nullptr, nullptr};
    const int lines[4] = {target.lineSize, 0, 0, 0};
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, height, planes, lines);
    QCOMPARE(readPicture(target), qMakePair(777, 4));
}

void TestFrameCode::read_findsNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("black") << "black";
    QTest::newRow("white") << "white";
    QTest::newRow("mid grey") << "grey";
    QTest::newRow("noise") << "noise";
    QTest::newRow("horizontal gradient") << "gradient";
    QTest::newRow("pattern too dark") << "dark";
    QTest::newRow("pattern mirrored") << "mirrored";
}

void TestFrameCode::read_findsNothing()
{
    QFETCH(QString, kind);
    Picture picture = makePicture(640, 360, FrameCode::Layout::Bgr24);
    if (kind == QLatin1String("black")) {
        picture.bytes.fill('\0');
    } else if (kind == QLatin1String("white")) {
        picture.bytes.fill(char(255));
    } else if (kind == QLatin1String("grey")) {
        picture.bytes.fill(char(128));
    } else if (kind == QLatin1String("noise")) {
        std::mt19937 random(12345);
        for (char &byte : picture.bytes)
            byte = static_cast<char>(random() & 0xFF);
    } else if (kind == QLatin1String("gradient")) {
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.lineSize; ++x)
                picture.bytes[y * picture.lineSize + x]
                        = static_cast<char>(x * 255 / picture.lineSize);
        }
    } else if (kind == QLatin1String("dark")) {
        // Contrast of the whole band shrunk to a few levels: no cell can be told apart.
        picture = drawn(640, 360, FrameCode::Layout::Bgr24, 1, 1);
        for (char &byte : picture.bytes)
            byte = static_cast<char>(static_cast<uint8_t>(byte) / 16);
    } else if (kind == QLatin1String("mirrored")) {
        const Picture source = drawn(640, 360, FrameCode::Layout::Bgr24, 1, 1);
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                for (int c = 0; c < 3; ++c)
                    picture.bytes[y * picture.lineSize + x * 3 + c]
                            = source.bytes[y * source.lineSize + (picture.width - 1 - x) * 3 + c];
            }
        }
    }
    int frame = -7;
    int channel = -7;
    QVERIFY(!FrameCode::read(picture.data(),
                             picture.width,
                             picture.height,
                             picture.lineSize,
                             picture.layout,
                             &frame,
                             &channel));
    QCOMPARE(frame, -7); // untouched on failure
    QCOMPARE(channel, -7);
}

void TestFrameCode::read_rejectsDamagedCell()
{
    // Invert the middle of one data cell at a time: the check must refuse every one of them.
    const Picture original = drawn(360, 240, FrameCode::Layout::Gray8, 54321, 2);
    for (int row = 0; row < 2; ++row) {
        for (int column = 2; column < FrameCode::Columns; ++column) {
            Picture picture = original;
            const int x0 = column * 360 / FrameCode::Columns;
            const int x1 = (column + 1) * 360 / FrameCode::Columns;
            const int y0 = row * 240 / FrameCode::RowDivisor;
            const int y1 = (row + 1) * 240 / FrameCode::RowDivisor;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x)
                    picture.data()[y * picture.lineSize + x] ^= 0xFF;
            }
            QVERIFY2(readPicture(picture) == qMakePair(-1, -1),
                     qPrintable(QStringLiteral("cell %1/%2").arg(row).arg(column)));
        }
    }
}

void TestFrameCode::arguments_outOfRange_areRefused()
{
    Picture picture = makePicture(320, 180, FrameCode::Layout::Bgr24);
    const QByteArray before = picture.bytes;
    // A line size shorter than a row, a null picture and a picture too small for the cells.
    FrameCode::draw(picture.data(), 320, 180, 320 * 3 - 1, FrameCode::Layout::Bgr24, 1, 1);
    FrameCode::draw(nullptr, 320, 180, 320 * 3, FrameCode::Layout::Bgr24, 1, 1);
    FrameCode::draw(
            picture.data(), FrameCode::MinWidth - 1, 180, 320 * 3, FrameCode::Layout::Bgr24, 1, 1);
    FrameCode::draw(
            picture.data(), 320, FrameCode::MinHeight - 1, 320 * 3, FrameCode::Layout::Bgr24, 1, 1);
    FrameCode::draw(picture.data(), -320, 180, 320 * 3, FrameCode::Layout::Bgr24, 1, 1);
    QCOMPARE(picture.bytes, before);

    picture = drawn(320, 180, FrameCode::Layout::Bgr24, 9, 1);
    int frame = -1;
    int channel = -1;
    QVERIFY(!FrameCode::read(
            picture.data(), 320, 180, 320 * 3 - 1, FrameCode::Layout::Bgr24, &frame, &channel));
    QVERIFY(!FrameCode::read(
            nullptr, 320, 180, 320 * 3, FrameCode::Layout::Bgr24, &frame, &channel));
    QVERIFY(!FrameCode::read(
            picture.data(), 320, 0, 320 * 3, FrameCode::Layout::Bgr24, &frame, &channel));
    // Null outputs are allowed.
    QVERIFY(FrameCode::read(
            picture.data(), 320, 180, 320 * 3, FrameCode::Layout::Bgr24, nullptr, nullptr));
}

void TestFrameCode::content_movesAndDiffersPerChannel()
{
    const int band = 2 * 180 / FrameCode::RowDivisor;
    auto below = [&](const Picture &picture) {
        return picture.bytes.mid(band * picture.lineSize);
    };
    const Picture a = drawn(320, 180, FrameCode::Layout::Rgb24, 10, 1);
    const Picture again = drawn(320, 180, FrameCode::Layout::Rgb24, 10, 1);
    const Picture next = drawn(320, 180, FrameCode::Layout::Rgb24, 11, 1);
    const Picture otherChannel = drawn(320, 180, FrameCode::Layout::Rgb24, 10, 2);
    QCOMPARE(a.bytes, again.bytes); // deterministic
    QVERIFY(below(a) != below(next));
    QVERIFY(below(a) != below(otherChannel));

    Picture seeded = makePicture(320, 180, FrameCode::Layout::Rgb24);
    FrameCode::draw(seeded.data(), 320, 180, seeded.lineSize, FrameCode::Layout::Rgb24, 10, 1, 5);
    QVERIFY(below(a) != below(seeded));
    QCOMPARE(readPicture(seeded), qMakePair(10, 1));
}

QTEST_APPLESS_MAIN(TestFrameCode)
#include "tst_framecode.moc"
