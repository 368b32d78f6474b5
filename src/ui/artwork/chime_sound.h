#pragma once
// The new-mail sound: a short two-tone chime, synthesised sample by sample
// and stored as a plain RIFF/WAVE file (16-bit PCM, mono).
#include <QByteArray>
#include <QList>

namespace kestrin::artwork {

inline constexpr int kChimeSampleRate = 22050;

// The chime's samples, peak below full scale, starting and ending at silence.
QList<qint16> chimeSamples();

// A complete .wav file holding the samples at the given rate, mono 16-bit.
QByteArray encodeWav(const QList<qint16>& samples, int sampleRate);

} // namespace kestrin::artwork
