// Writes the small seed corpus of every fuzz target into the folder given on the command line:
// <folder>/<target>/seed-N. Binary seeds (length prefixes, binary G-sensor records, atom
// headers) cannot live in the repository as text, so the build makes them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

const std::string Sentence = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A";
const std::string Text
        = "$" + Sentence + "\r\n$M31,0,255,1,0,128,0,0,0,0,0,0,0,0$M1,2,3,0,1,0,0,0,0,0,0,0,0,0$";

std::string bigEndian(uint64_t value, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += char((value >> (8 * i)) & 0xFF);
    return out;
}

std::string atom(const std::string &type, const std::string &payload)
{
    return bigEndian(payload.size() + 8, 4) + type + payload;
}

std::string atom64(const std::string &type, const std::string &payload)
{
    return bigEndian(1, 4) + type + bigEndian(payload.size() + 16, 8) + payload;
}

std::string binaryRecord()
{
    std::string record = "$M";
    const unsigned char body[14] = {0x1F, 0x00, 0xFF, 0x01, 0x00, 0x80};
    record.append(reinterpret_cast<const char *>(body), sizeof body);
    return record;
}

std::string littleEndian(uint32_t value)
{
    std::string out;
    for (int i = 0; i < 4; ++i)
        out += char((value >> (8 * i)) & 0xFF);
    return out;
}

// A GPMF item; a nested one (type 0) gets its repeat from the data's size.
std::string klv(const std::string &key, char type, int size, int repeat, const std::string &data)
{
    if (type == 0)
        repeat = int(data.size());
    std::string item = key + type + char(size) + bigEndian(uint64_t(repeat), 2) + data;
    while (item.size() % 4)
        item += '\0';
    return item;
}

