// Writes the generated part of the demo installation: sample WAVs and pictures.
//   make_demo <demo root>
// Everything is computed (tones, noise from a fixed seed, gradients), so two runs
// give the same bytes. WAV and BMP files are laid out by hand, little-endian.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
constexpr double Pi = 3.14159265358979323846;

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutTag(Bytes& b, const char (&tag)[5]) { b.insert(b.end(), tag, tag + 4); }

std::string Display(const fs::path& path)
{
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

bool Save(const fs::path& file, const Bytes& bytes)
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) {
        std::fprintf(stderr, "make_demo: cannot write %s\n", Display(file).c_str());
        return false;
    }
    return true;
}

// ---- WAV -----------------------------------------------------------------

struct Format {
    int rate;
    int bits;     // 8 (unsigned) or 16 (signed)
    int channels;
};

// signal(t, channel) in [-1, 1]; t in seconds.
using Signal = std::function<double(double, int)>;

Bytes Wav(Format f, double seconds, const Signal& signal)
{
    const auto frames = static_cast<std::uint32_t>(std::lround(seconds * f.rate));
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(f.channels * f.bits / 8);
    const std::uint32_t dataSize = frames * blockAlign;
    const std::uint32_t pad = dataSize & 1;  // RIFF chunks are padded to an even size

    Bytes b;
    PutTag(b, "RIFF");
    Put32(b, 4 + (8 + 16) + (8 + dataSize + pad));
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, static_cast<std::uint32_t>(f.channels));
    Put32(b, static_cast<std::uint32_t>(f.rate));
    Put32(b, static_cast<std::uint32_t>(f.rate) * blockAlign);
    Put16(b, blockAlign);
    Put16(b, static_cast<std::uint32_t>(f.bits));
    PutTag(b, "data");
    Put32(b, dataSize);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / f.rate;
        for (int c = 0; c < f.channels; ++c) {
            const double v = std::clamp(signal(t, c), -1.0, 1.0);
            if (f.bits == 8)
                b.push_back(static_cast<unsigned char>(std::lround(128.0 + v * 127.0)));
            else
                Put16(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0))));
        }
    }
    if (pad)
        b.push_back(0);
    return b;
}

// Short fade in and out, so the tones do not click.
double Fade(double t, double seconds, double edge = 0.01)
{
    return std::min({1.0, t / edge, (seconds - t) / edge});
}

// Deterministic noise in [-1, 1] (a small linear congruential generator).
struct Noise {
    std::uint32_t state;
    double operator()()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388607.5 - 1.0;
    }
};

Signal Tone(double hz, double seconds, double level)
{
    return [=](double t, int) { return level * Fade(t, seconds) * std::sin(2 * Pi * hz * t); };
}

// A rumble: noise through a one-pole low-pass, with a slow decay.
Signal Rumble(double seconds, std::uint32_t seed, double level)
{
    auto noise = std::make_shared<Noise>(Noise{seed});
    auto low = std::make_shared<double>(0.0);
    return [=](double t, int) {
        *low += 0.08 * ((*noise)() - *low);
        return level * 2.5 * *low * std::exp(-3.0 * t / seconds) * Fade(t, seconds, 0.005);
    };
}

// A creak: a rising sweep, each channel with its own phase and roughness.
Signal Creak(double from, double to, double seconds, double level)
{
    return [=](double t, int channel) {
        const double phase = 2 * Pi * (from * t + (to - from) * t * t / (2 * seconds));
        const double rough = 0.6 + 0.4 * std::sin(2 * Pi * 31.0 * t + channel);
        return level * rough * Fade(t, seconds) * std::sin(phase + channel * 0.7);
    };
}

// Footsteps: bursts of noise, one every `step` seconds.
Signal Steps(double step, double seconds, std::uint32_t seed, double level)
{
    auto noise = std::make_shared<Noise>(Noise{seed});
    return [=](double t, int) {
        const double since = std::fmod(t, step);
        return level * (*noise)() * std::exp(-since * 60.0) * Fade(t, seconds);
    };
}

// A drop of water: a falling chirp with a quick decay.
Signal Drop(double seconds, double level)
{
    return [=](double t, int) {
        const double hz = 1400.0 * std::exp(-t * 6.0) + 300.0;
        return level * std::exp(-t * 12.0) * Fade(t, seconds, 0.002) * std::sin(2 * Pi * hz * t);
    };
}

struct Sample {
    const char* path;
    Format format;
    double seconds;
    Signal signal;
};

// ---- BMP -----------------------------------------------------------------

struct Rgb {
    unsigned char r, g, b;
};

void PutBmpHeaders(Bytes& b, int width, int height, int bits, std::uint32_t paletteBytes,
                   std::uint32_t imageBytes, bool topDown)
{
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + imageBytes);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);  // BITMAPINFOHEADER
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(topDown ? -height : height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, 0);  // BI_RGB
    Put32(b, imageBytes);
    Put32(b, 2835);  // 72 dpi
    Put32(b, 2835);
    Put32(b, bits == 8 ? 256 : 0);
    Put32(b, 0);
}

// 24-bit picture; pixel(x, y) with y = 0 the top row.
Bytes Bmp24(int width, int height, bool topDown, const std::function<Rgb(int, int)>& pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    Bytes b;
    PutBmpHeaders(b, width, height, 24, 0, static_cast<std::uint32_t>(stride * height), topDown);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const std::size_t start = b.size();
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            b.insert(b.end(), {c.b, c.g, c.r});
        }
        b.resize(start + static_cast<std::size_t>(stride), 0);
    }
    return b;
}

