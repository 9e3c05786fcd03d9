// Writes the alarm's default sound, "beep.wav": a soft two-note chime (a
// fifth falling to the root) followed by a pause, so that played in a loop it
// rings out every second and a half rather than droning. 22,050 Hz, 16-bit
// mono PCM. Built and run on the build machine:
//
//   make_beep OUT.wav
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int kRate = 22050;
const double kPi = 3.14159265358979323846;

// A struck bell-like note: the fundamental with a little of the octave and
// the twelfth, a short attack and an exponential decay.
void AddNote(std::vector<double>& samples, double startSeconds, double frequency,
             double lengthSeconds, double loudness) {
    const size_t start = static_cast<size_t>(startSeconds * kRate);
    const size_t length = static_cast<size_t>(lengthSeconds * kRate);
    if (samples.size() < start + length) samples.resize(start + length, 0.0);
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        const double envelope = attack * std::exp(-t * 5.5);
        const double tone = std::sin(2 * kPi * frequency * t) +
                            0.35 * std::sin(2 * kPi * 2 * frequency * t) * std::exp(-t * 9.0) +
                            0.12 * std::sin(2 * kPi * 3 * frequency * t) * std::exp(-t * 14.0);
        samples[start + i] += loudness * envelope * tone;
    }
}

void PutLittleEndian(std::FILE* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_beep OUT.wav\n");
        return 2;
    }
    std::vector<double> samples;
    AddNote(samples, 0.00, 1318.51, 0.9, 0.30);  // E6
    AddNote(samples, 0.18, 879.00, 1.1, 0.30);   // A5
    samples.resize(static_cast<size_t>(1.5 * kRate), 0.0);
    // Fade the tail out so the loop joins without a click.
    const size_t fade = kRate / 20;
    for (size_t i = 0; i < fade; ++i) samples[samples.size() - 1 - i] *= static_cast<double>(i) / fade;

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::fputs("RIFF", out);
    PutLittleEndian(out, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", out);
    PutLittleEndian(out, 16, 4);         // format chunk size
    PutLittleEndian(out, 1, 2);          // PCM
    PutLittleEndian(out, 1, 2);          // mono
    PutLittleEndian(out, kRate, 4);      // samples per second
    PutLittleEndian(out, kRate * 2, 4);  // bytes per second
    PutLittleEndian(out, 2, 2);          // bytes per sample frame
    PutLittleEndian(out, 16, 2);         // bits per sample
    std::fputs("data", out);
    PutLittleEndian(out, dataBytes, 4);
    for (double sample : samples) {
        const double clipped = std::max(-1.0, std::min(1.0, sample));
        const auto value = static_cast<int16_t>(std::lround(clipped * 32767.0));
        PutLittleEndian(out, static_cast<uint16_t>(value), 2);
    }
    const bool written = std::fflush(out) == 0 && !std::ferror(out);
    return std::fclose(out) == 0 && written ? 0 : 1;
}
