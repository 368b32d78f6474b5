#include "ui/artwork/chime_sound.h"

#include <QtEndian>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace kestrin::artwork {

namespace {

struct Bell {
    double startSeconds;
    double frequency;
};

// E5 then A5: a rising fourth, the usual "you've got something" interval.
constexpr Bell kBells[] = {{0.0, 659.25}, {0.17, 880.0}};
constexpr double kLengthSeconds = 0.8;
constexpr double kDecaySeconds = 0.16;
constexpr double kAttackSeconds = 0.004;
constexpr double kFadeOutSeconds = 0.04;
constexpr double kPeak = 0.7;

// One struck bell: the fundamental with two quieter partials, each dying away
// exponentially (the higher the partial, the faster).
double bellAt(const Bell& bell, double t)
{
    const double local = t - bell.startSeconds;
    if (local < 0.0) {
        return 0.0;
    }
    const double attack = std::min(1.0, local / kAttackSeconds);
    const double phase = 2.0 * M_PI * bell.frequency * local;
    const double tone = std::sin(phase) * std::exp(-local / kDecaySeconds) +
                        0.35 * std::sin(2.0 * phase) * std::exp(-local / (kDecaySeconds * 0.6)) +
                        0.12 * std::sin(3.0 * phase) * std::exp(-local / (kDecaySeconds * 0.4));
    return attack * tone;
}

void appendU16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QList<qint16> chimeSamples()
{
    const int count = static_cast<int>(kLengthSeconds * kChimeSampleRate);
    QList<double> mix(count, 0.0);
    double loudest = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kChimeSampleRate;
        for (const Bell& bell : kBells) {
            mix[i] += bellAt(bell, t);
        }
        // The tail fades to exact silence so the file ends without a click.
        const double remaining = kLengthSeconds - t;
        if (remaining < kFadeOutSeconds) {
            mix[i] *= remaining / kFadeOutSeconds;
        }
        loudest = std::max(loudest, std::abs(mix[i]));
    }
    QList<qint16> samples;
    samples.reserve(count);
    const double gain = loudest > 0.0 ? kPeak * 32767.0 / loudest : 0.0;
    for (double value : mix) {
        samples.append(static_cast<qint16>(std::lround(value * gain)));
    }
    return samples;
}

QByteArray encodeWav(const QList<qint16>& samples, int sampleRate)
{
    const quint32 dataBytes = static_cast<quint32>(samples.size()) * 2U;
    QByteArray out;
    out.reserve(44 + static_cast<qsizetype>(dataBytes));
    out.append("RIFF", 4);
    appendU32(out, 36U + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    appendU32(out, 16);                                   // size of the format chunk
    appendU16(out, 1);                                    // PCM
    appendU16(out, 1);                                    // mono
    appendU32(out, static_cast<quint32>(sampleRate));     // samples per second
    appendU32(out, static_cast<quint32>(sampleRate) * 2); // bytes per second
    appendU16(out, 2);                                    // bytes per sample frame
    appendU16(out, 16);                                   // bits per sample
    out.append("data", 4);
    appendU32(out, dataBytes);
    for (qint16 sample : samples) {
        appendU16(out, static_cast<quint16>(sample));
    }
    return out;
}

} // namespace kestrin::artwork