// 8-bit paletted picture (bottom-up); index(x, y) with y = 0 the top row.
Bytes Bmp8(int width, int height, const std::vector<Rgb>& palette,
           const std::function<unsigned char(int, int)>& index)
{
    const int stride = (width + 3) & ~3;
    Bytes b;
    PutBmpHeaders(b, width, height, 8, 256 * 4, static_cast<std::uint32_t>(stride * height), false);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = palette.at(static_cast<std::size_t>(i));
        b.insert(b.end(), {c.b, c.g, c.r, 0});
    }
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        const std::size_t start = b.size();
        for (int x = 0; x < width; ++x)
            b.push_back(index(x, y));
        b.resize(start + static_cast<std::size_t>(stride), 0);
    }
    return b;
}

unsigned char Byte(double v) { return static_cast<unsigned char>(std::clamp(std::lround(v), 0L, 255L)); }

// Title logo: warm diagonal gradient with a dark frame and a bright band;
// its top-left pixel is exactly (200, 100, 50).
Rgb Logo(int x, int y)
{
    if (x == 0 && y == 0)
        return {200, 100, 50};
    if (x < 8 || y < 8 || x >= 504 || y >= 248)
        return {40, 20, 10};
    if (y >= 112 && y < 144 && (x / 32) % 2 == 0)
        return {250, 230, 120};
    return {Byte(120 + x * 0.25), Byte(60 + y * 0.5), Byte(30 + (x + y) * 0.1)};
}

// Sky: blue at the top fading to pale at the horizon, with soft cloud bands.
Rgb Sky(int x, int y)
{
    const double cloud = 0.5 + 0.5 * std::sin(x * 2 * Pi / 64.0) * std::sin(y * 2 * Pi / 48.0 + x / 40.0);
    const double fade = y / 255.0;
    const double white = std::max(0.0, cloud - 0.6) * 2.0;
    return {Byte(20 + 150 * fade + 80 * white), Byte(40 + 150 * fade + 70 * white), Byte(160 + 80 * fade + 15 * white)};
}

std::vector<Rgb> ScreenPalette()
{
    std::vector<Rgb> palette(256);
    for (int i = 0; i < 256; ++i)  // a ramp from deep green through gold to white
        palette[static_cast<std::size_t>(i)] = {Byte(i < 128 ? i : 255), Byte(64 + i * 0.75), Byte(i < 192 ? i / 4.0 : (i - 192) * 4.0)};
    return palette;
}

// Loading screen: diagonal bands with a checkered box in the middle.
unsigned char Screen(int x, int y)
{
    if (x >= 120 && x < 200 && y >= 60 && y < 140)
        return ((x / 10 + y / 10) % 2) ? 250 : 10;
    return static_cast<unsigned char>((x + y) * 255 / (320 + 200 - 2));
}

int Generate(const fs::path& root)
{
    std::error_code ec;
    fs::create_directories(root / "graphics/wads", ec);  // where the editor keeps its WADs
    if (ec) {
        std::fprintf(stderr, "make_demo: cannot create the folders under %s\n", Display(root).c_str());
        return 1;
    }

    const Format mono8_11k{11025, 8, 1}, mono8_22k{22050, 8, 1}, mono16_11k{11025, 16, 1},
        mono16_22k{22050, 16, 1}, stereo16_44k{44100, 16, 2};
    const Sample samples[] = {
        {"Sound/Samples/bip_aigu.wav", mono8_11k, 0.2, Tone(1760, 0.2, 0.8)},
        {"Sound/Samples/tonnerre.wav", mono16_22k, 0.5, Rumble(0.5, 7, 0.9)},
        {"Sound/Samples/porte_grince.wav", stereo16_44k, 0.4, Creak(300, 900, 0.4, 0.7)},
        {"Sound/Samples/pas_sable.wav", mono8_22k, 0.3, Steps(0.15, 0.3, 11, 0.6)},
        {"Sound/Samples/goutte_eau.wav", mono16_11k, 0.25, Drop(0.25, 0.8)},
        {"Sound/Samples/levier.wav", mono8_11k, 0.3, Creak(120, 80, 0.3, 0.9)},
        {"Sound/Remplacements/bip_grave.wav", mono16_22k, 0.3, Tone(440, 0.3, 0.8)},
        {"Sound/Remplacements/porte_lourde.wav", stereo16_44k, 0.5, Creak(150, 260, 0.5, 0.8)},
        {"Sound/Remplacements/tonnerre_lointain.wav", mono8_11k, 0.45, Rumble(0.45, 23, 0.5)},
    };
    bool ok = true;
    for (const Sample& s : samples)
        ok = Save(root / s.path, Wav(s.format, s.seconds, s.signal)) && ok;

    ok = Save(root / "Pictures/logo_512x256.bmp", Bmp24(512, 256, false, Logo)) && ok;
    ok = Save(root / "Pictures/ciel_256x256.bmp", Bmp24(256, 256, false, Sky)) && ok;
    ok = Save(root / "Pictures/ecran_320x200.bmp", Bmp8(320, 200, ScreenPalette(), Screen)) && ok;
    // Odd width (rows padded to 4 bytes) and stored top-down: both are easy to get wrong.
    ok = Save(root / "Pictures/vignette_99x33.bmp", Bmp24(99, 33, true, [](int x, int y) {
                  return Rgb{Byte(x * 2.5), Byte(y * 7.5), 90};
              })) && ok;
    return ok ? 0 : 1;
}

} // namespace

// Wide arguments on Windows, so a build folder with non-ASCII letters works too.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo <demo root>\n");
        return 2;
    }
    return Generate(fs::path(argv[1]));
}
