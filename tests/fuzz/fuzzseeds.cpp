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
    for (const char *target : {"fuzz_sampleparser",
                               "fuzz_blockparser",
                               "fuzz_gpssentence",
                               "fuzz_atomreader",
                               "fuzz_concatlist"}) {
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