bool write(const std::filesystem::path &folder, const std::vector<std::string> &seeds)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return false;
    for (size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream out(folder / ("seed-" + std::to_string(i)), std::ios::binary);
        out << seeds[i];
        if (!out)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzzseeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    const std::string prefixed = bigEndian(Text.size(), 2) + Text;
    const std::string block = "$" + Sentence + "\r\n" + binaryRecord() + binaryRecord();
    const std::string moovTail
            = atom("moov", atom("mvhd", "x") + atom("udta", atom("tlmd", block)));
    bool ok = true;
    // First byte: bit 0 set means "with length prefix".
    ok &= write(root / "fuzz_sampleparser",
                {"1" + prefixed,
                 "0" + Text,
                 "1" + prefixed + std::string("\0\0\0\x0cstyl", 8),
                 "0$M1,2"});
    ok &= write(root / "fuzz_blockparser", {block, binaryRecord(), "$" + Sentence + "\r\n"});
    ok &= write(root / "fuzz_gpssentence",
                {Sentence,
                 "GNRMC,003956.00,A,4552.65403,S,17030.00668,E,0.025,,120419,,,A,V*07",
                 "31,0,255,1,0,128,0,0,0,0,0,0",
                 binaryRecord().substr(2)});
    ok &= write(root / "fuzz_atomreader",
                {atom("ftyp", "isom") + atom("mdat", "data") + moovTail,
                 atom64("moov", atom64("udta", atom64("tlmd", block))),
                 atom("ftyp", "isom") + bigEndian(0, 4) + "moov" + atom("udta", atom("tlmd", "x")),
                 std::string("RIFF\x10\0\0\0AVI ", 12)});
    ok &= write(root / "fuzz_concatlist",
                {"ffconcat version 1.0\nfile '/card/DRIVING/20190314_153012D.mp4'\nduration "
                 "60.000000\nfile '/card/It'\\''s here.mp4'\nduration 59.98\n",
                 "ffconcat version 1.0\nfile a\\ b.mp4\nduration 1\n",
                 "ffconcat version 1.0\n# a comment\nfile 'x'\n"});
    const std::string rmc = "$" + Sentence + "*6A";
    ok &= write(root / "fuzz_nmeatext",
                {"1000 " + rmc + "\r\n2000 " + rmc + "\r\n",
                 "[0]" + rmc + "\n" + rmc
                         + "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,"
                           "46.9,M,,*47",
                 "$GNGGA,235959.50,4807.038,S,01131.000,W,0,00,,,M,,M,,\r"});
    ok &= write(root / "fuzz_gpx",
                {"<gpx version=\"1.1\"><trk><trkseg><trkpt lat=\"48.1\" lon=\"11.5\"><time>"
                 "2024-03-14T15:30:12Z</time><extensions><speed>3</speed></extensions></trkpt>"
                 "<trkpt lat=\"48.2\" lon=\"11.5\"><time>2024-03-14T15:30:13</time><fix>none"
                 "</fix></trkpt></trkseg></trk></gpx>",
                 "<gpx><rte><rtept lat=\"-33.8\" lon=\"151.2\"/></rte></gpx>"});
    std::string record;
    for (uint32_t v : {12u, 35u, 19u, 24u, 3u, 14u})
        record += littleEndian(v);
    record += std::string("ANE\0", 4) + littleEndian(0x45963a1b) + littleEndian(0x448d6000)
            + littleEndian(0x41b33333) + littleEndian(0x42a8cccd);
    const std::string early = "freeGPS " + littleEndian(76) + record;
    const std::string late = "freeGPS " + littleEndian(76) + std::string(32, '\0') + record;
    ok &= write(root / "fuzz_freegps",
                {bigEndian(early.size() + 4, 4) + early,
                 bigEndian(late.size() + 4, 4) + late,
                 bigEndian(0x101, 4) + bigEndian(0, 4) + bigEndian(4096, 4) + bigEndian(92, 4)});
    const std::string gps5 = klv("GPSF", 'L', 4, 1, bigEndian(3, 4))
            + klv("SCAL",
                  'l',
                  4,
                  5,
                  bigEndian(10000000, 4) + bigEndian(10000000, 4) + bigEndian(1000, 4)
                          + bigEndian(1000, 4) + bigEndian(100, 4))
            + klv("GPS5",
                  'l',
                  20,
                  1,
                  bigEndian(481173000, 4) + bigEndian(115166667, 4) + bigEndian(5000, 4)
                          + bigEndian(10000, 4) + bigEndian(1000, 4));
    const std::string accl = klv("SCAL", 's', 2, 1, bigEndian(418, 2))
            + klv("ACCL",
                  's',
                  6,
                  2,
                  bigEndian(4099, 2) + bigEndian(65126, 2) + bigEndian(0, 2) + bigEndian(1, 2)
                          + bigEndian(2, 2) + bigEndian(3, 2));
    const std::string gps9 = klv("TYPE", 'c', 1, 9, "lllllllSS")
            + klv("GPS9", '?', 32, 1, std::string(28, '\1') + bigEndian(1, 2) + bigEndian(3, 2));
    ok &= write(root / "fuzz_gpmf",
                {klv("DEVC", 0, 1, 0, klv("STRM", 0, 1, 0, gps5) + klv("STRM", 0, 1, 0, accl)),
                 klv("DEVC", 0, 1, 0, klv("STRM", 0, 1, 0, gps9))});
    ok &= write(root / "fuzz_textcue",
                {bigEndian(44, 2) + "[latitude: 22.5431] [longitude: 113.9512] 40",
                 "N22.5431 E113.9512 62 km/h",
                 "33.875°S, 151.2083°W 10 mph",
                 "GPS(113.9512,22.5431,17) 5 m/s"});
    const std::string digest(64, 'a');
    ok &= write(root / "fuzz_sha256sums",
                {digest + "  20240314_153024D_clip.mp4\n" + digest + "  MANIFEST.json\n",
                 digest + " *report.pdf\n",
                 digest + "  ../etc/passwd\n"});
    for (const char *target : {"fuzz_nmeatext",
                               "fuzz_gpx",
                               "fuzz_freegps",
                               "fuzz_gpmf",
                               "fuzz_textcue",
                               "fuzz_sampleparser",
                               "fuzz_blockparser",
                               "fuzz_gpssentence",
                               "fuzz_atomreader",
                               "fuzz_concatlist",
                               "fuzz_sha256sums"}) {
        // libFuzzer writes what it finds into the first folder it is given; the seeds stay as
        // they are.
        std::error_code error;
        std::filesystem::create_directories(root / "found" / target, error);
        ok &= !error;
    }
    if (!ok) {
        std::cerr << "fuzzseeds: cannot write into " << root << "\n";
        return 1;
    }
    return 0;
}
